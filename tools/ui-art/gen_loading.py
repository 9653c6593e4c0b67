"""The loading screen and its progress bar (usage: see common.run)."""
from common import *

W, H = 1024, 768


def loading():
    defs = [STAR_DEFS, TITLE_DEFS,
            nebula_filter("nebA", "0.0035 0.005", 7, "#1fb3a3", gain=2.4, bias=-1.05),
            nebula_filter("nebB", "0.006", 21, "#5a3fb0", gain=2.6, bias=-1.15),
            nebula_filter("nebC", "0.012", 3, "#38d9f5", gain=2.0, bias=-1.05, octaves=4),
            '''<radialGradient id="sky" cx="0.5" cy="0.38" r="0.75">
  <stop offset="0" stop-color="#111c3a"/>
  <stop offset="0.55" stop-color="#0a1024"/>
  <stop offset="1" stop-color="#04060d"/>
</radialGradient>
<radialGradient id="nebMaskG" cx="0.5" cy="0.42" r="0.55">
  <stop offset="0" stop-color="#ffffff" stop-opacity="1"/>
  <stop offset="0.7" stop-color="#ffffff" stop-opacity="0.5"/>
  <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
</radialGradient>
<mask id="nebMask" maskUnits="userSpaceOnUse" x="0" y="0" width="1024" height="768">
  <rect width="1024" height="768" fill="url(#nebMaskG)"/>
</mask>
<radialGradient id="planet" cx="0.5" cy="0.0" r="0.55" fx="0.5" fy="-0.05">
  <stop offset="0" stop-color="#123a4a"/>
  <stop offset="0.35" stop-color="#0a1a28"/>
  <stop offset="1" stop-color="#04060d"/>
</radialGradient>
<linearGradient id="atmo" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#1fb3a3" stop-opacity="0"/>
  <stop offset="0.5" stop-color="#8ff3ff" stop-opacity="1"/>
  <stop offset="1" stop-color="#1fb3a3" stop-opacity="0"/>
</linearGradient>
<filter id="bands" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.0025 0.045" numOctaves="4" seed="11"/>
  <feColorMatrix type="matrix" values="0 0 0 0 0.12  0 0 0 0 0.45  0 0 0 0 0.5  1.6 0 0 0 -0.55"/>
</filter>
<linearGradient id="terminator" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#04060d" stop-opacity="0"/>
  <stop offset="0.55" stop-color="#04060d" stop-opacity="0.45"/>
  <stop offset="1" stop-color="#04060d" stop-opacity="0.85"/>
</linearGradient>
<filter id="atmoBlur" x="-10%" y="-50%" width="120%" height="200%"><feGaussianBlur stdDeviation="10"/></filter>
<filter id="rimBlur" x="-10%" y="-50%" width="120%" height="200%"><feGaussianBlur stdDeviation="1.5"/></filter>
<linearGradient id="capLine" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5" stop-opacity="0"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0.7"/>
</linearGradient>
<linearGradient id="capLineR" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5" stop-opacity="0.7"/>
  <stop offset="1" stop-color="#38d9f5" stop-opacity="0"/>
</linearGradient>''']
    body = []
    body.append('<rect width="1024" height="768" fill="url(#sky)"/>')
    body.append('<g mask="url(#nebMask)">'
                '<rect width="1024" height="768" filter="url(#nebB)" opacity="0.75"/>'
                '<rect width="1024" height="768" filter="url(#nebA)" opacity="0.8"/>'
                '<rect width="1024" height="768" filter="url(#nebC)" opacity="0.35"/></g>')
    body.append(starfield(W, H, 420, 1234, ymax=640))
    # planet horizon: a huge dark world whose rim glows; the loading bar sits on its dark face
    R = 1150
    cy = 610 + R
    body.append(f'<ellipse cx="512" cy="{cy}" rx="{R+40}" ry="{R}" fill="none" stroke="url(#atmo)" stroke-width="26" opacity="0.5" filter="url(#atmoBlur)"/>')
    body.append(f'<ellipse cx="512" cy="{cy}" rx="{R+40}" ry="{R}" fill="#04060d"/>')
    body.append(f'<ellipse cx="512" cy="{cy}" rx="{R+40}" ry="{R}" fill="url(#planet)" opacity="0.9" '
                f'transform="translate(0 0)"/>')
    body.append(f'<ellipse cx="512" cy="{cy}" rx="{R+40}" ry="{R}" fill="none" stroke="url(#atmo)" '
                f'stroke-width="3" filter="url(#rimBlur)"/>')
    body.append(f'<ellipse cx="512" cy="{cy}" rx="{R+40}" ry="{R}" fill="none" stroke="#ffffff" '
                f'stroke-opacity="0.5" stroke-width="0.8"/>')
    # banded surface texture, low contrast so the bar strip stays calm
    body.append(f'<clipPath id="pc"><ellipse cx="512" cy="{cy}" rx="{R+40}" ry="{R}"/></clipPath>')
    body.append('<g clip-path="url(#pc)"><rect x="0" y="600" width="1024" height="168" filter="url(#bands)" opacity="0.55"/>'
                '<rect x="0" y="600" width="1024" height="168" fill="url(#terminator)"/></g>')
    body.append(title(512, 320, size=116, spacing=20))
    # caption above the bar
    body.append(text(513, 741, "LOADING", 14, fill=SEC, spacing=6))
    body.append('<rect x="363" y="735" width="90" height="1" fill="url(#capLine)"/>')
    body.append('<rect x="573" y="735" width="90" height="1" fill="url(#capLineR)"/>')
    write("loadingBG.svg", svg(W, H, "\n".join(body), "\n".join(defs)))


def pbbg():
    body = ('<rect x="0" y="0" width="300" height="10" fill="#04060d" fill-opacity="0.92"/>'
            '<rect x="1" y="1" width="298" height="8" fill="#0a1024" fill-opacity="0.6"/>'
            '<rect x="0.5" y="0.5" width="299" height="9" fill="none" stroke="#38d9f5" stroke-width="1"/>')
    write("pbBG.svg", svg(300, 10, body))


def pb():
    defs = '''<linearGradient id="h" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#38d9f5"/>
  <stop offset="1" stop-color="#1fb3a3"/>
</linearGradient>
<linearGradient id="v" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffffff" stop-opacity="0.55"/>
  <stop offset="0.3" stop-color="#ffffff" stop-opacity="0.12"/>
  <stop offset="0.6" stop-color="#000000" stop-opacity="0"/>
  <stop offset="1" stop-color="#04060d" stop-opacity="0.35"/>
</linearGradient>'''
    body = ('<rect width="16" height="8" fill="url(#h)"/>'
            '<rect width="16" height="8" fill="url(#v)"/>')
    write("pb.svg", svg(16, 8, body, defs))


if __name__ == "__main__":
    run(loading, pbbg, pb)
