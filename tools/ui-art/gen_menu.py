"""The menu-side pictures: the menu backdrop and title, its buttons, the options rows, the help
panel and the calibration panel (usage: see common.run)."""
import math
from common import *

W, H = 1024, 768


# ------------------------------------------------------------------ menu backdrop
def rock_path(cx, cy, r, seed, n=11, rough=0.22):
    rnd = random.Random(seed)
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n + rnd.uniform(-0.12, 0.12)
        rr = r * (1 + rnd.uniform(-rough, rough))
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    # smooth closed curve through midpoints
    d = []
    for i in range(n):
        p0 = pts[i]
        p1 = pts[(i + 1) % n]
        m = ((p0[0] + p1[0]) / 2, (p0[1] + p1[1]) / 2)
        if i == 0:
            pm = pts[-1]
            d.append(f"M{(pm[0]+p0[0])/2:.1f} {(pm[1]+p0[1])/2:.1f}")
        d.append(f"Q{p0[0]:.1f} {p0[1]:.1f} {m[0]:.1f} {m[1]:.1f}")
    return " ".join(d) + "Z"


def rock(cx, cy, r, seed, rot=0):
    p = rock_path(cx, cy, r, seed)
    craters = []
    rnd = random.Random(seed + 99)
    for i in range(3):
        a = rnd.uniform(0, 2 * math.pi)
        d = rnd.uniform(0, r * 0.5)
        cr = rnd.uniform(r * 0.1, r * 0.22)
        x, y = cx + d * math.cos(a), cy + d * math.sin(a)
        craters.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{cr:.1f}" fill="#04060d" opacity="0.3"/>'
                       f'<path d="M{x-cr*0.9:.1f} {y+cr*0.4:.1f}a{cr:.1f} {cr:.1f} 0 0 0 {cr*1.3:.1f} {cr*0.5:.1f}" '
                       f'fill="none" stroke="#c9b7a0" stroke-opacity="0.25" stroke-width="1"/>')
    return (f'<g transform="rotate({rot} {cx} {cy})">'
            f'<path d="{p}" fill="url(#rockFill)" filter="url(#rockTex)"/>'
            f'<path d="{p}" fill="url(#rockShade)"/>'
            + "".join(craters) +
            f'<path d="{p}" fill="none" stroke="url(#rockRim)" stroke-width="1.6"/></g>')


ROCK_DEFS = '''<filter id="rockTex" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.07" numOctaves="4" seed="4" result="n"/>
  <feDiffuseLighting in="n" surfaceScale="5" diffuseConstant="1.1" lighting-color="#d8cabb" result="l">
    <feDistantLight azimuth="-50" elevation="40"/>
  </feDiffuseLighting>
  <feComposite in="l" in2="SourceGraphic" operator="arithmetic" k1="1.6" k2="0" k3="0" k4="0" result="m"/>
  <feComposite in="m" in2="SourceAlpha" operator="in"/>
</filter>
<radialGradient id="rockFill" cx="0.7" cy="0.3" r="0.9">
  <stop offset="0" stop-color="#5d6a73"/>
  <stop offset="0.5" stop-color="#2c343c"/>
  <stop offset="1" stop-color="#0c0f14"/>
</radialGradient>
<radialGradient id="rockShade" cx="0.25" cy="0.8" r="0.7">
  <stop offset="0" stop-color="#04060d" stop-opacity="0.7"/>
  <stop offset="1" stop-color="#04060d" stop-opacity="0"/>
</radialGradient>
<linearGradient id="rockRim" x1="1" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffb45a" stop-opacity="0.8"/>
  <stop offset="0.45" stop-color="#ff8c1a" stop-opacity="0.15"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0.25"/>
</linearGradient>'''


def menubg():
    defs = [STAR_DEFS, ROCK_DEFS,
            nebula_filter("nebA", "0.004 0.0028", 42, "#b0306a", gain=2.5, bias=-1.15),
            nebula_filter("nebB", "0.0045", 17, "#1fb3a3", gain=2.4, bias=-1.1),
            nebula_filter("nebC", "0.011", 5, "#ff8c1a", gain=2.0, bias=-1.12, octaves=4),
            '''<radialGradient id="sky" cx="0.45" cy="0.3" r="0.8">
  <stop offset="0" stop-color="#111c3a"/>
  <stop offset="0.5" stop-color="#0a1024"/>
  <stop offset="1" stop-color="#04060d"/>
</radialGradient>
<radialGradient id="mA" cx="0.78" cy="0.35" r="0.55">
  <stop offset="0" stop-color="#fff" stop-opacity="1"/><stop offset="1" stop-color="#fff" stop-opacity="0"/>
</radialGradient>
<radialGradient id="mB" cx="0.2" cy="0.55" r="0.6">
  <stop offset="0" stop-color="#fff" stop-opacity="1"/><stop offset="1" stop-color="#fff" stop-opacity="0"/>
</radialGradient>
<radialGradient id="mC" cx="0.85" cy="0.45" r="0.3">
  <stop offset="0" stop-color="#fff" stop-opacity="1"/><stop offset="1" stop-color="#fff" stop-opacity="0"/>
</radialGradient>
<mask id="maskA" maskUnits="userSpaceOnUse" x="0" y="0" width="1024" height="768"><rect width="1024" height="768" fill="url(#mA)"/></mask>
<mask id="maskB" maskUnits="userSpaceOnUse" x="0" y="0" width="1024" height="768"><rect width="1024" height="768" fill="url(#mB)"/></mask>
<mask id="maskC" maskUnits="userSpaceOnUse" x="0" y="0" width="1024" height="768"><rect width="1024" height="768" fill="url(#mC)"/></mask>
<radialGradient id="gasBody" cx="0.62" cy="0.12" r="0.95">
  <stop offset="0" stop-color="#f0b070"/>
  <stop offset="0.35" stop-color="#b8643a"/>
  <stop offset="0.7" stop-color="#4a2230"/>
  <stop offset="1" stop-color="#10101e"/>
</radialGradient>
<radialGradient id="gasShadow" cx="0.1" cy="0.95" r="0.85">
  <stop offset="0" stop-color="#04060d" stop-opacity="0.95"/>
  <stop offset="0.55" stop-color="#04060d" stop-opacity="0.55"/>
  <stop offset="1" stop-color="#04060d" stop-opacity="0"/>
</radialGradient>
<filter id="gasBands" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.002 0.05" numOctaves="4" seed="8"/>
  <feColorMatrix type="matrix" values="0 0 0 0 1.0  0 0 0 0 0.82  0 0 0 0 0.6  1.8 0 0 0 -0.75"/>
</filter>
<filter id="nightBlur" x="-30%" y="-30%" width="160%" height="160%"><feGaussianBlur stdDeviation="22"/></filter>
<filter id="rimGlow" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="7"/></filter>
<linearGradient id="ringGrad" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#ffd9a0" stop-opacity="0.1"/>
  <stop offset="0.3" stop-color="#ffd9a0" stop-opacity="0.6"/>
  <stop offset="0.7" stop-color="#bfe9ff" stop-opacity="0.5"/>
  <stop offset="1" stop-color="#bfe9ff" stop-opacity="0.1"/>
</linearGradient>
<radialGradient id="vignette" cx="0.5" cy="0.5" r="0.75">
  <stop offset="0.6" stop-color="#04060d" stop-opacity="0"/>
  <stop offset="1" stop-color="#04060d" stop-opacity="0.7"/>
</radialGradient>
<radialGradient id="sunGlow" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffffff" stop-opacity="1"/>
  <stop offset="0.08" stop-color="#fff1d0" stop-opacity="0.9"/>
  <stop offset="0.3" stop-color="#ff8c1a" stop-opacity="0.25"/>
  <stop offset="1" stop-color="#ff8c1a" stop-opacity="0"/>
</radialGradient>''']
    b = ['<rect width="1024" height="768" fill="url(#sky)"/>',
         '<rect width="1024" height="768" filter="url(#nebA)" mask="url(#maskA)" opacity="1"/>',
         '<rect width="1024" height="768" filter="url(#nebB)" mask="url(#maskB)" opacity="0.9"/>',
         '<rect width="1024" height="768" filter="url(#nebC)" mask="url(#maskC)" opacity="0.45"/>',
         starfield(W, H, 480, 777)]
    # distant sun, upper right, lights the planet and the rocks
    b.append('<circle cx="985" cy="60" r="150" fill="url(#sunGlow)"/>')
    b.append('<path d="M835 60H1024M985 0V170" stroke="#fff1d0" stroke-opacity="0.35" stroke-width="1"/>')
    # ringed gas giant, lower right
    cx, cy, r = 905, 600, 185
    ring = lambda: (f'<ellipse cx="{cx}" cy="{cy}" rx="{r*1.75:.0f}" ry="{r*0.36:.0f}" fill="none" '
                    f'stroke="url(#ringGrad)" stroke-width="14" stroke-opacity="0.9" '
                    f'transform="rotate(-16 {cx} {cy})"/>'
                    f'<ellipse cx="{cx}" cy="{cy}" rx="{r*1.55:.0f}" ry="{r*0.30:.0f}" fill="none" '
                    f'stroke="url(#ringGrad)" stroke-width="4" stroke-opacity="0.7" '
                    f'transform="rotate(-16 {cx} {cy})"/>')
    b.append(f'<g>{ring()}</g>')  # back half (the planet covers its middle)
    b.append(f'<circle cx="{cx}" cy="{cy}" r="{r+6}" fill="#ff8c1a" opacity="0.35" filter="url(#rimGlow)"/>')
    b.append(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#gasBody)"/>')
    b.append(f'<clipPath id="gasClip"><circle cx="{cx}" cy="{cy}" r="{r}"/></clipPath>')
    b.append(f'<g clip-path="url(#gasClip)"><rect x="{cx-r}" y="{cy-r}" width="{2*r}" height="{2*r}" '
             f'filter="url(#gasBands)" opacity="0.35" transform="rotate(-16 {cx} {cy})"/></g>')
    b.append(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#gasShadow)"/>')
    # night side: a soft dark disc offset away from the sun, clipped to the planet
    b.append(f'<g clip-path="url(#gasClip)"><circle cx="{cx-70}" cy="{cy+95}" r="{r*1.02:.0f}" fill="#04060d" '
             f'opacity="0.82" filter="url(#nightBlur)"/></g>')
    b.append(f'<circle cx="{cx}" cy="{cy}" r="{r-1}" fill="none" stroke="#ffd9a0" stroke-opacity="0.35" stroke-width="1.5"/>')
    # front half of the ring: the part below the planet's centre line
    b.append(f'<clipPath id="ringFront"><rect x="{cx-400}" y="{cy}" width="800" height="400" '
             f'transform="rotate(-16 {cx} {cy})"/></clipPath>')
    b.append(f'<g clip-path="url(#ringFront)">{ring()}</g>')
    # a small moon
    # drifting rocks on the left and in the corners, out of the way of the buttons
    b.append(rock(62, 262, 28, 3, 10))
    b.append(rock(60, 660, 52, 9, -20))
    b.append(rock(236, 636, 20, 14, 40))
    b.append(rock(300, 735, 11, 21, 0))
    b.append(rock(345, 42, 9, 27, 0))
    b.append(rock(770, 300, 14, 31, 30))
    b.append(rock(175, 332, 12, 37, 0))
    b.append('<rect width="1024" height="768" fill="url(#vignette)"/>')
    write("menuBG.svg", svg(W, H, "\n".join(b), "\n".join(defs)))


def logo():
    write("logo.svg", svg(W, H, title(512, 190, size=116, spacing=20), TITLE_DEFS))


# ------------------------------------------------------------------ buttons
def buttons():
    for name, label in [("startBtn", "START"), ("freePlayBtn", "FREE PLAY"),
                        ("optionsBtn", "OPTIONS"), ("helpBtn", "HELP"), ("backBtn", "BACK"),
                        ("scoresBtn", "BEST SCORES"), ("quitBtn", "QUIT"), ("resumeBtn", "RESUME")]:
        write(name + ".svg", button(250, 50, label, over=False, spacing=3))
        write(name + "Over.svg", button(250, 50, label, over=True, spacing=3))
    write("accCalibrationOK.svg", button(100, 40, "OK", over=False, spacing=2, radius=8))
    write("accCalibrationOKOver.svg", button(100, 40, "OK", over=True, spacing=2, radius=8))
    warn = ('<g transform="translate(22 25)">'
            '<path d="M0 -11L11 8H-11Z" fill="none" stroke="#ff8c1a" stroke-width="2" stroke-linejoin="round"/>'
            '<rect x="-1" y="-4" width="2" height="7" fill="#ff8c1a"/>'
            '<rect x="-1" y="4.5" width="2" height="2" fill="#ff8c1a"/></g>')
    write("resetGame.svg", button(256, 50, "RESET GAME", danger=True, spacing=2, icon=warn, size=18,
                                  label_dx=8))
    write("leaveBtn.svg", button(250, 50, "LEAVE ROUND", danger=True, spacing=3))
    write("leaveBtnOver.svg", button(250, 50, "LEAVE ROUND", over=True, danger=True, spacing=3))


# ------------------------------------------------------------------ options screen
def options_bg():
    d, p = panel_rect(0, 0, 368, 265, uid="o")
    d += '''
<linearGradient id="hdr" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5" stop-opacity="0"/>
  <stop offset="0.5" stop-color="#38d9f5" stop-opacity="0.55"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0"/>
</linearGradient>'''
    b = [p,
         text(184, 22, "OPTIONS", 13, fill=SEC, spacing=5),
         '<rect x="30" y="27" width="308" height="1" fill="url(#hdr)"/>',
         # faint divider above the reset button
         '<rect x="60" y="196" width="248" height="1" fill="url(#hdr)" opacity="0.6"/>',
         # rivets in the corners
         '<g fill="#38d9f5" opacity="0.6"><circle cx="14" cy="14" r="1.5"/><circle cx="354" cy="14" r="1.5"/>'
         '<circle cx="14" cy="251" r="1.5"/><circle cx="354" cy="251" r="1.5"/></g>']
    write("optionsBG.svg", svg(368, 265, "\n".join(b), d))


ROW_DEFS = '''<linearGradient id="rowFill" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#153a55"/>
  <stop offset="1" stop-color="#0a1c2e"/>
</linearGradient>
<linearGradient id="slot" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#04060d" stop-opacity="0.9"/>
  <stop offset="1" stop-color="#0a1024" stop-opacity="0.85"/>
</linearGradient>
<linearGradient id="rowHl" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#ffffff" stop-opacity="0"/>
  <stop offset="0.3" stop-color="#ffffff" stop-opacity="0.3"/>
  <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
</linearGradient>'''


def row(name, label, icon, slot_x, window=False):
    """330 x 50 touch box; the plate is the top 40 px so the 40-px indicator lines up with it.
    With window, the yes/no indicator's place (x 270-320, drawn beneath this picture) is cut out
    of the plate so the indicator shows through."""
    plate = ['<rect x="1" y="1" width="328" height="38" rx="8" fill="url(#rowFill)"/>',
             '<rect x="10" y="3" width="200" height="1" fill="url(#rowHl)"/>',
             f'<rect x="{slot_x}" y="3" width="{326-slot_x}" height="34" rx="6" fill="url(#slot)"/>']
    defs = ROW_DEFS
    if window:
        defs += ('\n<mask id="window" maskUnits="userSpaceOnUse" x="0" y="0" width="330" height="50">'
                 '<rect width="330" height="50" fill="#fff"/>'
                 '<rect x="271" y="1" width="48" height="38" rx="7" fill="#000"/></mask>')
        plate = ['<g mask="url(#window)">'] + plate + ['</g>']
    b = plate + [
         f'<rect x="{slot_x+0.5}" y="3.5" width="{325-slot_x}" height="33" rx="6" fill="none" '
         f'stroke="#38d9f5" stroke-opacity="0.25"/>',
         '<rect x="1" y="1" width="328" height="38" rx="8" fill="none" stroke="#38d9f5" '
         'stroke-opacity="0.65" stroke-width="2"/>',
         icon,
         text(48, 27, label, 17, spacing=2, anchor="start")]
    write(name + ".svg", svg(330, 50, "\n".join(b), defs))


def rows():
    speaker = ('<g transform="translate(24 20)" fill="#8ff3ff">'
               '<path d="M-9 -4h5l6 -6v20l-6 -6h-5z"/>'
               '<path d="M5 -5a7 7 0 0 1 0 10M8 -9a12 12 0 0 1 0 18" fill="none" stroke="#8ff3ff" '
               'stroke-width="1.8" stroke-linecap="round"/></g>')
    note = ('<g transform="translate(24 20)" fill="#8ff3ff">'
            '<ellipse cx="-5" cy="7" rx="4.5" ry="3.5" transform="rotate(-20 -5 7)"/>'
            '<ellipse cx="7" cy="4" rx="4.5" ry="3.5" transform="rotate(-20 7 4)"/>'
            '<path d="M-1.5 6V-9L10.5 -12V3" fill="none" stroke="#8ff3ff" stroke-width="2"/>'
            '<path d="M-1.5 -9L10.5 -12V-7L-1.5 -4z"/></g>')
    stick = ('<g transform="translate(24 20)">'
             '<circle r="11" fill="none" stroke="#8ff3ff" stroke-width="1.8"/>'
             '<circle cx="3" cy="-3" r="5" fill="#8ff3ff"/>'
             '<path d="M0 -14v3M0 11v3M-14 0h3M11 0h3" stroke="#8ff3ff" stroke-width="1.5"/></g>')
    row("soundBG", "SOUND", speaker, 266, window=True)
    row("musicBG", "MUSIC", note, 266, window=True)
    row("controlMethod", "CONTROLS", stick, 166)


def yes_no():
    # YES: lit, green-cyan
    d = '''<linearGradient id="y" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#2fd6b0"/>
  <stop offset="1" stop-color="#0d6e66"/>
</linearGradient>
<radialGradient id="yg" cx="0.5" cy="0.5" r="0.6">
  <stop offset="0" stop-color="#8ff3ff" stop-opacity="0.45"/>
  <stop offset="1" stop-color="#8ff3ff" stop-opacity="0"/>
</radialGradient>
<filter id="yb" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="2"/></filter>'''
    b = ['<rect x="1" y="1" width="48" height="38" rx="7" fill="url(#y)"/>',
         '<rect x="1" y="1" width="48" height="38" rx="7" fill="url(#yg)"/>',
         '<rect x="4" y="4" width="42" height="32" rx="5" fill="none" stroke="#8ff3ff" stroke-width="3" '
         'stroke-opacity="0.5" filter="url(#yb)"/>',
         '<rect x="7" y="3" width="36" height="1" fill="#ffffff" opacity="0.5"/>',
         '<rect x="1" y="1" width="48" height="38" rx="7" fill="none" stroke="#8ff3ff" stroke-width="2"/>',
         '<circle cx="25" cy="32" r="1.8" fill="#eaffff"/>',
         text(25.5, 26, "YES", 15, fill="#000000", spacing=1, extra='opacity="0.3"'),
         text(25.5, 24.5, "YES", 15, fill="#ffffff", spacing=1)]
    write("yesBtn.svg", svg(50, 40, "\n".join(b), d))
    d = '''<linearGradient id="n" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#1a2433"/>
  <stop offset="1" stop-color="#0b111b"/>
</linearGradient>'''
    b = ['<rect x="1" y="1" width="48" height="38" rx="7" fill="url(#n)"/>',
         '<rect x="7" y="3" width="36" height="1" fill="#ffffff" opacity="0.12"/>',
         '<rect x="1" y="1" width="48" height="38" rx="7" fill="none" stroke="#ff8c1a" '
         'stroke-opacity="0.7" stroke-width="2"/>',
         '<circle cx="25" cy="32" r="1.8" fill="#ff8c1a" opacity="0.8"/>',
         text(25.5, 24.5, "NO", 15, fill=SEC, spacing=1)]
    write("noBtn.svg", svg(50, 40, "\n".join(b), d))


def hand(mirror=False):
    """Back of a right hand, fingers up, thumb out to the left; about 26 x 32 around 0,0."""
    s = -1 if mirror else 1
    return (f'<g transform="scale({s} 1)" fill="#8ff3ff" stroke="#0a1c2e" stroke-width="1">'
            '<rect x="-2.8" y="-8" width="5.6" height="14" rx="2.8" transform="translate(-10 3) rotate(-42)"/>'
            '<rect x="-7.6" y="-13" width="4.6" height="15" rx="2.3"/>'
            '<rect x="-2.8" y="-16" width="4.8" height="18" rx="2.4"/>'
            '<rect x="2.2" y="-14.5" width="4.6" height="17" rx="2.3"/>'
            '<rect x="7" y="-10" width="4.2" height="13" rx="2.1"/>'
            '<path d="M-7.8 -2h19v8c0 6 -4 10 -9.5 10c-5.5 0 -9.5 -4 -9.5 -10z"/>'
            '</g>')


def method_pictures():
    d = '''<filter id="g" x="-30%" y="-30%" width="160%" height="160%"><feGaussianBlur stdDeviation="2.5"/></filter>'''
    # rightHand 150 x 50: hand + knob icon + "RIGHT"; content centred on y 20 (the plate is 40 high)
    def pic(w, icon_x, mirror, label, label_x):
        knob = ''
        b = [f'<g transform="translate({icon_x} 20)" opacity="0.8" filter="url(#g)">{hand(mirror)}</g>',
             knob,
             f'<g transform="translate({icon_x} 20)">{hand(mirror)}</g>',
             text(label_x, 26, label, 14, spacing=1, anchor="start")]
        return svg(w, 50, "\n".join(b), d)
    write("rightHand.svg", pic(150, 22, False, "RIGHT HAND", 44))
    write("leftHand.svg", pic(140, 18, True, "LEFT HAND", 44))
    # accel 70 x 50: a tilted tablet with motion arcs, "TILT"
    b = ['<g transform="translate(17 19) rotate(-18)">'
         '<rect x="-8" y="-12" width="16" height="24" rx="2.5" fill="#0a1c2e" stroke="#8ff3ff" stroke-width="1.8"/>'
         '<rect x="-5" y="-8.5" width="10" height="16" fill="#38d9f5" opacity="0.45"/>'
         '<circle cx="0" cy="10" r="0.9" fill="#8ff3ff"/></g>',
         '<path d="M2 30a17 17 0 0 0 30 0" fill="none" stroke="#38d9f5" stroke-width="1.4" stroke-opacity="0.8"/>'
         '<path d="M28 27l4 3l-4.6 1.8z" fill="#38d9f5"/>'
         '<path d="M6 27l-4 3l4.6 1.8z" fill="#38d9f5"/>',
         text(34, 26, "TILT", 13, spacing=1, anchor="start")]
    write("accel.svg", svg(70, 50, "\n".join(b), d))


# ------------------------------------------------------------------ help panel
def help_panel():
    d, p = panel_rect(0, 0, 600, 420, uid="h")
    d += '''
<linearGradient id="hdr" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5" stop-opacity="0"/>
  <stop offset="0.5" stop-color="#38d9f5" stop-opacity="0.6"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0"/>
</linearGradient>
<radialGradient id="inf" cx="0.4" cy="0.35" r="0.7">
  <stop offset="0" stop-color="#b6ff5a"/><stop offset="0.6" stop-color="#3f7a22"/><stop offset="1" stop-color="#142a10"/>
</radialGradient>
<radialGradient id="ore" cx="0.35" cy="0.3" r="0.8">
  <stop offset="0" stop-color="#fff3b0"/><stop offset="0.5" stop-color="#ffcc33"/><stop offset="1" stop-color="#8a5a00"/>
</radialGradient>
<linearGradient id="heat" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5"/><stop offset="0.6" stop-color="#ff8c1a"/><stop offset="1" stop-color="#ff3b2f"/>
</linearGradient>
<filter id="ig" x="-50%" y="-50%" width="200%" height="200%"><feGaussianBlur stdDeviation="2"/></filter>'''
    B = 15  # body size
    L = 19  # line pitch
    b = [p]
    b.append(text(300, 33, "HOW TO PLAY", 20, spacing=4))
    b.append('<rect x="40" y="44" width="520" height="1" fill="url(#hdr)"/>')

    def heading(x, y, s, col=CYAN):
        return text(x, y, s, 15, fill=col, spacing=2, anchor="start")

    def para(x, y, lines, col="#ffffff"):
        out = []
        for i, ln in enumerate(lines):
            out.append(text(x, y + i * L, ln, B, fill=col, weight="normal", spacing=0, anchor="start"))
        return "\n".join(out)

    # left column: steering, firing, pausing
    lx, rx = 26, 312
    b.append(heading(lx, 72, "STEERING"))
    b.append(para(lx, 92, ["Drag the knob with your thumb;",
                            "pick the right- or left-hand layout",
                            "in OPTIONS. With TILT, tilt the",
                            "device to steer; calibrate it there."]))
    b.append(heading(lx, 180, "FIRING"))
    b.append(para(lx, 200, ["Tap the fire button to shoot. With",
                             "TILT, tap anywhere on the field.",
                             "The top-right button pauses."]))
    # right column: laser heat, ore and ice, rocks
    b.append(heading(rx, 72, "LASER HEAT", ORANGE))
    b.append(para(rx, 92, ["Every shot heats the laser; watch",
                            "the heat bar. When it overheats,",
                            "the laser stops until it cools.",
                            "Collect ice to cool it at once."]))
    b.append(heading(rx, 180, "CALABRIUM", GOLD))
    b.append(para(rx, 200, ["Fly through gold calabrium ore",
                             "to score. Shooting a plain rock",
                             "costs points; green ones earn them."]))
    # little icons next to the right headings
    b.append('<rect x="450" y="62" width="120" height="7" rx="2" fill="#04060d" stroke="#38d9f5" stroke-opacity="0.5"/>'
             '<rect x="451" y="63" width="90" height="5" fill="url(#heat)"/>')
    b.append('<g transform="translate(452 174)"><path d="M0 -8l7 3l2 7l-6 6l-7 -2l-3 -7z" fill="url(#ore)"/>'
             '<path d="M-2 -5l3 -1" stroke="#ffffff" stroke-width="1.2"/></g>')
    b.append('<g transform="translate(510 144)"><path d="M0 -8l6 4v8l-6 4l-6 -4v-8z" fill="#bfe9ff" opacity="0.9"/>'
             '<path d="M0 -8v16M-6 -4l12 8M6 -4l-12 8" stroke="#ffffff" stroke-opacity="0.6" stroke-width="0.8"/></g>')
    # divider and missions
    b.append('<rect x="40" y="262" width="520" height="1" fill="url(#hdr)"/>')
    b.append(heading(lx, 284, "MISSIONS"))
    icons = [
        # infected asteroid
        '<circle r="9" fill="#b6ff5a" opacity="0.5" filter="url(#ig)"/>'
        '<path d="M-8 -3l5 -6l7 1l5 6l-2 7l-7 4l-6 -2z" fill="url(#inf)"/>',
        # ore
        '<path d="M0 -9l8 3l2 8l-7 7l-8 -2l-3 -8z" fill="url(#ore)"/><path d="M-2 -5l3 -1" stroke="#fff" stroke-width="1.2"/>',
        # cargo ship (top view, nose up)
        '<path d="M0 -10l4 4v12l5 3v2h-18v-2l5 -3v-12z" fill="#a9c3d6"/><rect x="-2" y="-3" width="4" height="6" fill="#38d9f5"/>',
        # shield / survive
        '<path d="M0 -10l9 3v5c0 6 -4 10 -9 12c-5 -2 -9 -6 -9 -12v-5z" fill="none" stroke="#38d9f5" stroke-width="2"/>'
        '<path d="M-4 0l3 3l5 -6" fill="none" stroke="#8ff3ff" stroke-width="2"/>',
    ]
    missions = [("DESTROY", "Destroy the infected asteroids."),
                ("COLLECT", "Collect samples of calabrium ore."),
                ("PROTECT", "Protect the cargo ship from the rocks."),
                ("SURVIVE", "Survive until the time runs out.")]
    for i, ((k, v), ic) in enumerate(zip(missions, icons)):
        y = 308 + i * 25
        b.append(f'<rect x="22" y="{y-15}" width="556" height="22" rx="5" fill="#153a55" opacity="{0.35 if i % 2 == 0 else 0.18}"/>')
        b.append(f'<g transform="translate(44 {y-3})">{ic}</g>')
        b.append(text(66, y + 2, k, B, fill="#8ff3ff", spacing=1, anchor="start"))
        b.append(text(170, y + 2, v, B, weight="normal", spacing=0, anchor="start"))
    b.append(text(300, 408, "Earn credits in missions and upgrade your ship between them.", 15,
                  fill=SEC, weight="normal", spacing=0))
    write("help.svg", svg(600, 420, "\n".join(b), d))


HEADER_RULE = '''<linearGradient id="hdr" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5" stop-opacity="0"/>
  <stop offset="0.5" stop-color="#38d9f5" stop-opacity="0.6"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0"/>
</linearGradient>'''


def key(x, y, label, w=None):
    """A key cap with its label, top-left at x, y (22 high)."""
    w = w or (20 if len(label) == 1 else 8 * len(label) + 12)
    return (f'<rect x="{x}" y="{y}" width="{w}" height="22" rx="4" fill="#0a1c2e" stroke="#8ff3ff" '
            f'stroke-opacity="0.75" stroke-width="1.4"/>'
            f'<rect x="{x + 3}" y="{y + 2}" width="{w - 6}" height="1" fill="#ffffff" opacity="0.25"/>'
            + text(x + w / 2, y + 16, label, 12, spacing=0.5)), w


def help_desktop():
    """The help of the desktop: every control on the keyboard, the mouse and a gamepad."""
    d, p = panel_rect(0, 0, 600, 420, uid="k")
    d += "\n" + HEADER_RULE
    b = [p, text(300, 33, "HOW TO PLAY", 20, spacing=4),
         '<rect x="40" y="44" width="520" height="1" fill="url(#hdr)"/>']
    cols = [(26, "", CYAN), (132, "KEYBOARD", CYAN), (352, "MOUSE", CYAN), (480, "GAMEPAD", CYAN)]
    for x, label, col in cols:
        if label:
            b.append(text(x, 68, label, 13, fill=col, spacing=2, anchor="start"))
    rows = [("STEER", [["\u2190", "\u2191", "\u2192", "\u2193"], "or", ["W", "A", "S", "D"]],
             "Drag the knob", "Stick, D-pad"),
            ("FIRE", [["Space"], "or", ["Ctrl"]], "Right button", "A"),
            ("PAUSE", [["P"], "or", ["Esc"]], "Top-right button", "Start, B"),
            ("MENUS", [["Tab"], ["Enter"], ["Esc"]], "Click", "D-pad, A, B"),
            ("FULL SCREEN", [["F11"], "or", ["Alt"], "+", ["Enter"]], "\u2014", "\u2014")]
    for i, (name, keys, mouse, pad) in enumerate(rows):
        y = 80 + i * 32
        b.append(f'<rect x="18" y="{y}" width="564" height="28" rx="5" fill="#153a55" '
                 f'opacity="{0.35 if i % 2 == 0 else 0.18}"/>')
        b.append(text(26, y + 19, name, 13 if len(name) > 6 else 14, fill="#8ff3ff", spacing=0.5, anchor="start"))
        x = 132
        for part in keys:
            if isinstance(part, str):
                b.append(text(x + 8, y + 19, part, 12, fill=SEC, weight="normal", spacing=0))
                x += 16
                continue
            for label in part:
                cap, w = key(x, y + 3, label)
                b.append(cap)
                x += w + 3
            x += 2
        b.append(text(352, y + 19, mouse, 14, weight="normal", spacing=0, anchor="start"))
        b.append(text(480, y + 19, pad, 14, weight="normal", spacing=0, anchor="start"))
    b.append(text(300, 256, "In menus the arrows or Tab move the outline; Esc (pad Back) on the menu quits.",
                  12, fill=SEC, weight="normal", spacing=0))
    b.append('<rect x="40" y="270" width="520" height="1" fill="url(#hdr)"/>')
    B, L = 15, 19

    def para(x, y, lines):
        return "\n".join(text(x, y + i * L, ln, B, weight="normal", spacing=0, anchor="start")
                         for i, ln in enumerate(lines))
    b.append(text(26, 294, "LASER HEAT", 15, fill=ORANGE, spacing=2, anchor="start"))
    b.append(para(26, 314, ["Every shot heats the laser; when it",
                            "overheats it stops until it cools.",
                            "Fly into ice to cool it at once."]))
    b.append(text(312, 294, "SCORE", 15, fill=GOLD, spacing=2, anchor="start"))
    b.append(para(312, 314, ["Shooting a plain rock costs points;",
                             "green infected rocks earn them.",
                             "Fly into gold calabrium ore to score."]))
    b.append(text(300, 400, "Free play keeps its ten best scores: BEST SCORES on the menu.", 15,
                  fill=SEC, weight="normal", spacing=0))
    write("helpDesktop.svg", svg(600, 420, "\n".join(b), d))


# ------------------------------------------------------------------ best scores
def scores_panel():
    d, p = panel_rect(0, 0, 600, 420, uid="s")
    d += "\n" + HEADER_RULE
    b = [p, text(300, 33, "BEST SCORES", 20, spacing=4),
         '<rect x="40" y="44" width="520" height="1" fill="url(#hdr)"/>',
         text(70, 62, "RANK", 12, fill=CYAN, spacing=2),
         text(208, 62, "SCORE", 12, fill=CYAN, spacing=2, anchor="end"),
         text(288, 62, "DATE", 12, fill=CYAN, spacing=2, anchor="start")]
    for i in range(10):
        y = 66 + i * 31
        b.append(f'<rect x="40" y="{y}" width="520" height="27" rx="5" fill="#153a55" '
                 f'opacity="{0.35 if i % 2 == 0 else 0.18}"/>')
        colour = GOLD if i == 0 else ("#8ff3ff" if i < 3 else SEC)
        b.append(text(70, y + 20, f"{i + 1}", 17, fill=colour, spacing=0))
    b.append(text(300, 404, "Free play's ten best rounds, best first.", 13, fill=SEC, weight="normal",
                  spacing=0))
    write("scoresBG.svg", svg(600, 420, "\n".join(b), d))


# ------------------------------------------------------------------ sound levels
def levels():
    d, p = panel_rect(0, 0, 368, 130, uid="l")
    d += "\n" + HEADER_RULE + "\n" + ROW_DEFS
    b = [p, text(184, 22, "SOUND LEVELS", 13, fill=SEC, spacing=5),
         '<rect x="30" y="27" width="308" height="1" fill="url(#hdr)"/>']
    for y, label in [(34, "MUSIC"), (80, "EFFECTS")]:
        b.append(f'<rect x="23" y="{y + 1}" width="328" height="38" rx="8" fill="url(#rowFill)"/>')
        b.append(f'<rect x="23" y="{y + 1}" width="328" height="38" rx="8" fill="none" stroke="#38d9f5" '
                 f'stroke-opacity="0.65" stroke-width="2"/>')
        b.append(text(38, y + 27, label, 16, spacing=2, anchor="start"))
    write("levelsBG.svg", svg(368, 130, "\n".join(b), d))
    minus = '<rect x="11" y="16.5" width="14" height="3" rx="1" fill="#ffffff"/>'
    plus = minus + '<rect x="16.5" y="11" width="3" height="14" rx="1" fill="#ffffff"/>'
    write("levelDown.svg", button(36, 36, "", spacing=0, radius=7, icon=minus))
    write("levelUp.svg", button(36, 36, "", spacing=0, radius=7, icon=plus))
    for step, name in enumerate(["levelOff", "level25", "level50", "level75", "level100"]):
        bars = []
        for i in range(4):
            h = 8 + 6 * i
            lit = i < step
            bars.append(f'<rect x="{8 + 15 * i}" y="{33 - h}" width="11" height="{h}" rx="2" '
                        f'fill="{CYAN if lit else "#1a2433"}" stroke="{CYAN_B if lit else SEC}" '
                        f'stroke-opacity="{0.9 if lit else 0.35}"/>')
        label = "OFF" if step == 0 else f"{25 * step}%"
        bars.append(text(90, 26, label, 14, fill="#ffffff" if step else ORANGE, spacing=0))
        write(name + ".svg", svg(110, 40, "\n".join(bars)))


# ------------------------------------------------------------------ pause
def pause_panel():
    d, p = panel_rect(0, 0, 400, 240, uid="q")
    d += "\n" + HEADER_RULE + '''
<filter id="pg" x="-20%" y="-60%" width="140%" height="220%"><feGaussianBlur stdDeviation="5"/></filter>'''
    b = [p,
         text(204, 66, "PAUSED", 40, fill=CYAN, spacing=8, extra='opacity="0.6" filter="url(#pg)"'),
         text(204, 66, "PAUSED", 40, spacing=8),
         '<rect x="40" y="82" width="320" height="1" fill="url(#hdr)"/>']
    write("pausePanel.svg", svg(400, 240, "\n".join(b), d))


# ------------------------------------------------------------------ calibration
def calibration():
    d, p = panel_rect(69, 379, 242, 192, uid="c")
    # keep even the glow inside the panel's box (x 70..310, y 380..570)
    p = f'<clipPath id="cbox"><rect x="70" y="380" width="240" height="190"/></clipPath><g clip-path="url(#cbox)">{p}</g>'
    d += '''
<linearGradient id="trackH" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#04060d"/><stop offset="0.5" stop-color="#0a1c2e"/><stop offset="1" stop-color="#04060d"/>
</linearGradient>
<linearGradient id="trackV" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#04060d"/><stop offset="0.5" stop-color="#0a1c2e"/><stop offset="1" stop-color="#04060d"/>
</linearGradient>'''
    b = [p]
    # X track: x 91..205, y 413..423
    b.append('<rect x="90" y="412" width="116" height="12" rx="6" fill="url(#trackH)" stroke="#38d9f5" stroke-opacity="0.6"/>')
    b.append('<path d="M148 408v4M148 424v4M119.5 410v2M176.5 410v2M119.5 424v2M176.5 424v2" stroke="#a9c3d6" stroke-width="1"/>')
    # Y track: x 267..277, y 432..546
    b.append('<rect x="266" y="431" width="12" height="116" rx="6" fill="url(#trackV)" stroke="#38d9f5" stroke-opacity="0.6"/>')
    b.append('<path d="M262 489h4M278 489h4M263 460.5h3M278 460.5h3M263 517.5h3M278 517.5h3" stroke="#a9c3d6" stroke-width="1"/>')
    # labels
    b.append(text(82, 423, "X", 13, fill=CYAN, spacing=0))
    b.append(text(272, 424, "Y", 13, fill=CYAN, spacing=0))
    b.append(text(296, 489, "CALIBRATE", 12, fill=SEC, spacing=2, extra='transform="rotate(-90 296 489)" dy="4"'))
    b.append(text(91, 451, "Hold the stick or keys where", 12, fill=SEC, weight="normal", spacing=0, anchor="start"))
    b.append(text(91, 466, "you fly straight, then press OK.", 12, fill=SEC, weight="normal", spacing=0, anchor="start"))
    # legend: dot = live reading, tick = stored centre
    b.append('<circle cx="96" cy="539" r="4.5" fill="#38d9f5"/>')
    b.append(text(106, 543, "now", 12, fill=SEC, weight="normal", spacing=0, anchor="start"))
    b.append('<rect x="152" y="531" width="3" height="16" fill="#ff8c1a"/>')
    b.append(text(160, 543, "saved", 12, fill=SEC, weight="normal", spacing=0, anchor="start"))
    write("accCalibrationBack.svg", svg(W, H, "\n".join(b), d))

    dd = '''<radialGradient id="d" cx="0.4" cy="0.4" r="0.6">
  <stop offset="0" stop-color="#ffffff"/><stop offset="0.4" stop-color="#8ff3ff"/>
  <stop offset="1" stop-color="#38d9f5"/>
</radialGradient>'''
    write("accDot.svg", svg(10, 10, '<circle cx="5" cy="5" r="4.8" fill="#38d9f5" opacity="0.45"/>'
                                    '<circle cx="5" cy="5" r="3.9" fill="url(#d)"/>', dd))
    mv = '''<linearGradient id="m" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#c25e00"/><stop offset="0.5" stop-color="#ffc27a"/><stop offset="1" stop-color="#c25e00"/>
</linearGradient>'''
    write("positionMarkerV.svg", svg(4, 24, '<rect x="0" y="0" width="4" height="24" rx="1" fill="url(#m)"/>', mv))
    mh = mv.replace('x2="1" y2="0"', 'x2="0" y2="1"')
    write("positionMarkerH.svg", svg(24, 4, '<rect x="0" y="0" width="24" height="4" rx="1" fill="url(#m)"/>', mh))


if __name__ == "__main__":
    run(menubg, logo, buttons, options_bg, rows, yes_no, method_pictures, help_panel, help_desktop,
        scores_panel, levels, pause_panel, calibration)
