#!/usr/bin/env python3
"""The in-game and campaign-side pictures: buttons, the heads-up display, touch controls, the
message box, upgrade icons, the inter-level screen and its help (usage: see common.run)."""
import math
import random

import common

CYAN = "#38d9f5"
CYAN_B = "#8ff3ff"
TEAL = "#1fb3a3"
PANEL = "#0c1a2c"
ORANGE = "#ff8c1a"
RED = "#ff3b2f"
GOLD = "#ffcc33"
ICE = "#bfe9ff"
SEC = "#a9c3d6"
FONT = 'font-family="FreeSans"'


def write(rel, w, h, body):
    common.write(rel, f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
                      f'viewBox="0 0 {w} {h}">\n' + body.strip("\n") + "\n</svg>\n")


# ---------------------------------------------------------------- standard buttons
def button(w, h, label, over, size, icon=""):
    r = 10 if h >= 40 else 8
    if over:
        g0, g1, stroke, sop = "#2590b5", "#125a7c", CYAN_B, "1"
    else:
        g0, g1, stroke, sop = "#153a55", "#0a1c2e", CYAN, "0.65"
    glow = ""
    if over:
        glow = f'''
  <g clip-path="url(#clip)">
    <rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r-1}" fill="none" stroke="{CYAN_B}" stroke-width="7" stroke-opacity="0.55" filter="url(#soft)"/>
    <ellipse cx="{w/2}" cy="{h*0.62}" rx="{w*0.42}" ry="{h*0.45}" fill="{CYAN_B}" fill-opacity="0.16" filter="url(#soft)"/>
  </g>'''
    base = h / 2 + size * 0.36
    return f'''
<defs>
  <linearGradient id="fill" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{g0}"/>
    <stop offset="1" stop-color="{g1}"/>
  </linearGradient>
  <clipPath id="clip"><rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r-1}"/></clipPath>
  <filter id="soft" x="-20%" y="-50%" width="140%" height="200%"><feGaussianBlur stdDeviation="2.2"/></filter>
  <filter id="shadow" x="-10%" y="-30%" width="120%" height="160%"><feGaussianBlur stdDeviation="0.8"/></filter>
</defs>
<rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r-1}" fill="url(#fill)"/>{glow}
<line x1="{r+2}" y1="3.5" x2="{w-r-2}" y2="3.5" stroke="#ffffff" stroke-opacity="{0.45 if over else 0.22}" stroke-width="1" stroke-linecap="round"/>
<rect x="1" y="1" width="{w-2}" height="{h-2}" rx="{r-1}" fill="none" stroke="{stroke}" stroke-opacity="{sop}" stroke-width="2"/>
{icon}
<text x="{w/2+0.5}" y="{base+1:.1f}" {FONT} font-weight="bold" font-size="{size}" letter-spacing="1" text-anchor="middle" fill="#000000" fill-opacity="0.45" filter="url(#shadow)">{label}</text>
<text x="{w/2+0.5}" y="{base:.1f}" {FONT} font-weight="bold" font-size="{size}" letter-spacing="1" text-anchor="middle" fill="#ffffff">{label}</text>
'''


def buttons():
    for over in (False, True):
        sfx = "Over" if over else ""
        chev_op = "1" if over else "0.8"
        col = CYAN_B if over else CYAN
        start_icon = (f'<path d="M 104 18 L 112 25 L 104 32 M 111 18 L 119 25 L 111 32" fill="none" '
                      f'stroke="{col}" stroke-opacity="{chev_op}" stroke-width="2.5" stroke-linecap="round" stroke-linejoin="round"/>')
        back_icon = (f'<path d="M 36 18 L 28 25 L 36 32 M 29 18 L 21 25 L 29 32" fill="none" '
                     f'stroke="{col}" stroke-opacity="{chev_op}" stroke-width="2.5" stroke-linecap="round" stroke-linejoin="round"/>')
        write(f"smallStartBtn{sfx}.svg", 140, 50,
              button(140, 50, "START", over, 19, start_icon).replace('x="70.5"', 'x="62.5"'))
        write(f"smallBackBtn{sfx}.svg", 140, 50,
              button(140, 50, "BACK", over, 19, back_icon).replace('x="70.5"', 'x="78.5"'))
        write(f"smallBuy{sfx}.svg", 90, 30, button(90, 30, "BUY", over, 15))
        write(f"mbOk{sfx}.svg", 96, 36, button(96, 36, "OK", over, 17))
        write(f"mbCancel{sfx}.svg", 96, 36, button(96, 36, "CANCEL", over, 14))


# ---------------------------------------------------------------- in-game corner buttons
def corner_button(symbol, over):
    if over:
        g0, g1, stroke, sop, sym = "#2590b5", "#125a7c", CYAN_B, "1", "#ffffff"
    else:
        g0, g1, stroke, sop, sym = "#132f48", "#08141f", CYAN, "0.65", CYAN_B
    glow = ""
    if over:
        glow = f'''<g clip-path="url(#clip)">
  <rect x="2" y="2" width="44" height="44" rx="8" fill="none" stroke="{CYAN_B}" stroke-width="7" stroke-opacity="0.5" filter="url(#soft)"/>
</g>'''
    if symbol == "back":
        shape = ('<path d="M 32 24 L 16 24 M 23 15.5 L 14.5 24 L 23 32.5" fill="none" stroke="{c}" '
                 'stroke-width="{sw}" stroke-linecap="round" stroke-linejoin="round"/>')
    else:
        shape = ('<g fill="{c}"><rect x="16" y="14" width="6" height="20" rx="1.5"/>'
                 '<rect x="26" y="14" width="6" height="20" rx="1.5"/></g>')
    sym_glow = shape.format(c=CYAN if not over else CYAN_B, sw=6)
    sym_main = shape.format(c=sym, sw=4)
    return f'''
<defs>
  <linearGradient id="fill" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{g0}" stop-opacity="0.95"/>
    <stop offset="1" stop-color="{g1}" stop-opacity="0.95"/>
  </linearGradient>
  <clipPath id="clip"><rect x="2" y="2" width="44" height="44" rx="8"/></clipPath>
  <filter id="soft" x="-30%" y="-30%" width="160%" height="160%"><feGaussianBlur stdDeviation="2"/></filter>
</defs>
<rect x="2" y="2" width="44" height="44" rx="8" fill="url(#fill)"/>
{glow}
<line x1="10" y1="4.5" x2="38" y2="4.5" stroke="#ffffff" stroke-opacity="{0.45 if over else 0.2}" stroke-width="1" stroke-linecap="round"/>
<rect x="2" y="2" width="44" height="44" rx="8" fill="none" stroke="{stroke}" stroke-opacity="{sop}" stroke-width="2"/>
<g opacity="{0.7 if over else 0.35}" filter="url(#soft)">{sym_glow}</g>
{sym_main}
'''


def corner_buttons():
    write("gameUI/backNormal.svg", 48, 48, corner_button("back", False))
    write("gameUI/backOver.svg", 48, 48, corner_button("back", True))
    write("gameUI/pauseNormal.svg", 48, 48, corner_button("pause", False))
    write("gameUI/pauseOver.svg", 48, 48, corner_button("pause", True))


def score_plate():
    # hangs from the top edge: square top, rounded lower corners
    body = f'''
<defs>
  <linearGradient id="fill" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#081322" stop-opacity="0.92"/>
    <stop offset="1" stop-color="{PANEL}" stop-opacity="0.9"/>
  </linearGradient>
  <linearGradient id="edge" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="{CYAN}" stop-opacity="0.85"/>
    <stop offset="0.7" stop-color="{CYAN}" stop-opacity="0.7"/>
    <stop offset="1" stop-color="{TEAL}" stop-opacity="0.8"/>
  </linearGradient>
  <filter id="soft" x="-5%" y="-40%" width="110%" height="180%"><feGaussianBlur stdDeviation="1.3"/></filter>
</defs>
<path d="M 1 0 L 249 0 L 249 32 Q 249 42 239 42 L 11 42 Q 1 42 1 32 Z" fill="url(#fill)"/>
<path d="M 1 0 L 1 32 Q 1 42 11 42 L 239 42 Q 249 42 249 32 L 249 0" fill="none" stroke="{CYAN}" stroke-opacity="0.35" stroke-width="4" filter="url(#soft)"/>
<path d="M 1 0 L 1 32 Q 1 42 11 42 L 239 42 Q 249 42 249 32 L 249 0" fill="none" stroke="url(#edge)" stroke-width="2"/>
<line x1="6" y1="1.5" x2="244" y2="1.5" stroke="#ffffff" stroke-opacity="0.06" stroke-width="1"/>
<g fill="{CYAN}" fill-opacity="0.55">
  <path d="M 228 14 L 234 21 L 228 28 L 225 28 L 231 21 L 225 14 Z"/>
  <path d="M 236 14 L 242 21 L 236 28 L 233 28 L 239 21 L 233 14 Z" fill-opacity="0.3"/>
</g>
'''
    write("gameUI/scoreBG.svg", 250, 44, body)


# ---------------------------------------------------------------- bottom HUD strip
# The plate lies at screen (0, 743); the bars the game draws over it, in plate coordinates:
HEAT_X, HEAT_Y, HEAT_W = 352, 8, 310         # laser heat, 0..310 px
HULL_X, LOW_Y, HULL_W = 352, 18, 150         # structure, 0..150 px (150 = full)
SHIELD_X, SHIELD_W, SHIELD_FULL = 522, 300, 150  # shield: 150 px when full, regenerating to 300
BAR_H = 7
# The lower bars end on the screen's last row, so their tracks are open at the bottom edge.


def open_track(x0, x1, acc, op):
    """A track from x0 to x1 (pixel columns, inclusive) one row above the lower bars, running
    into the screen edge: a top rim and two walls, a faint lit floor on the last row."""
    y = LOW_Y - 1
    return (f'<rect x="{x0}" y="{y}" width="{x1-x0+1}" height="{25-y}" fill="url(#groove)"/>\n'
            f'<rect x="{x0+1}" y="24" width="{x1-x0-1}" height="1" fill="{acc}" fill-opacity="0.16"/>\n'
            f'<path d="M {x0+0.5} 25 L {x0+0.5} {y+2} Q {x0+0.5} {y+0.5} {x0+2} {y+0.5} L {x1-1.5} {y+0.5} '
            f'Q {x1+0.5} {y+0.5} {x1+0.5} {y+2} L {x1+0.5} 25" fill="none" stroke="{acc}" '
            f'stroke-opacity="{op}" stroke-width="1"/>')


def hud_strip(alarm):
    acc = ORANGE if alarm else CYAN
    fill0 = "#2a0f08" if alarm else "#0e1e33"
    fill1 = "#120604" if alarm else "#070f1c"
    # console outline, symmetric about x 512, wide enough for the shield track and its label
    L, R = 146, 878
    console = f"M {L} 25 L {L+20} 2 L {R-20} 2 L {R} 25 Z"
    edge = f"M {L} 25 L {L+20} 2 L {R-20} 2 L {R} 25"
    heat_end = HEAT_X + HEAT_W - 1          # 661
    hull_end = HULL_X + HULL_W - 1          # 501
    shield_full = SHIELD_X + SHIELD_FULL    # 672: the first column past a full shield
    shield_end = SHIELD_X + SHIELD_W - 1    # 821
    # heat scale above the heat track, one tick per tenth, warm towards the cap
    ticks = []
    for k in range(11):
        x = HEAT_X + k * 31 + 0.5 if k < 10 else heat_end + 0.5
        c = (RED if k >= 10 else ORANGE) if k >= 8 else acc
        op = 0.9 if k >= 8 else 0.55
        hgt = 3 if k % 5 == 0 else 2
        ticks.append(f'<line x1="{x}" y1="{7-hgt}" x2="{x}" y2="7" stroke="{c}" stroke-opacity="{op}" stroke-width="1"/>')
    groove_ticks = []
    for k in range(1, 10):
        x = HEAT_X + k * 31 + 0.5
        groove_ticks.append(f'<line x1="{x}" y1="9" x2="{x}" y2="14" stroke="{acc}" stroke-opacity="0.12" stroke-width="1"/>')
    for k in range(1, 5):
        for x0 in (HULL_X, SHIELD_X):
            x = x0 + k * 30 + 0.5
            groove_ticks.append(f'<line x1="{x}" y1="20" x2="{x}" y2="25" stroke="{acc}" stroke-opacity="0.1" stroke-width="1"/>')
    if alarm:
        # hazard stripes along both flanks
        stripes = []
        for x in range(-10, 1040, 14):
            stripes.append(f'<path d="M {x} 25 L {x+7} 25 L {x+20} 12 L {x+13} 12 Z"/>')
        flank = f'''
<g clip-path="url(#flanks)">
  <rect x="0" y="12" width="1024" height="13" fill="#1a0805" fill-opacity="0.75"/>
  <g fill="{ORANGE}" fill-opacity="0.42">{''.join(stripes)}</g>
  <line x1="0" y1="12.5" x2="1024" y2="12.5" stroke="{ORANGE}" stroke-opacity="0.75" stroke-width="1"/>
</g>'''
        status = f'''
<circle cx="677" cy="11" r="2.6" fill="{RED}"/>
<circle cx="677" cy="11" r="4.5" fill="{RED}" fill-opacity="0.35" filter="url(#soft)"/>
<text x="683" y="14.2" {FONT} font-weight="bold" font-size="9" letter-spacing="0.6" fill="{ORANGE}">OVERHEAT</text>'''
        heat_col = ORANGE
        warn = f'''
<path d="M 303 5 L 309 15 L 297 15 Z" fill="{ORANGE}" stroke="{ORANGE}" stroke-width="1" stroke-linejoin="round"/>
<rect x="302.4" y="7.8" width="1.3" height="4" fill="#1a0805"/><rect x="302.4" y="12.6" width="1.3" height="1.3" fill="#1a0805"/>'''
    else:
        flank = f'''
<g clip-path="url(#flanks)">
  <rect x="0" y="12" width="1024" height="13" fill="url(#flankfill)"/>
  <line x1="0" y1="12.5" x2="1024" y2="12.5" stroke="url(#flankline)" stroke-width="1"/>
  <g fill="{CYAN}" fill-opacity="0.18">
    <rect x="74" y="17" width="40" height="2"/><rect x="120" y="17" width="8" height="2"/>
    <rect x="910" y="17" width="40" height="2"/><rect x="896" y="17" width="8" height="2"/>
  </g>
</g>'''
        status = f'''
<circle cx="677" cy="11" r="2.4" fill="{TEAL}"/>
<circle cx="677" cy="11" r="4" fill="{TEAL}" fill-opacity="0.3" filter="url(#soft)"/>
<text x="683" y="14.2" {FONT} font-weight="bold" font-size="9" letter-spacing="0.6" fill="{SEC}">READY</text>'''
        heat_col = SEC
        warn = f'''
<g fill="{CYAN}" fill-opacity="0.45"><rect x="300" y="9" width="2" height="2"/><rect x="304" y="9" width="2" height="2"/><rect x="308" y="9" width="2" height="2"/></g>'''
    # vents on the console's shoulders
    vents = []
    for i in range(6):
        for x0 in (196, 770):
            x = x0 + i * 9
            vents.append(f'<path d="M {x} 16 L {x+4} 8 L {x+6} 8 L {x+2} 16 Z"/>')
    body = f'''
<defs>
  <linearGradient id="cfill" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{fill0}" stop-opacity="0.96"/>
    <stop offset="1" stop-color="{fill1}" stop-opacity="0.97"/>
  </linearGradient>
  <linearGradient id="flankfill" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#04060d" stop-opacity="0.35"/>
    <stop offset="0.25" stop-color="#0a1024" stop-opacity="0.75"/>
    <stop offset="0.75" stop-color="#0a1024" stop-opacity="0.75"/>
    <stop offset="1" stop-color="#04060d" stop-opacity="0.35"/>
  </linearGradient>
  <linearGradient id="flankline" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="{CYAN}" stop-opacity="0.05"/>
    <stop offset="0.25" stop-color="{CYAN}" stop-opacity="0.4"/>
    <stop offset="0.75" stop-color="{CYAN}" stop-opacity="0.4"/>
    <stop offset="1" stop-color="{CYAN}" stop-opacity="0.05"/>
  </linearGradient>
  <linearGradient id="groove" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#000000"/>
    <stop offset="1" stop-color="{'#1a0a06' if alarm else '#061020'}"/>
  </linearGradient>
  <pattern id="hatch" width="4" height="4" patternUnits="userSpaceOnUse" patternTransform="rotate(45)">
    <rect width="1.2" height="4" fill="{CYAN}" fill-opacity="0.16"/>
  </pattern>
  <clipPath id="flanks"><path d="M 0 0 L {L+20} 0 L {L} 25 L 0 25 Z M {R-20} 0 L 1024 0 L 1024 25 L {R} 25 Z"/></clipPath>
  <filter id="soft" x="-20%" y="-100%" width="140%" height="300%"><feGaussianBlur stdDeviation="1.2"/></filter>
</defs>
{flank}
<path d="{console}" fill="url(#cfill)"/>
<path d="{edge}" fill="none" stroke="{acc}" stroke-opacity="0.45" stroke-width="3" filter="url(#soft)"/>
<path d="{edge}" fill="none" stroke="{acc}" stroke-opacity="{0.95 if alarm else 0.75}" stroke-width="1.5" stroke-linejoin="round"/>
<line x1="{L+24}" y1="4" x2="{R-24}" y2="4" stroke="#ffffff" stroke-opacity="0.05" stroke-width="1"/>
<g fill="{acc}" fill-opacity="0.14">{''.join(vents)}</g>
{''.join(ticks)}
<rect x="{HEAT_X-1}" y="{HEAT_Y-1}" width="{HEAT_W+2}" height="{BAR_H+2}" rx="1.5" fill="url(#groove)"/>
{open_track(HULL_X - 1, hull_end + 1, acc, 0.35)}
{open_track(SHIELD_X - 1, shield_end + 1, acc, 0.35)}
<rect x="{shield_full}" y="{LOW_Y}" width="{shield_end + 1 - shield_full}" height="{BAR_H - 1}" fill="url(#hatch)"/>
{''.join(groove_ticks)}
<rect x="{HEAT_X-0.5}" y="{HEAT_Y-0.5}" width="{HEAT_W+1}" height="{BAR_H+1}" rx="1.5" fill="none" stroke="{acc}" stroke-opacity="0.4" stroke-width="1"/>
<line x1="{shield_full+0.5}" y1="{LOW_Y}" x2="{shield_full+0.5}" y2="25" stroke="{CYAN}" stroke-opacity="0.45" stroke-width="1"/>
<path d="M {shield_full-2.5} {LOW_Y-3} L {shield_full+3.5} {LOW_Y-3} L {shield_full+0.5} {LOW_Y} Z" fill="{CYAN}" fill-opacity="0.7"/>
<text x="346" y="15" {FONT} font-weight="bold" font-size="9" letter-spacing="0.5" text-anchor="end" fill="{heat_col}">HEAT</text>
<text x="346" y="24" {FONT} font-weight="bold" font-size="9" letter-spacing="0.5" text-anchor="end" fill="{SEC}">HULL</text>
<text x="{shield_end+6}" y="24" {FONT} font-weight="bold" font-size="9" letter-spacing="0.5" fill="{SEC}">SHIELD</text>
<path d="M 512 17.5 L 517 19 L 517 20.8 Q 517 23.2 512 24.2 Q 507 23.2 507 20.8 L 507 19 Z" fill="{CYAN}" fill-opacity="0.25" stroke="{CYAN}" stroke-opacity="0.9" stroke-width="1" stroke-linejoin="round"/>
{warn}
{status}
'''
    return body


def hud():
    write("noHeatBG.svg", 1024, 25, hud_strip(False))
    write("overheatBG.svg", 1024, 25, hud_strip(True))


def bar(w, stops):
    s = "\n".join(f'    <stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'''
<defs>
  <linearGradient id="h" x1="0" y1="0" x2="1" y2="0">
{s}
  </linearGradient>
  <linearGradient id="v" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff" stop-opacity="0.6"/>
    <stop offset="0.22" stop-color="#ffffff" stop-opacity="0.25"/>
    <stop offset="0.5" stop-color="#ffffff" stop-opacity="0"/>
    <stop offset="0.78" stop-color="#000000" stop-opacity="0.1"/>
    <stop offset="1" stop-color="#000000" stop-opacity="0.38"/>
  </linearGradient>
</defs>
<rect width="{w}" height="7" fill="url(#h)"/>
<rect width="{w}" height="7" fill="url(#v)"/>
'''


def bars():
    write("laserBar.svg", 310, 7, bar(310, [(0, "#ffe45c"), (0.3, "#ffc02e"), (0.6, ORANGE), (0.85, "#ff5a24"), (1, RED)]))
    write("healthBar.svg", 150, 7, bar(150, [(0, "#17a58a"), (0.5, "#2fd39a"), (1, "#6ef0a8")]))
    write("shieldBar.svg", 150, 7, bar(150, [(0, "#2a7bea"), (0.5, "#2fb4f2"), (1, CYAN_B)]))


# ---------------------------------------------------------------- touch controls
def control_zone():
    cx, cy = 72, 75
    ring_ticks = []
    for a in range(0, 360, 15):
        if a % 90 == 0:
            continue
        r0, r1 = (61, 66) if a % 45 == 0 else (63, 66)
        t = math.radians(a)
        ring_ticks.append(f'<line x1="{cx+r0*math.cos(t):.2f}" y1="{cy+r0*math.sin(t):.2f}" '
                          f'x2="{cx+r1*math.cos(t):.2f}" y2="{cy+r1*math.sin(t):.2f}"/>')
    chev = []
    for a in (0, 90, 180, 270):
        # chevron pointing outward at radius ~52
        t = math.radians(a)
        ux, uy = math.cos(t), math.sin(t)
        px, py = -uy, ux
        tip = (cx + 56 * ux, cy + 56 * uy)
        b1 = (cx + 50 * ux + 6 * px, cy + 50 * uy + 6 * py)
        b2 = (cx + 50 * ux - 6 * px, cy + 50 * uy - 6 * py)
        chev.append(f'<path d="M {b1[0]:.2f} {b1[1]:.2f} L {tip[0]:.2f} {tip[1]:.2f} L {b2[0]:.2f} {b2[1]:.2f}"/>')
    body = f'''
<defs>
  <radialGradient id="pad" cx="{cx}" cy="{cy}" r="72" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="{PANEL}" stop-opacity="0.18"/>
    <stop offset="0.6" stop-color="#0f2a44" stop-opacity="0.3"/>
    <stop offset="0.93" stop-color="{CYAN}" stop-opacity="0.2"/>
    <stop offset="1" stop-color="{CYAN}" stop-opacity="0"/>
  </radialGradient>
  <filter id="soft" x="-10%" y="-10%" width="120%" height="120%"><feGaussianBlur stdDeviation="1.5"/></filter>
</defs>
<circle cx="{cx}" cy="{cy}" r="72" fill="url(#pad)"/>
<circle cx="{cx}" cy="{cy}" r="68.5" fill="none" stroke="{CYAN}" stroke-opacity="0.4" stroke-width="4" filter="url(#soft)"/>
<circle cx="{cx}" cy="{cy}" r="68.5" fill="none" stroke="{CYAN}" stroke-opacity="0.75" stroke-width="2"/>
<circle cx="{cx}" cy="{cy}" r="71.3" fill="none" stroke="{CYAN}" stroke-opacity="0.22" stroke-width="1"/>
<circle cx="{cx}" cy="{cy}" r="40" fill="none" stroke="{CYAN}" stroke-opacity="0.22" stroke-width="1" stroke-dasharray="3 4"/>
<g stroke="{CYAN}" stroke-opacity="0.45" stroke-width="1.2">{''.join(ring_ticks)}</g>
<g stroke="{CYAN_B}" stroke-opacity="0.7" stroke-width="1.5" stroke-linecap="round">
  <line x1="{cx}" y1="{cy-66}" x2="{cx}" y2="{cy-58}"/><line x1="{cx}" y1="{cy+58}" x2="{cx}" y2="{cy+66}"/>
  <line x1="{cx-66}" y1="{cy}" x2="{cx-58}" y2="{cy}"/><line x1="{cx+58}" y1="{cy}" x2="{cx+66}" y2="{cy}"/>
</g>
<g fill="none" stroke="{CYAN_B}" stroke-opacity="0.6" stroke-width="2" stroke-linecap="round" stroke-linejoin="round">{''.join(chev)}</g>
<g stroke="{CYAN}" stroke-opacity="0.2" stroke-width="1">
  <line x1="{cx-36}" y1="{cy}" x2="{cx-14}" y2="{cy}"/><line x1="{cx+14}" y1="{cy}" x2="{cx+36}" y2="{cy}"/>
  <line x1="{cx}" y1="{cy-36}" x2="{cx}" y2="{cy-14}"/><line x1="{cx}" y1="{cy+14}" x2="{cx}" y2="{cy+36}"/>
</g>
<circle cx="{cx}" cy="{cy}" r="34" fill="none" stroke="{CYAN}" stroke-opacity="0.3" stroke-width="1"/>
'''
    write("controlZone.svg", 146, 150, body)


def control_point():
    body = f'''
<defs>
  <radialGradient id="glow" cx="32" cy="32" r="32" gradientUnits="userSpaceOnUse">
    <stop offset="0.7" stop-color="{CYAN}" stop-opacity="0.45"/>
    <stop offset="1" stop-color="{CYAN}" stop-opacity="0"/>
  </radialGradient>
  <radialGradient id="body" cx="26" cy="22" r="34" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#d8fbff"/>
    <stop offset="0.25" stop-color="{CYAN_B}"/>
    <stop offset="0.55" stop-color="{CYAN}"/>
    <stop offset="0.85" stop-color="#1686a8"/>
    <stop offset="1" stop-color="#0b4a66"/>
  </radialGradient>
  <radialGradient id="well" cx="32" cy="34" r="13" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#0d5876"/>
    <stop offset="0.8" stop-color="#1a8fb2"/>
    <stop offset="1" stop-color="#5fe3fa"/>
  </radialGradient>
  <linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff" stop-opacity="0.75"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
  </linearGradient>
</defs>
<circle cx="32" cy="32" r="32" fill="url(#glow)"/>
<circle cx="32" cy="33" r="26" fill="#021018" fill-opacity="0.55"/>
<circle cx="32" cy="32" r="26" fill="url(#body)"/>
<circle cx="32" cy="32" r="25.3" fill="none" stroke="#e6fdff" stroke-opacity="0.8" stroke-width="1.4"/>
<circle cx="32" cy="32" r="13" fill="url(#well)"/>
<circle cx="32" cy="32" r="13" fill="none" stroke="#063345" stroke-opacity="0.6" stroke-width="1"/>
<g fill="#0b4a66" fill-opacity="0.55">
  <circle cx="32" cy="10.5" r="1.6"/><circle cx="32" cy="53.5" r="1.6"/>
  <circle cx="10.5" cy="32" r="1.6"/><circle cx="53.5" cy="32" r="1.6"/>
</g>
<ellipse cx="30" cy="17" rx="15" ry="8" fill="url(#gloss)"/>
<circle cx="28" cy="28" r="3" fill="#ffffff" fill-opacity="0.35"/>
'''
    write("controlPoint.svg", 64, 64, body)


def fire_button(down):
    if down:
        stops = [(0, "#fff2b8"), (0.3, "#ffc04a"), (0.65, ORANGE), (1, "#d22a14")]
        rim, icon, halo = "#ffe0a0", "#ffffff", 0.7
    else:
        stops = [(0, "#ffb35c"), (0.35, ORANGE), (0.75, "#d1420f"), (1, "#6e1a08")]
        rim, icon, halo = "#ffb870", "#fff3e0", 0.3
    s = "\n".join(f'    <stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    gloss = 0.35 if down else 0.55
    body = f'''
<defs>
  <radialGradient id="halo" cx="39" cy="39" r="39" gradientUnits="userSpaceOnUse">
    <stop offset="0.78" stop-color="{ORANGE}" stop-opacity="{halo}"/>
    <stop offset="1" stop-color="{ORANGE}" stop-opacity="0"/>
  </radialGradient>
  <radialGradient id="body" cx="{39 if down else 33}" cy="{39 if down else 29}" r="36" gradientUnits="userSpaceOnUse">
{s}
  </radialGradient>
  <linearGradient id="ring" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#3a2a22"/>
    <stop offset="1" stop-color="#120a07"/>
  </linearGradient>
  <linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff" stop-opacity="{gloss}"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
  </linearGradient>
  <filter id="soft" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="1.6"/></filter>
</defs>
<circle cx="39" cy="39" r="39" fill="url(#halo)"/>
<circle cx="39" cy="39" r="34.5" fill="url(#ring)"/>
<circle cx="39" cy="39" r="34.5" fill="none" stroke="{rim}" stroke-opacity="0.85" stroke-width="1.5"/>
<circle cx="39" cy="39" r="28.5" fill="url(#body)"/>
<circle cx="39" cy="39" r="28.5" fill="none" stroke="#2a0c04" stroke-opacity="0.6" stroke-width="1"/>
<g fill="none" stroke="#ffffff" stroke-opacity="{0.9 if down else 0.0}" stroke-width="5" filter="url(#soft)">
  <circle cx="39" cy="39" r="12"/>
</g>
<g fill="none" stroke="{icon}" stroke-width="2.6" stroke-linecap="round">
  <circle cx="39" cy="39" r="12"/>
  <line x1="39" y1="20" x2="39" y2="30"/><line x1="39" y1="48" x2="39" y2="58"/>
  <line x1="20" y1="39" x2="30" y2="39"/><line x1="48" y1="39" x2="58" y2="39"/>
</g>
<circle cx="39" cy="39" r="2.6" fill="{icon}"/>
<ellipse cx="39" cy="{22 if not down else 23}" rx="18" ry="8" fill="url(#gloss)"/>
<g fill="{rim}" fill-opacity="0.6">
  <circle cx="39" cy="7.5" r="1.2"/><circle cx="39" cy="70.5" r="1.2"/>
  <circle cx="7.5" cy="39" r="1.2"/><circle cx="70.5" cy="39" r="1.2"/>
</g>
'''
    return body


def fire():
    write("firePoint.svg", 78, 78, fire_button(False))
    write("firePointDown.svg", 78, 78, fire_button(True))


# ---------------------------------------------------------------- message box
def message_box():
    write("mbBG.svg", 16, 16, '<rect width="16" height="16" fill="#02050c" fill-opacity="0.6"/>')
    body = f'''
<defs>
  <linearGradient id="fill" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#10233a" stop-opacity="0.96"/>
    <stop offset="0.55" stop-color="{PANEL}" stop-opacity="0.95"/>
    <stop offset="1" stop-color="#081322" stop-opacity="0.96"/>
  </linearGradient>
  <filter id="glow" x="-10%" y="-10%" width="120%" height="120%"><feGaussianBlur stdDeviation="1.6"/></filter>
</defs>
<rect x="3" y="3" width="254" height="134" rx="10" fill="none" stroke="{CYAN}" stroke-opacity="0.45" stroke-width="4" filter="url(#glow)"/>
<rect x="3" y="3" width="254" height="134" rx="10" fill="url(#fill)"/>
<rect x="3" y="3" width="254" height="134" rx="10" fill="none" stroke="{CYAN}" stroke-opacity="0.7" stroke-width="2"/>
<line x1="14" y1="5.5" x2="246" y2="5.5" stroke="#ffffff" stroke-opacity="0.12" stroke-width="1"/>
<g fill="{CYAN}">
  <rect x="12" y="10" width="14" height="3" rx="1" fill-opacity="0.85"/>
  <rect x="29" y="10" width="6" height="3" rx="1" fill-opacity="0.5"/>
  <rect x="38" y="10" width="3" height="3" rx="1" fill-opacity="0.3"/>
  <rect x="234" y="10" width="14" height="3" rx="1" fill-opacity="0.85"/>
  <rect x="225" y="10" width="6" height="3" rx="1" fill-opacity="0.5"/>
  <rect x="219" y="10" width="3" height="3" rx="1" fill-opacity="0.3"/>
</g>
<line x1="46" y1="11.5" x2="214" y2="11.5" stroke="{CYAN}" stroke-opacity="0.2" stroke-width="1"/>
<rect x="9" y="80" width="242" height="44" rx="7" fill="#040a14" fill-opacity="0.5"/>
<line x1="20" y1="80.5" x2="240" y2="80.5" stroke="{CYAN}" stroke-opacity="0.14" stroke-width="1"/>
<path d="M 110 131 L 150 131" stroke="{CYAN}" stroke-opacity="0.45" stroke-width="2" stroke-linecap="round"/>
'''
    write("mbWindow.svg", 260, 140, body)


# ---------------------------------------------------------------- upgrade icons
def icon_tile(inner):
    return f'''
<defs>
  <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#16395a"/>
    <stop offset="1" stop-color="#081628"/>
  </linearGradient>
  <radialGradient id="shine" cx="24" cy="16" r="30" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="{CYAN}" stop-opacity="0.22"/>
    <stop offset="1" stop-color="{CYAN}" stop-opacity="0"/>
  </radialGradient>
  <filter id="soft" x="-30%" y="-30%" width="160%" height="160%"><feGaussianBlur stdDeviation="1.3"/></filter>
  {inner[0]}
</defs>
<rect x="1" y="1" width="46" height="46" rx="8" fill="url(#tile)"/>
<rect x="1" y="1" width="46" height="46" rx="8" fill="url(#shine)"/>
{inner[1]}
<rect x="1" y="1" width="46" height="46" rx="8" fill="none" stroke="{CYAN}" stroke-opacity="0.6" stroke-width="1.5"/>
<line x1="9" y1="3" x2="39" y2="3" stroke="#ffffff" stroke-opacity="0.18" stroke-width="1" stroke-linecap="round"/>
'''


def icons():
    # hull plating: a hexagonal armour plate, bevelled and riveted
    def hexpts(cx, cy, r):
        return " ".join(f"{cx + r*math.cos(math.radians(a)):.2f},{cy + r*math.sin(math.radians(a)):.2f}"
                        for a in range(-90, 270, 60))
    rivets = "".join(f'<circle cx="{24 + 12.6*math.cos(math.radians(a)):.2f}" cy="{24.5 + 12.6*math.sin(math.radians(a)):.2f}" r="1.2"/>'
                     for a in range(-90, 270, 60))
    struct = ('''
  <linearGradient id="plate" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#e4eef4"/>
    <stop offset="0.45" stop-color="#9db4c4"/>
    <stop offset="1" stop-color="#4b6478"/>
  </linearGradient>
  <linearGradient id="bevel" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#8aa2b4"/>
    <stop offset="1" stop-color="#24384a"/>
  </linearGradient>''', f'''
<polygon points="{hexpts(24, 26, 19)}" fill="#02070e" fill-opacity="0.55"/>
<polygon points="{hexpts(24, 24.5, 19)}" fill="url(#bevel)" stroke="#0a1a26" stroke-width="1"/>
<polygon points="{hexpts(24, 24.5, 15.5)}" fill="url(#plate)"/>
<path d="M 10.6 24.5 L 37.4 24.5 M 17.3 12.9 L 24 24.5 L 30.7 12.9 M 17.3 36.1 L 24 24.5 L 30.7 36.1" stroke="#4b6478" stroke-opacity="0.55" stroke-width="1" fill="none"/>
<circle cx="24" cy="24.5" r="5" fill="#5d778b" stroke="#dbe8f0" stroke-opacity="0.7" stroke-width="1"/>
<circle cx="24" cy="24.5" r="2" fill="{TEAL}"/>
<g fill="#f2f8fb">{rivets}</g>
<polygon points="{hexpts(24, 24.5, 19)}" fill="none" stroke="{TEAL}" stroke-opacity="0.9" stroke-width="1.3"/>
<path d="M 12.5 17 L 24 10.2" stroke="#ffffff" stroke-opacity="0.85" stroke-width="1.3" stroke-linecap="round"/>
''')
    write("upgradeStruct.svg", 48, 48, icon_tile(struct))

    ship = "M 24 15 L 28.5 26 L 33 29.5 L 33 32 L 26.5 31 L 24 33.5 L 21.5 31 L 15 32 L 15 29.5 L 19.5 26 Z"
    shield = (f'''
  <radialGradient id="bubble" cx="24" cy="25" r="17" gradientUnits="userSpaceOnUse">
    <stop offset="0.55" stop-color="{CYAN}" stop-opacity="0.05"/>
    <stop offset="0.88" stop-color="{CYAN}" stop-opacity="0.45"/>
    <stop offset="1" stop-color="{CYAN_B}" stop-opacity="0.9"/>
  </radialGradient>
  <linearGradient id="hull" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#e8f2f8"/>
    <stop offset="1" stop-color="#6f8aa0"/>
  </linearGradient>''', f'''
<circle cx="24" cy="25" r="18.5" fill="none" stroke="{CYAN}" stroke-opacity="0.5" stroke-width="3" filter="url(#soft)"/>
<circle cx="24" cy="25" r="17" fill="url(#bubble)"/>
<path d="{ship}" fill="url(#hull)" stroke="#0b2233" stroke-width="0.8" stroke-linejoin="round"/>
<path d="M 24 19 L 25.4 24 L 22.6 24 Z" fill="{CYAN}"/>
<circle cx="24" cy="25" r="17" fill="none" stroke="{CYAN_B}" stroke-width="1.2"/>
<path d="M 12 18 A 14 14 0 0 1 22 10.5" fill="none" stroke="#ffffff" stroke-opacity="0.85" stroke-width="2" stroke-linecap="round"/>
<path d="M 35 33 A 14 14 0 0 1 30 37.5" fill="none" stroke="#ffffff" stroke-opacity="0.35" stroke-width="1.2" stroke-linecap="round"/>
''')
    write("upgradeShield.svg", 48, 48, icon_tile(shield))

    man = ('''
  <linearGradient id="hull" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#e8f2f8"/>
    <stop offset="1" stop-color="#6f8aa0"/>
  </linearGradient>
  <radialGradient id="puffL" cx="9" cy="29" r="6" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#fff3c4"/>
    <stop offset="0.45" stop-color="#ffb347"/>
    <stop offset="1" stop-color="#ff8c1a" stop-opacity="0"/>
  </radialGradient>
  <radialGradient id="puffR" cx="39" cy="29" r="6" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#fff3c4"/>
    <stop offset="0.45" stop-color="#ffb347"/>
    <stop offset="1" stop-color="#ff8c1a" stop-opacity="0"/>
  </radialGradient>''', f'''
<path d="M 10 14 A 17 17 0 0 1 38 14" fill="none" stroke="{CYAN_B}" stroke-width="2" stroke-linecap="round"/>
<path d="M 6.5 11 L 10.5 15.2 L 13 9.8" fill="none" stroke="{CYAN_B}" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>
<path d="M 41.5 11 L 37.5 15.2 L 35 9.8" fill="none" stroke="{CYAN_B}" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>
<ellipse cx="9" cy="29" rx="6" ry="3.2" fill="url(#puffL)"/>
<ellipse cx="39" cy="29" rx="6" ry="3.2" fill="url(#puffR)"/>
<path d="M 24 15 L 28 26 L 34 30 L 34 33 L 27 32 L 24 36 L 21 32 L 14 33 L 14 30 L 20 26 Z" fill="url(#hull)" stroke="#0b2233" stroke-width="0.8" stroke-linejoin="round"/>
<rect x="13" y="28" width="2" height="3.5" fill="{TEAL}"/><rect x="33" y="28" width="2" height="3.5" fill="{TEAL}"/>
<path d="M 24 20 L 25.5 25.5 L 22.5 25.5 Z" fill="{CYAN}"/>
<path d="M 21.5 36.5 L 24 41.5 L 26.5 36.5 Z" fill="{CYAN}" fill-opacity="0.8"/>
''')
    write("upgradeMan.svg", 48, 48, icon_tile(man))

    # laser cannon on a turret mount, firing up and to the right
    weap = (f'''
  <linearGradient id="barrel" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#e8f0f5"/>
    <stop offset="0.45" stop-color="#98aebe"/>
    <stop offset="1" stop-color="#34495b"/>
  </linearGradient>
  <radialGradient id="mount" cx="11" cy="34" r="13" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#b9cad6"/>
    <stop offset="0.7" stop-color="#5a7387"/>
    <stop offset="1" stop-color="#2a3d4e"/>
  </radialGradient>
  <linearGradient id="beam" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#fffbe6"/>
    <stop offset="0.45" stop-color="{GOLD}"/>
    <stop offset="1" stop-color="{ORANGE}" stop-opacity="0.2"/>
  </linearGradient>''', f'''
<g transform="rotate(-40 14 33)">
  <rect x="38" y="29.6" width="17" height="6.8" rx="3.4" fill="{ORANGE}" fill-opacity="0.8" filter="url(#soft)"/>
  <rect x="39" y="31.4" width="14" height="3.2" rx="1.6" fill="url(#beam)"/>
  <rect x="14" y="28.5" width="23" height="9" rx="2" fill="url(#barrel)" stroke="#0b2233" stroke-width="0.8"/>
  <rect x="21" y="26.5" width="3.4" height="13" rx="1" fill="url(#barrel)" stroke="#0b2233" stroke-width="0.7"/>
  <rect x="26.5" y="26.5" width="3.4" height="13" rx="1" fill="url(#barrel)" stroke="#0b2233" stroke-width="0.7"/>
  <rect x="34" y="27.5" width="5" height="11" rx="1.2" fill="#3a4f61" stroke="#0b2233" stroke-width="0.7"/>
  <rect x="31" y="31.8" width="2.6" height="2.4" fill="{CYAN}"/>
  <circle cx="39.5" cy="33" r="2.6" fill="#fff3c4"/>
</g>
<path d="M 3 41.5 A 11 11 0 0 1 25 41.5 Z" fill="url(#mount)" stroke="#0b2233" stroke-width="0.8"/>
<path d="M 6.5 37 A 8.5 8.5 0 0 1 13 31.5" fill="none" stroke="#ffffff" stroke-opacity="0.55" stroke-width="1.1" stroke-linecap="round"/>
<circle cx="14" cy="36" r="2.6" fill="#1a2b3a" stroke="{CYAN}" stroke-opacity="0.85" stroke-width="1"/>
<rect x="2" y="41.5" width="24" height="3" rx="1" fill="#2c4052" stroke="#0b2233" stroke-width="0.7"/>
<rect x="4" y="42.3" width="20" height="1.2" fill="{TEAL}" fill-opacity="0.9"/>
''')
    write("upgradeWeapons.svg", 48, 48, icon_tile(weap))


# ---------------------------------------------------------------- inter-level screen
def panel(x, y, w, h, extra=""):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="10" fill="{CYAN}" fill-opacity="0" '
            f'stroke="{CYAN}" stroke-opacity="0.35" stroke-width="5" filter="url(#glow)"/>\n'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="10" fill="{PANEL}" fill-opacity="0.88"/>\n'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="10" fill="none" stroke="{CYAN}" '
            f'stroke-opacity="0.7" stroke-width="2"/>{extra}\n')


def legend(x, y, text, size=10):
    # caption sitting on a panel border, the border broken behind it
    wpx = len(text) * size * 0.72 + 10
    return (f'<rect x="{x-5}" y="{y-6}" width="{wpx:.0f}" height="11" fill="#0a1628"/>\n'
            f'<text x="{x}" y="{y+3.6:.1f}" {FONT} font-weight="bold" font-size="{size}" letter-spacing="1.5" '
            f'fill="{CYAN_B}">{text}</text>\n')


def stars(rng, n, x0, y0, x1, y1, avoid=None):
    out = []
    for _ in range(n):
        x = rng.uniform(x0, x1)
        y = rng.uniform(y0, y1)
        r = rng.choice([0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.2, 1.5])
        op = rng.uniform(0.25, 0.9)
        col = rng.choice(["#ffffff", "#ffffff", "#ffffff", ICE, "#ffe9c4", CYAN_B])
        out.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r}" fill="{col}" fill-opacity="{op:.2f}"/>')
    return "\n".join(out)


def inter_level():
    rng = random.Random(4242)
    star_field = stars(rng, 340, 0, 0, 1024, 768)
    bright = []
    for (x, y) in [(78, 330), (262, 470), (905, 160), (968, 560), (770, 612), (190, 690), (560, 120), (860, 330), (40, 520)]:
        bright.append(f'<circle cx="{x}" cy="{y}" r="3.5" fill="{ICE}" fill-opacity="0.35" filter="url(#blur2)"/>'
                      f'<circle cx="{x}" cy="{y}" r="1.3" fill="#ffffff"/>'
                      f'<path d="M {x-6} {y} L {x+6} {y} M {x} {y-6} L {x} {y+6}" stroke="#ffffff" stroke-opacity="0.35" stroke-width="0.6"/>')
    rows = []
    for ry in (313, 367, 422, 479):
        rows.append(f'''
<rect x="348.5" y="{ry-1.5}" width="51" height="51" rx="9" fill="#040a14" stroke="{CYAN}" stroke-opacity="0.2" stroke-width="1"/>
<rect x="578.5" y="{ry+7.5}" width="95" height="35" rx="9" fill="#030810" fill-opacity="0.9" stroke="{CYAN}" stroke-opacity="0.22" stroke-width="1"/>
<path d="M 612 {ry+25} L 640 {ry+25}" stroke="{CYAN}" stroke-opacity="0.12" stroke-width="2" stroke-linecap="round"/>''')
    seps = []
    for sy in (364.5, 418.5, 474.5):
        seps.append(f'<line x1="408" y1="{sy}" x2="682" y2="{sy}" stroke="{CYAN}" stroke-opacity="0.16" stroke-width="1"/>')
    body = f'''
<defs>
  <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#0a1024"/>
    <stop offset="0.55" stop-color="#070c1b"/>
    <stop offset="1" stop-color="#04060d"/>
  </linearGradient>
  <radialGradient id="neb1" cx="180" cy="560" r="330" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#1fb3a3" stop-opacity="0.28"/>
    <stop offset="0.5" stop-color="#136a8a" stop-opacity="0.12"/>
    <stop offset="1" stop-color="#0a1024" stop-opacity="0"/>
  </radialGradient>
  <radialGradient id="neb2" cx="880" cy="420" r="300" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#5a3aa8" stop-opacity="0.26"/>
    <stop offset="0.6" stop-color="#2a2a78" stop-opacity="0.1"/>
    <stop offset="1" stop-color="#0a1024" stop-opacity="0"/>
  </radialGradient>
  <radialGradient id="neb3" cx="620" cy="110" r="260" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#1d4f9a" stop-opacity="0.25"/>
    <stop offset="1" stop-color="#0a1024" stop-opacity="0"/>
  </radialGradient>
  <filter id="cloud" x="0" y="0" width="100%" height="100%">
    <feTurbulence type="fractalNoise" baseFrequency="0.006 0.009" numOctaves="4" seed="17" result="n"/>
    <feColorMatrix in="n" type="matrix" values="0 0 0 0 0.12  0 0 0 0 0.55  0 0 0 0 0.75  0 0 0 1.6 -0.75"/>
  </filter>
  <filter id="cloud2" x="0" y="0" width="100%" height="100%">
    <feTurbulence type="fractalNoise" baseFrequency="0.008 0.006" numOctaves="4" seed="5" result="n"/>
    <feColorMatrix in="n" type="matrix" values="0 0 0 0 0.45  0 0 0 0 0.3  0 0 0 0 0.85  0 0 0 1.6 -0.78"/>
  </filter>
  <mask id="m1"><rect width="1024" height="768" fill="url(#neb1m)"/></mask>
  <radialGradient id="neb1m" cx="170" cy="560" r="360" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#000000"/>
  </radialGradient>
  <mask id="m2"><rect width="1024" height="768" fill="url(#neb2m)"/></mask>
  <radialGradient id="neb2m" cx="880" cy="380" r="340" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#000000"/>
  </radialGradient>
  <radialGradient id="planet" cx="870" cy="20" r="190" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#3d6d8c"/>
    <stop offset="0.55" stop-color="#1b3a55"/>
    <stop offset="0.85" stop-color="#0c1a2e"/>
    <stop offset="1" stop-color="#070d1c"/>
  </radialGradient>
  <linearGradient id="title" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff"/>
    <stop offset="0.55" stop-color="{CYAN_B}"/>
    <stop offset="1" stop-color="{CYAN}"/>
  </linearGradient>
  <linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="{CYAN}" stop-opacity="0"/>
    <stop offset="0.5" stop-color="{CYAN}" stop-opacity="0.8"/>
    <stop offset="1" stop-color="{CYAN}" stop-opacity="0"/>
  </linearGradient>
  <linearGradient id="band" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#13304c" stop-opacity="0.9"/>
    <stop offset="1" stop-color="#081426" stop-opacity="0.9"/>
  </linearGradient>
  <radialGradient id="coin" cx="514" cy="274" r="9" gradientUnits="userSpaceOnUse">
    <stop offset="0" stop-color="#fff1b0"/>
    <stop offset="0.6" stop-color="{GOLD}"/>
    <stop offset="1" stop-color="#b8860b"/>
  </radialGradient>
  <clipPath id="planetclip"><circle cx="930" cy="-60" r="210"/></clipPath>
  <filter id="glow" x="-5%" y="-5%" width="110%" height="110%"><feGaussianBlur stdDeviation="3"/></filter>
  <filter id="blur2" x="-100%" y="-100%" width="300%" height="300%"><feGaussianBlur stdDeviation="2"/></filter>
  <filter id="blur6" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="6"/></filter>
</defs>
<rect width="1024" height="768" fill="url(#sky)"/>
<rect width="1024" height="768" fill="url(#neb1)"/>
<rect width="1024" height="768" fill="url(#neb2)"/>
<rect width="1024" height="768" fill="url(#neb3)"/>
<g mask="url(#m1)"><rect width="1024" height="768" filter="url(#cloud)" opacity="0.75"/></g>
<g mask="url(#m2)"><rect width="1024" height="768" filter="url(#cloud2)" opacity="0.7"/></g>
{star_field}
{''.join(bright)}
<!-- a gas giant peeking in at the top right -->
<circle cx="930" cy="-60" r="216" fill="{CYAN}" fill-opacity="0.25" filter="url(#blur6)"/>
<circle cx="930" cy="-60" r="210" fill="url(#planet)"/>
<g clip-path="url(#planetclip)" fill="none" stroke="#8fd0e8" stroke-opacity="0.08">
  <ellipse cx="930" cy="40" rx="260" ry="26" stroke-width="10"/>
  <ellipse cx="930" cy="90" rx="260" ry="30" stroke-width="6"/>
  <ellipse cx="930" cy="125" rx="260" ry="22" stroke-width="4"/>
</g>
<circle cx="930" cy="-60" r="209" fill="none" stroke="{CYAN_B}" stroke-opacity="0.35" stroke-width="1.5"/>

<!-- heading -->
<text x="512" y="150" {FONT} font-size="14" letter-spacing="6" text-anchor="middle" fill="{SEC}">VEL MORA FLEET COMMAND</text>
<text x="512" y="206" {FONT} font-weight="bold" font-size="44" letter-spacing="9" text-anchor="middle" fill="{CYAN}" fill-opacity="0.5" filter="url(#blur6)">CAMPAIGN</text>
<text x="512" y="206" {FONT} font-weight="bold" font-size="44" letter-spacing="9" text-anchor="middle" fill="url(#title)">CAMPAIGN</text>
<rect x="332" y="222" width="360" height="1.5" fill="url(#rule)"/>
<g fill="{CYAN}"><path d="M 508 218 L 512 222.75 L 508 227.5 L 504 222.75 Z" fill-opacity="0.9"/></g>

<!-- main console -->
{panel(328, 240, 368, 508)}
<!-- header: stage and credits -->
<rect x="340" y="252" width="344" height="44" rx="7" fill="url(#band)" stroke="{CYAN}" stroke-opacity="0.35" stroke-width="1"/>
<line x1="500.5" y1="258" x2="500.5" y2="290" stroke="{CYAN}" stroke-opacity="0.3" stroke-width="1"/>
<circle cx="514" cy="277" r="8" fill="url(#coin)" stroke="#7a5a06" stroke-width="1"/>
<path d="M 514 271.5 L 518.5 274.2 L 518.5 279.8 L 514 282.5 L 509.5 279.8 L 509.5 274.2 Z" fill="none" stroke="#8a6508" stroke-width="1"/>
<!-- upgrade shop -->
<rect x="340.5" y="304.5" width="343" height="229" rx="7" fill="#07111f" fill-opacity="0.7" stroke="{CYAN}" stroke-opacity="0.35" stroke-width="1"/>
{legend(600, 304.5, "UPGRADES")}
{''.join(seps)}
{''.join(rows)}
<!-- briefing -->
<rect x="340.5" y="541.5" width="343" height="79" rx="7" fill="#07111f" fill-opacity="0.7" stroke="{CYAN}" stroke-opacity="0.35" stroke-width="1"/>
{legend(356, 541.5, "MISSION BRIEFING")}
<rect x="343" y="550" width="3" height="62" rx="1.5" fill="{ORANGE}" fill-opacity="0.7"/>
<!-- launch status -->
<text x="512" y="650" {FONT} font-size="10" letter-spacing="3" text-anchor="middle" fill="{SEC}" fill-opacity="0.75">AWAITING LAUNCH ORDERS</text>
<g fill="{CYAN}" fill-opacity="0.55">
  <path d="M 372 642 L 378 646 L 372 650 Z"/><path d="M 382 642 L 388 646 L 382 650 Z" fill-opacity="0.35"/><path d="M 392 642 L 398 646 L 392 650 Z" fill-opacity="0.18"/>
  <path d="M 652 642 L 646 646 L 652 650 Z"/><path d="M 642 642 L 636 646 L 642 650 Z" fill-opacity="0.35"/><path d="M 632 642 L 626 646 L 632 650 Z" fill-opacity="0.18"/>
</g>
<!-- button tray -->
<rect x="340.5" y="670.5" width="343" height="67" rx="7" fill="#07111f" fill-opacity="0.7" stroke="{CYAN}" stroke-opacity="0.35" stroke-width="1"/>
<rect x="351.5" y="677.5" width="145" height="55" rx="11" fill="#030810" stroke="{CYAN}" stroke-opacity="0.2" stroke-width="1"/>
<rect x="497.5" y="677.5" width="145" height="55" rx="11" fill="#030810" stroke="{CYAN}" stroke-opacity="0.2" stroke-width="1"/>
<g>
  <circle cx="664" cy="690" r="3" fill="{TEAL}"/><circle cx="664" cy="690" r="5" fill="{TEAL}" fill-opacity="0.3" filter="url(#blur2)"/>
  <circle cx="664" cy="705" r="3" fill="{CYAN}" fill-opacity="0.6"/>
  <circle cx="664" cy="720" r="3" fill="{ORANGE}" fill-opacity="0.8"/><circle cx="664" cy="720" r="5" fill="{ORANGE}" fill-opacity="0.3" filter="url(#blur2)"/>
</g>
'''
    write("interLevel.svg", 1024, 768, body)


def campaign_help():
    def caption(side, y, title, sub, tx, ty):
        # plate in the margin, an arrow to (tx, ty)
        if side == "L":
            px, pw = 92, 206
            ax0 = px + pw
        else:
            px, pw = 726, 206
            ax0 = px
        tcol = CYAN_B
        out = [f'<rect x="{px+0.5}" y="{y-22.5}" width="{pw}" height="45" rx="8" fill="#06101e" fill-opacity="0.78" '
               f'stroke="{TEAL}" stroke-opacity="0.75" stroke-width="1"/>',
               f'<text x="{px+14}" y="{y-4}" {FONT} font-weight="bold" font-size="13" letter-spacing="1.2" fill="{tcol}">{title}</text>',
               f'<text x="{px+14}" y="{y+13}" {FONT} font-size="11.5" fill="{SEC}">{sub}</text>']
        # arrow
        dx = tx - ax0
        d = 1 if dx > 0 else -1
        mx = ax0 + d * 8
        head = f"M {tx} {ty} L {tx - d*9} {ty-5} L {tx - d*9} {ty+5} Z"
        if abs(ty - y) < 1:
            path = f"M {ax0} {y} L {tx - d*8} {ty}"
        else:
            path = f"M {ax0} {y} L {mx} {y} L {tx - d*18} {ty} L {tx - d*8} {ty}"
        out.append(f'<path d="{path}" fill="none" stroke="#000000" stroke-opacity="0.5" stroke-width="4" stroke-linejoin="round"/>')
        out.append(f'<path d="{path}" fill="none" stroke="{GOLD}" stroke-width="2" stroke-linejoin="round"/>')
        out.append(f'<path d="{head}" fill="{GOLD}"/>')
        return "\n".join(out)

    caps = [
        caption("L", 276, "STAGE", "the mission you fly next", 322, 276),
        caption("R", 276, "YOUR CREDITS", "earned by winning missions", 702, 276),
        caption("R", 420, "UPGRADE SHOP", "tap BUY to improve your ship", 702, 420),
        caption("L", 580, "MISSION BRIEFING", "your target and the reward", 322, 580),
        caption("L", 706, "BACK", "return to the main menu", 322, 706),
        caption("R", 706, "START", "launch the mission", 702, 706),
    ]
    write("campaignHelp.svg", 1024, 768, "\n".join(caps))


if __name__ == "__main__":
    common.run(buttons, corner_buttons, score_plate, hud, bars, control_zone, control_point, fire,
               message_box, icons, inter_level, campaign_help)
