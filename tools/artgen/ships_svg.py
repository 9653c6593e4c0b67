#!/usr/bin/env python3
"""Authoring script for the ship pictures: writes the player's fighter (ship, ship_left,
ship_right) and the cargo freighter (CShip, CShip_left, CShip_right) SVGs under assets/images/.

The SVG files are the sources the build renders; this script only saves drawing each ship three
times. A banked picture is the level one with the wing on the side it rolls to foreshortened and
turned away from the light, the other wing catching it. Edit here and run
`python3 tools/artgen/ships_svg.py`, or edit the SVGs by hand; the build never runs this.
"""
import os
import re

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "images")

sheen_l = '<path d="M33 34 L6 45 L6 55 L33 47 Z" fill="#ffffff" opacity="0.22"/>'
sheen_r = '<path d="M49 34 L76 45 L76 55 L49 47 Z" fill="#ffffff" opacity="0.22"/>'

def ship(bank):
    # bank: 0 level, -1 rolling left, +1 rolling right
    # Light comes from the upper left. When the ship rolls, the wing on that side dips:
    # it is foreshortened and turned away from the viewer (darker); the other wing rises (brighter).
    lscale = 0.87 if bank < 0 else 1.0
    rscale = 0.87 if bank > 0 else 1.0
    lwing = ("#c3cfdc", "#7e8ea3") if bank == 0 else (("#7d8ca1", "#46546a") if bank < 0 else ("#eef4fa", "#9fb0c4"))
    rwing = ("#aebbca", "#6c7c91") if bank == 0 else (("#6d7c91", "#3e4b5e") if bank > 0 else ("#e4edf5", "#98a9bd"))
    # fuselage highlight shifts towards the raised side
    hl = {0: 37.0, -1: 43.0, 1: 36.0}[bank]
    bodyshift = {0: 0.0, -1: -0.6, 1: 0.6}[bank]
    sheen = {0: "", -1: 'R', 1: 'L'}[bank]
    title = {0: "", -1: ", banked to the left (left wing dipped)", 1: ", banked to the right (right wing dipped)"}[bank]
    return f'''<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="81" height="91" viewBox="0 0 81 91">
  <!-- The player's fighter seen from above, nose up{title}. Light from the upper left.
       Wings span x 0-80 at y 30-80, the fuselage x 32-49 over y 0-90; the guns' muzzles sit
       where the bolts start: (2,33) and (77,33) on the wing pods, (38,0) on the nose. -->
  <defs>
    <linearGradient id="lwing" x1="0" y1="0" x2="0.4" y2="1">
      <stop offset="0" stop-color="{lwing[0]}"/><stop offset="1" stop-color="{lwing[1]}"/>
    </linearGradient>
    <linearGradient id="rwing" x1="0" y1="0" x2="0.4" y2="1">
      <stop offset="0" stop-color="{rwing[0]}"/><stop offset="1" stop-color="{rwing[1]}"/>
    </linearGradient>
    <linearGradient id="hull" gradientUnits="userSpaceOnUse" x1="32" y1="0" x2="49" y2="0">
      <stop offset="0" stop-color="#7d8ca0"/>
      <stop offset="{(hl-32)/17:.3f}" stop-color="#eef3f8"/>
      <stop offset="1" stop-color="#5f6e83"/>
    </linearGradient>
    <linearGradient id="pod" gradientUnits="objectBoundingBox" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#e6edf4"/><stop offset="0.5" stop-color="#a9b7c7"/><stop offset="1" stop-color="#56657a"/>
    </linearGradient>
    <linearGradient id="barrel" gradientUnits="objectBoundingBox" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#9fb0c2"/><stop offset="0.5" stop-color="#4a586b"/><stop offset="1" stop-color="#26303e"/>
    </linearGradient>
    <linearGradient id="glass" x1="0" y1="0" x2="0.3" y2="1">
      <stop offset="0" stop-color="#8ff3ff"/><stop offset="0.35" stop-color="#1f7fa0"/><stop offset="1" stop-color="#0a2238"/>
    </linearGradient>
    <radialGradient id="flame" cx="0.5" cy="0.2" r="0.8">
      <stop offset="0" stop-color="#ffffff"/><stop offset="0.25" stop-color="#ffe2a0"/>
      <stop offset="0.6" stop-color="#ff8c1a" stop-opacity="0.8"/><stop offset="1" stop-color="#ff3b2f" stop-opacity="0"/>
    </radialGradient>
    <radialGradient id="halo" cx="0.5" cy="0.3" r="0.6">
      <stop offset="0" stop-color="#ff8c1a" stop-opacity="0.55"/><stop offset="1" stop-color="#ff8c1a" stop-opacity="0"/>
    </radialGradient>
    <g id="wing">
      <!-- main wing: root under the fuselage, swept tip carrying the gun pod -->
      <path d="M34 33 L6.5 44 L5.5 67 L34 76 Z" stroke="#0b1426" stroke-width="0.8" stroke-linejoin="round"/>
      <!-- leading-edge armour stripe -->
      <path d="M33.5 35.2 L7.5 45.6 L7.5 48.8 L33.5 39.2 Z" fill="#1fb3a3" opacity="0.95"/>
      <path d="M33.5 35.2 L7.5 45.6 L7.5 46.6 L33.5 36.4 Z" fill="#8ff3ff" opacity="0.8"/>
      <!-- darker aft panel: a two-tone wing -->
      <path d="M33.5 54 L7 57.5 L6.3 66.6 L33.5 75.2 Z" fill="#0b1426" opacity="0.14"/>
      <!-- panel lines and a flap -->
      <path d="M27 43 L27 73.5 M19 46.5 L19 71" stroke="#0b1426" stroke-opacity="0.35" stroke-width="0.6" fill="none"/>
      <path d="M10 65.5 L19 68.5 L19 71 L10 68.2 Z" fill="#0b1426" opacity="0.35"/>
      <path d="M21 69 L31 72.3 L31 74.9 L21 71.8 Z" fill="#0b1426" opacity="0.3"/>
      <!-- hot exhaust vent at the back of the pod -->
      <!-- gun pod and its barrel: the bolt leaves the muzzle at the top -->
      <rect x="2.3" y="30.2" width="2.4" height="16" rx="0.8" fill="url(#barrel)" stroke="#0b1426" stroke-width="0.5"/>
      <rect x="1.8" y="30" width="3.4" height="2" rx="0.6" fill="#38d9f5"/>
      <path d="M3.5 39 C6 39 6.3 42 6.3 44 L6.3 68 C6.3 71 5 72.5 3.5 72.5 C2 72.5 0.7 71 0.7 68 L0.7 44 C0.7 42 1 39 3.5 39 Z" fill="url(#pod)" stroke="#0b1426" stroke-width="0.7"/>
      <rect x="1.8" y="50" width="3.4" height="1.2" fill="#1fb3a3"/>
      <rect x="1.8" y="66.5" width="3.4" height="1" fill="#0b1426" opacity="0.5"/>
      <rect x="2.2" y="69.3" width="2.6" height="1.6" rx="0.5" fill="#ff8c1a"/>
    </g>
  </defs>
  <!-- engine glow behind everything -->
  <ellipse cx="40.5" cy="87" rx="13" ry="5" fill="url(#halo)"/>
  <ellipse cx="36.3" cy="87" rx="3.1" ry="3.9" fill="url(#flame)"/>
  <ellipse cx="44.7" cy="87" rx="3.1" ry="3.9" fill="url(#flame)"/>
  <!-- wings (the left one is the original, the right one its mirror through x = 41) -->
  <g transform="translate(34 0) scale({lscale} 1) translate(-34 0)" fill="url(#lwing)"><use xlink:href="#wing"/></g>
  <g transform="translate(82 0) scale(-1 1) translate(34 0) scale({rscale} 1) translate(-34 0)" fill="url(#rwing)"><use xlink:href="#wing"/></g>
  {"" if not sheen else (sheen_l if sheen == "L" else sheen_r)}
  <!-- tail stabilisers -->
  <path d="M33 66 L26.5 80 L29.5 81 L34.5 72 Z" fill="#6f7f94" stroke="#0b1426" stroke-width="0.6" stroke-linejoin="round"/>
  <path d="M48 66 L54.5 80 L51.5 81 L46.5 72 Z" fill="#56657a" stroke="#0b1426" stroke-width="0.6" stroke-linejoin="round"/>
  <g transform="translate({bodyshift} 0)">
  <!-- fuselage -->
  <path d="M40.5 1.5 C42.5 6 44.6 11 46 17 C47.7 24 48.4 31 48.5 40 L48.5 77 C48.5 80 47.8 82.5 46.8 84.2 L34.2 84.2 C33.2 82.5 32.5 80 32.5 77 L32.5 40 C32.6 31 33.3 24 35 17 C36.4 11 38.5 6 40.5 1.5 Z"
        fill="url(#hull)" stroke="#0b1426" stroke-width="0.8" stroke-linejoin="round"/>
  <!-- nose gun -->
  <rect x="39.6" y="0.2" width="1.8" height="7" rx="0.6" fill="#3a4657"/>
  <rect x="39.4" y="0" width="2.2" height="1.4" rx="0.5" fill="#38d9f5"/>
  <!-- canopy -->
  <path d="M40.5 13 C42.6 15.5 43.6 20 43.6 25 C43.6 28.5 42.4 31 40.5 31 C38.6 31 37.4 28.5 37.4 25 C37.4 20 38.4 15.5 40.5 13 Z" fill="url(#glass)" stroke="#0b1426" stroke-width="0.7"/>
  <path d="M39.4 16.5 C38.7 18.5 38.5 20.5 38.6 22.5" stroke="#e8fdff" stroke-width="0.9" stroke-linecap="round" fill="none" opacity="0.9"/>
  <!-- intakes beside the cockpit -->
  <path d="M33.6 33 L36 30 L36 40 L33.6 41 Z" fill="#1a2433"/>
  <path d="M47.4 33 L45 30 L45 40 L47.4 41 Z" fill="#1a2433"/>
  <!-- spine, panel lines, stripes -->
  <path d="M40.5 32 L40.5 80" stroke="#0b1426" stroke-opacity="0.3" stroke-width="0.6"/>
  <path d="M33 46 L48 46 M33 62 L48 62" stroke="#0b1426" stroke-opacity="0.35" stroke-width="0.6"/>
  <rect x="36.5" y="49" width="8" height="2.2" fill="#1fb3a3"/>
  <rect x="36.5" y="49" width="8" height="0.8" fill="#8ff3ff" opacity="0.7"/>
  <rect x="38.5" y="54" width="4" height="5" rx="1" fill="#2b3646" opacity="0.8"/>
  <!-- engine block and nozzles -->
  <path d="M33.2 74 L47.8 74 L47.4 83 L33.6 83 Z" fill="#4a586b" opacity="0.55"/>
  <rect x="34" y="80.5" width="4.6" height="4.2" rx="1.2" fill="#263140" stroke="#0b1426" stroke-width="0.5"/>
  <rect x="42.4" y="80.5" width="4.6" height="4.2" rx="1.2" fill="#263140" stroke="#0b1426" stroke-width="0.5"/>
  <rect x="34.8" y="83" width="3" height="1.4" rx="0.6" fill="#ffd27a"/>
  <rect x="43.2" y="83" width="3" height="1.4" rx="0.6" fill="#ffd27a"/>
  </g>
</svg>
'''


def cship(bank):
    ls = 0.88 if bank < 0 else 1.0
    rs = 0.88 if bank > 0 else 1.0
    lcol = ("#9aa1a9", "#5e656e") if bank == 0 else (("#737a83", "#43494f") if bank < 0 else ("#b9c0c7", "#707882"))
    rcol = ("#8a9199", "#4f565e") if bank == 0 else (("#656c75", "#393e44") if bank > 0 else ("#aab1b8", "#666e77"))
    shift = {0: 0, -1: -0.8, 1: 0.8}[bank]
    title = {0: "", -1: ", banked to the left", 1: ", banked to the right"}[bank]
    return f'''<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="141" height="141" viewBox="0 0 141 141">
  <!-- The escorted cargo freighter seen from above{title}: bridge, a spine loaded with
       containers (x 42-94 over the whole height) and the wide engine deck (x 0-140, y 80-140). -->
  <defs>
    <linearGradient id="lhull" x1="0" y1="0" x2="0.3" y2="1"><stop offset="0" stop-color="{lcol[0]}"/><stop offset="1" stop-color="{lcol[1]}"/></linearGradient>
    <linearGradient id="rhull" x1="0" y1="0" x2="0.3" y2="1"><stop offset="0" stop-color="{rcol[0]}"/><stop offset="1" stop-color="{rcol[1]}"/></linearGradient>
    <linearGradient id="spine" gradientUnits="userSpaceOnUse" x1="42" y1="0" x2="95" y2="0">
      <stop offset="0" stop-color="#7c838c"/><stop offset="0.3" stop-color="#c9ced3"/><stop offset="1" stop-color="#4a5058"/>
    </linearGradient>
    <linearGradient id="cyl" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#4a5058"/><stop offset="0.35" stop-color="#c2c8ce"/><stop offset="0.65" stop-color="#8a9198"/><stop offset="1" stop-color="#3c4248"/>
    </linearGradient>
    <linearGradient id="glass" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8ff3ff"/><stop offset="1" stop-color="#1a5f7a"/></linearGradient>
    <radialGradient id="flame" cx="0.5" cy="0.15" r="0.85">
      <stop offset="0" stop-color="#ffffff"/><stop offset="0.3" stop-color="#ffd98a"/>
      <stop offset="0.65" stop-color="#ff8c1a" stop-opacity="0.75"/><stop offset="1" stop-color="#ff3b2f" stop-opacity="0"/>
    </radialGradient>
    <pattern id="hazard" patternUnits="userSpaceOnUse" width="6" height="6" patternTransform="rotate(45)">
      <rect width="6" height="6" fill="#1b1d21"/><rect width="3" height="6" fill="#ffcc33"/>
    </pattern>
    <linearGradient id="crateA" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#d08a3e"/><stop offset="1" stop-color="#8a4f1c"/></linearGradient>
    <linearGradient id="crateB" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#3fa39a"/><stop offset="1" stop-color="#1d5c58"/></linearGradient>
    <linearGradient id="crateC" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#b9a552"/><stop offset="1" stop-color="#6f6128"/></linearGradient>
    <linearGradient id="crateD" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#6f8fb0"/><stop offset="1" stop-color="#37506b"/></linearGradient>
    <!-- left half of the wide engine deck; the right half is its mirror -->
    <g id="deck">
      <ellipse cx="9.3" cy="137.5" rx="5" ry="3.5" fill="url(#flame)"/>
      <path d="M70.5 80.5 L30 84 L10 92 L10 131 L30 134 L70.5 134 Z" stroke="#0b1426" stroke-width="1" stroke-linejoin="round"/>
      <path d="M66 83.2 L30 86.4 L12 93.5 L12 97.5 L30 90.5 L66 87.5 Z" fill="url(#hazard)" opacity="0.9"/>
      <path d="M16 104 L40 104 M16 116 L40 116 M28 98 L28 130" stroke="#0b1426" stroke-opacity="0.4" stroke-width="0.8" fill="none"/>
      <rect x="18" y="107" width="16" height="6" rx="1" fill="#0b1426" opacity="0.35"/>
      <rect x="31" y="121" width="10" height="3" fill="#ff8c1a" opacity="0.85"/>
      <!-- outboard engine pod -->
      <rect x="0.8" y="86" width="17" height="48" rx="7" fill="url(#cyl)" stroke="#0b1426" stroke-width="1"/>
      <rect x="2.5" y="92" width="13.5" height="2" fill="#0b1426" opacity="0.45"/>
      <rect x="2.5" y="122" width="13.5" height="2" fill="#0b1426" opacity="0.45"/>
      <circle cx="9.3" cy="89.5" r="1.6" fill="#ff3b2f"/>
      <path d="M3.5 133 L15 133 L13.5 137.5 L5 137.5 Z" fill="#2a2f36" stroke="#0b1426" stroke-width="0.7"/>
    </g>
  </defs>
  <!-- engine flames -->
  <ellipse cx="58.5" cy="136.8" rx="7" ry="4.2" fill="url(#flame)"/>
  <ellipse cx="78.5" cy="136.8" rx="7" ry="4.2" fill="url(#flame)"/>
  <g transform="translate(70.5 0) scale({ls} 1) translate(-70.5 0)" fill="url(#lhull)"><use xlink:href="#deck"/></g>
  <g transform="translate(141 0) scale(-1 1) translate(70.5 0) scale({rs} 1) translate(-70.5 0)" fill="url(#rhull)"><use xlink:href="#deck"/></g>
  <g transform="translate({shift} 0)">
  <!-- spine from the bridge to the engines -->
  <path d="M56 20 L81 20 L83 134 L54 134 Z" fill="url(#spine)" stroke="#0b1426" stroke-width="1"/>
  <path d="M56 40 L81 40 M56 58 L81 58 M56 76 L81 76 M55 96 L82 96 M55 114 L82 114" stroke="#0b1426" stroke-opacity="0.45" stroke-width="0.8"/>
  <rect x="64" y="28" width="9" height="100" fill="#0b1426" opacity="0.18"/>
  <!-- cargo containers clamped along the spine -->
  <g stroke="#0b1426" stroke-width="0.9">
    <rect x="42.6" y="26" width="13.6" height="17" rx="1.2" fill="url(#crateA)"/>
    <rect x="42.6" y="44.5" width="13.6" height="17" rx="1.2" fill="url(#crateB)"/>
    <rect x="42.6" y="63" width="13.6" height="17" rx="1.2" fill="url(#crateC)"/>
    <rect x="80.8" y="26" width="13.6" height="17" rx="1.2" fill="url(#crateD)"/>
    <rect x="80.8" y="44.5" width="13.6" height="17" rx="1.2" fill="url(#crateA)"/>
    <rect x="80.8" y="63" width="13.6" height="17" rx="1.2" fill="url(#crateB)"/>
  </g>
  <g stroke="#0b1426" stroke-opacity="0.45" stroke-width="0.7" fill="none">
    <path d="M45.5 27.5 L45.5 41.5 M49.5 27.5 L49.5 41.5 M53.5 27.5 L53.5 41.5"/>
    <path d="M45.5 46 L45.5 60 M49.5 46 L49.5 60 M53.5 46 L53.5 60"/>
    <path d="M45.5 64.5 L45.5 78.5 M49.5 64.5 L49.5 78.5 M53.5 64.5 L53.5 78.5"/>
    <path d="M83.7 27.5 L83.7 41.5 M87.7 27.5 L87.7 41.5 M91.7 27.5 L91.7 41.5"/>
    <path d="M83.7 46 L83.7 60 M87.7 46 L87.7 60 M91.7 46 L91.7 60"/>
    <path d="M83.7 64.5 L83.7 78.5 M87.7 64.5 L87.7 78.5 M91.7 64.5 L91.7 78.5"/>
  </g>
  <!-- bridge -->
  <path d="M54 26 L54 14 C54 6 60 1.5 68.5 1.5 C77 1.5 83 6 83 14 L83 26 Z" fill="url(#spine)" stroke="#0b1426" stroke-width="1"/>
  <path d="M58.5 10.5 C61 6.8 64.5 5.5 68.5 5.5 C72.5 5.5 76 6.8 78.5 10.5 L77 13 C74.5 10.6 71.8 9.6 68.5 9.6 C65.2 9.6 62.5 10.6 60 13 Z" fill="url(#glass)" stroke="#0b1426" stroke-width="0.6"/>
  <rect x="59" y="17" width="19" height="4" rx="1" fill="#ffcc33" opacity="0.9"/>
  <rect x="59" y="17" width="19" height="4" rx="1" fill="url(#hazard)" opacity="0.6"/>
  <circle cx="68.5" cy="23.5" r="1.4" fill="#38d9f5"/>
  <!-- main engine bells -->
  <path d="M52.5 129 L64.5 129 L63.5 136 L53.5 136 Z" fill="#2a2f36" stroke="#0b1426" stroke-width="0.8"/>
  <path d="M72.5 129 L84.5 129 L83.5 136 L73.5 136 Z" fill="#2a2f36" stroke="#0b1426" stroke-width="0.8"/>
  <rect x="54.5" y="134" width="8" height="1.6" rx="0.7" fill="#ffd27a"/>
  <rect x="74.5" y="134" width="8" height="1.6" rx="0.7" fill="#ffd27a"/>
  </g>
</svg>
'''


def tidy(svg):
    # drop identity scalings so the level pictures read cleanly
    svg = re.sub(r' translate\((\d+\.?\d*) 0\) scale\(1\.0 1\) translate\(-\1 0\)', '', svg)
    svg = re.sub(r'transform="translate\((\d+\.?\d*) 0\) scale\(1\.0 1\) translate\(-\1 0\)" ', '', svg)
    svg = re.sub(r'<g transform="translate\(0(\.0)? 0\)">', '<g>', svg)
    svg = re.sub(r'\n  \n', '\n', svg)
    return svg

for name, b in (("ship", 0), ("ship_left", -1), ("ship_right", 1)):
    open(f"{out}/{name}.svg", "w").write(tidy(ship(b)))

for name, b in (("CShip", 0), ("CShip_left", -1), ("CShip_right", 1)):
    open(f"{out}/{name}.svg", "w").write(tidy(cship(b)))
