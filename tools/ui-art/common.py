"""Shared pieces of the UI art scripts: the palette, SVG helpers, and writing the pictures."""
import random, os, sys

OUT = None      # the directory the pictures are written into (see run)
LISTING = False

CYAN = "#38d9f5"
CYAN_B = "#8ff3ff"
TEAL = "#1fb3a3"
ORANGE = "#ff8c1a"
RED = "#ff3b2f"
GOLD = "#ffcc33"
ICE = "#bfe9ff"
SEC = "#a9c3d6"
PANEL = "#0c1a2c"
FONT = "FreeSans"


def svg(w, h, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n'
            + (f'<defs>\n{defs}\n</defs>\n' if defs else '')
            + body + '\n</svg>\n')


def write(name, text):
    """Writes one picture, name relative to the output directory (e.g. "gameUI/scoreBG.svg")."""
    if LISTING:
        print(name)
        return
    path = os.path.join(OUT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


def run(*steps):
    """Command line of every script: `<script> OUTPUT_DIR` draws its pictures into OUTPUT_DIR;
    `<script> --list` prints the names of the pictures it draws, one a line, and writes nothing."""
    global OUT, LISTING
    if len(sys.argv) != 2:
        sys.exit(f"usage: {os.path.basename(sys.argv[0])} OUTPUT_DIR | --list")
    if sys.argv[1] == "--list":
        LISTING = True
    else:
        OUT = sys.argv[1]
    for step in steps:
        step()


def text(x, y, s, size, fill="#ffffff", weight="bold", anchor="middle", spacing=1,
         extra=""):
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" '
            f'font-weight="{weight}" fill="{fill}" text-anchor="{anchor}" '
            f'letter-spacing="{spacing}" {extra}>{s}</text>')


def starfield(w, h, n, seed, avoid=None, ymax=None):
    """Small dots with a few bright cross-glints; deterministic."""
    rnd = random.Random(seed)
    out = []
    ymax = h if ymax is None else ymax
    for i in range(n):
        x = rnd.uniform(0, w)
        y = rnd.uniform(0, ymax)
        if avoid and avoid(x, y):
            continue
        r = rnd.choice([0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.3])
        o = rnd.uniform(0.35, 1.0)
        c = rnd.choice(["#ffffff", "#ffffff", "#ffffff", "#dff6ff", "#bfe9ff", "#ffe9c9"])
        out.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r}" fill="{c}" opacity="{o:.2f}"/>')
    # bright glints
    for i in range(n // 40):
        x = rnd.uniform(20, w - 20)
        y = rnd.uniform(20, ymax - 20)
        if avoid and avoid(x, y):
            continue
        L = rnd.uniform(5, 11)
        out.append(
            f'<g opacity="{rnd.uniform(0.6, 0.95):.2f}">'
            f'<circle cx="{x:.1f}" cy="{y:.1f}" r="3.2" fill="url(#starGlow)"/>'
            f'<path d="M{x-L:.1f} {y:.1f}H{x+L:.1f}M{x:.1f} {y-L:.1f}V{y+L:.1f}" '
            f'stroke="#dff6ff" stroke-width="0.6" stroke-opacity="0.7"/>'
            f'<circle cx="{x:.1f}" cy="{y:.1f}" r="1.2" fill="#ffffff"/></g>')
    return "\n".join(out)


STAR_DEFS = '''<radialGradient id="starGlow">
  <stop offset="0" stop-color="#dff6ff" stop-opacity="0.9"/>
  <stop offset="1" stop-color="#8ff3ff" stop-opacity="0"/>
</radialGradient>'''


def nebula_filter(fid, freq, seed, rgb, gain=2.2, bias=-0.95, octaves=5):
    """Fractal noise turned into a coloured, soft cloud (alpha from noise)."""
    r, g, b = [int(rgb[i:i + 2], 16) / 255 for i in (1, 3, 5)]
    return f'''<filter id="{fid}" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="{freq}" numOctaves="{octaves}" seed="{seed}" result="n"/>
  <feColorMatrix in="n" type="matrix" values="0 0 0 0 {r:.3f}  0 0 0 0 {g:.3f}  0 0 0 0 {b:.3f}  {gain} 0 0 0 {bias}"/>
</filter>'''


# ---------------------------------------------------------------- title art
TITLE_DEFS = '''<linearGradient id="titleFill" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffffff"/>
  <stop offset="0.46" stop-color="#e4fbff"/>
  <stop offset="0.50" stop-color="#7fe6fa"/>
  <stop offset="0.78" stop-color="#38d9f5"/>
  <stop offset="1" stop-color="#1fb3a3"/>
</linearGradient>
<linearGradient id="titleRule" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5" stop-opacity="0"/>
  <stop offset="0.5" stop-color="#8ff3ff" stop-opacity="1"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0"/>
</linearGradient>
<linearGradient id="orbitGrad" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#1fb3a3" stop-opacity="0"/>
  <stop offset="0.3" stop-color="#38d9f5" stop-opacity="0.7"/>
  <stop offset="0.75" stop-color="#ff8c1a" stop-opacity="0.8"/>
  <stop offset="1" stop-color="#ff8c1a" stop-opacity="0"/>
</linearGradient>
<radialGradient id="flare">
  <stop offset="0" stop-color="#ffffff" stop-opacity="1"/>
  <stop offset="0.25" stop-color="#8ff3ff" stop-opacity="0.6"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0"/>
</radialGradient>
<filter id="titleGlow" x="-20%" y="-60%" width="140%" height="220%">
  <feGaussianBlur stdDeviation="9"/>
</filter>
<filter id="titleGlowTight" x="-20%" y="-60%" width="140%" height="220%">
  <feGaussianBlur stdDeviation="2.2"/>
</filter>'''


def title(cx, baseline, size=128, spacing=22):
    """'VEL MORA' as title art, centred on cx. Letter-spacing adds after each glyph,
    so the anchor is shifted by half a spacing to stay centred."""
    x = cx + spacing / 2
    t = (f'font-family="{FONT}" font-weight="bold" font-size="{size}" '
         f'letter-spacing="{spacing}" text-anchor="middle"')
    s = "VEL MORA"
    top = baseline - size * 0.73
    return f'''<g>
  <ellipse cx="{cx}" cy="{baseline - size*0.36:.0f}" rx="{size*3.5:.0f}" ry="{size*0.6:.0f}" fill="none"
     stroke="url(#orbitGrad)" stroke-width="1.8" opacity="0.85" transform="rotate(-4 {cx} {baseline - size*0.36:.0f})"/>
  <text x="{x}" y="{baseline}" {t} fill="#38d9f5" opacity="0.55" filter="url(#titleGlow)">{s}</text>
  <text x="{x}" y="{baseline + 3}" {t} fill="#04060d" opacity="0.8">{s}</text>
  <text x="{x}" y="{baseline}" {t} fill="#8ff3ff" opacity="0.6" filter="url(#titleGlowTight)">{s}</text>
  <text x="{x}" y="{baseline}" {t} fill="url(#titleFill)" stroke="#0a1024" stroke-width="1" stroke-opacity="0.6">{s}</text>
  <rect x="{cx - 330}" y="{baseline + 18}" width="660" height="2" fill="url(#titleRule)"/>
  <rect x="{cx - 170}" y="{baseline + 24}" width="340" height="1" fill="url(#titleRule)" opacity="0.6"/>
  <path d="M{cx} {baseline + 13}l6 6l-6 6l-6 -6z" fill="#8ff3ff"/>
  <circle cx="{cx + size*1.32:.0f}" cy="{top + 6:.0f}" r="22" fill="url(#flare)"/>
  <path d="M{cx + size*1.32 - 40:.0f} {top + 6:.0f}h80" stroke="#ffffff" stroke-opacity="0.7" stroke-width="1"/>
</g>'''


# ---------------------------------------------------------------- buttons
def button(w, h, label, over=False, danger=False, size=None, icon="", label_dx=0, spacing=1.5,
           radius=10):
    uid = ("o" if over else "n") + ("d" if danger else "s")
    if size is None:
        size = 20 if h >= 50 else (16 if h >= 36 else 14)
    if danger:
        top, bot = ("#7a3a10", "#3c1a08") if over else ("#3a2414", "#1c0f0a")
        border, bop = ("#ffb866", 1.0) if over else (ORANGE, 0.75)
        glow = "#ff8c1a"
    else:
        top, bot = ("#2590b5", "#125a7c") if over else ("#153a55", "#0a1c2e")
        border, bop = (CYAN_B, 1.0) if over else (CYAN, 0.65)
        glow = CYAN
    defs = f'''<linearGradient id="bg{uid}" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{top}"/>
  <stop offset="1" stop-color="{bot}"/>
</linearGradient>
<linearGradient id="hl{uid}" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#ffffff" stop-opacity="0"/>
  <stop offset="0.5" stop-color="#ffffff" stop-opacity="{0.55 if over else 0.35}"/>
  <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
</linearGradient>
<radialGradient id="gl{uid}" cx="0.5" cy="0.5" r="0.5" gradientTransform="translate(0 -0.5) scale(1 2)">
  <stop offset="0" stop-color="{glow}" stop-opacity="{0.45 if over else 0.0}"/>
  <stop offset="1" stop-color="{glow}" stop-opacity="0"/>
</radialGradient>
<filter id="inglow{uid}" x="-10%" y="-30%" width="120%" height="160%">
  <feGaussianBlur stdDeviation="2.5"/>
</filter>
<filter id="lblglow{uid}" x="-10%" y="-40%" width="120%" height="180%">
  <feGaussianBlur stdDeviation="3"/>
</filter>'''
    r = radius
    body = [f'<rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r}" fill="url(#bg{uid})"/>']
    if over:
        body.append(f'<rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r}" fill="url(#gl{uid})"/>')
        # soft glow hugging the border, inside the bounds
        body.append(f'<rect x="4" y="4" width="{w-8}" height="{h-8}" rx="{r-2}" fill="none" '
                    f'stroke="{glow}" stroke-width="4" stroke-opacity="0.55" filter="url(#inglow{uid})"/>')
    # subtle top highlight line
    body.append(f'<rect x="{r}" y="3" width="{w-2*r}" height="1" fill="url(#hl{uid})"/>')
    # bottom shade
    body.append(f'<rect x="{r}" y="{h-4}" width="{w-2*r}" height="1" fill="#000000" opacity="0.25"/>')
    body.append(f'<rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r}" fill="none" '
                f'stroke="{border}" stroke-opacity="{bop}" stroke-width="2"/>')
    # small corner ticks for a sci-fi touch
    if w >= 90 and h >= 36:
        tc = border
        to = 0.9 if over else 0.55
        body.append(f'<path d="M{w-16} {h-6}h8M{8} {6}h8" stroke="{tc}" stroke-opacity="{to}" '
                    f'stroke-width="2" stroke-linecap="round"/>')
    body.append(icon)
    cy = h / 2 + size * 0.36
    cx = w / 2 + label_dx + spacing / 2
    if over:
        body.append(text(cx, cy, label, size, fill="#ffffff", spacing=spacing,
                         extra=f'opacity="0.7" filter="url(#lblglow{uid})"'))
    body.append(text(cx, cy + 1.5, label, size, fill="#000000", spacing=spacing, extra='opacity="0.35"'))
    body.append(text(cx, cy, label, size, fill="#ffffff", spacing=spacing))
    return svg(w, h, "\n".join(body), defs)


def panel_rect(x, y, w, h, r=10, fill_op=0.88, border_op=0.7, glow=True, uid="p"):
    """Standard panel: #0c1a2c fill, 2 px cyan border, faint glow. Stays inside x..x+w."""
    defs = f'''<filter id="pglow{uid}" x="-5%" y="-5%" width="110%" height="110%">
  <feGaussianBlur stdDeviation="3"/>
</filter>
<linearGradient id="pfill{uid}" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#10233a"/>
  <stop offset="1" stop-color="#0a1626"/>
</linearGradient>'''
    b = []
    if glow:
        b.append(f'<rect x="{x+3}" y="{y+3}" width="{w-6}" height="{h-6}" rx="{r}" fill="none" '
                 f'stroke="{CYAN}" stroke-width="4" stroke-opacity="0.45" filter="url(#pglow{uid})"/>')
    b.append(f'<rect x="{x+4}" y="{y+4}" width="{w-8}" height="{h-8}" rx="{r}" fill="url(#pfill{uid})" '
             f'fill-opacity="{fill_op}"/>')
    b.append(f'<rect x="{x+4}" y="{y+4}" width="{w-8}" height="{h-8}" rx="{r}" fill="none" '
             f'stroke="{CYAN}" stroke-opacity="{border_op}" stroke-width="2"/>')
    return defs, "\n".join(b)
