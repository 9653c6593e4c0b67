#!/usr/bin/env python3
"""Finishes the browser build's site folder around the linked game (Velmora.js, .wasm, .data):
the page, its script and its worker, the web app manifest, the icons (from the game's icon
source, as the desktop's are), the light loading picture, and the build's list of its files with
their SHA-256 (build.json), from which the build's name is made. Whatever else lies in the folder
is removed: it holds only what is served.

    make_site.py <site> <source root> <native Data>
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile

GAME_FILES = ["Velmora.js", "Velmora.wasm", "Velmora.data", "Velmora-assets.data"]
THEME = "#04060d"  # the icon's and the loading screen's deep space
BACKGROUND = "#000000"  # the page's own, around the letterboxed frame
DESCRIPTION = ("A 2-D space shooter: steer your ship, shoot asteroids with a laser that overheats, collect "
               "calabrium ore and ice, in endless free play or a campaign of missions with an upgrade shop.")


def run(command, stdin=None):
    return subprocess.run(command, input=stdin, stdout=subprocess.PIPE, check=True).stdout


def render(svg_text, size, target):
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as svg:
        svg.write(svg_text)
    try:
        run(["rsvg-convert", "--format=png", f"--width={size}", f"--height={size}", "--output", target, svg.name])
    finally:
        os.unlink(svg.name)


def on_full_square(icon_svg, scale):
    """The icon drawn at `scale` of a square filled with the theme colour: a maskable icon keeps
    its picture inside the middle 80 % that every mask shape leaves."""
    inner = re.sub(r"<\?xml[^>]*>", "", icon_svg).strip().replace(' width="256" height="256"', "", 1)
    inner = re.sub(r"<svg\b", f'<svg x="{128 * (1 - scale)}" y="{128 * (1 - scale)}" width="{256 * scale}" '
                   f'height="{256 * scale}"', inner, count=1)
    return ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="256" '
            f'height="256" viewBox="0 0 256 256"><rect width="256" height="256" fill="{THEME}"/>{inner}</svg>')


def make_icons(site, source_root):
    icon = open(os.path.join(source_root, "assets/icon/velmora.svg")).read()
    render(icon, 192, os.path.join(site, "icon-192.png"))
    render(icon, 512, os.path.join(site, "icon-512.png"))
    render(icon, 32, os.path.join(site, "favicon.png"))
    render(on_full_square(icon, 0.78), 512, os.path.join(site, "icon-maskable-512.png"))
    # iOS rounds the corners itself and shows black where a picture is see-through.
    render(on_full_square(icon, 0.94), 180, os.path.join(site, "apple-touch-icon.png"))


def make_loading_picture(site, native_data):
    """The loading screen's picture, small and light, for the page to show from its first second."""
    pixels = run(["pngtopnm", os.path.join(native_data, "Images/loadingBG.png")])
    small = run(["pamscale", "-width=512", "-height=384"], pixels)
    with open(os.path.join(site, "loading.jpg"), "wb") as out:
        out.write(run(["pnmtojpeg", "--quality=60", "--optimize", "--progressive"], small))


def manifest():
    return json.dumps({
        "id": "./",
        "name": "Vel Mora",
        "short_name": "Vel Mora",
        "description": DESCRIPTION,
        "start_url": "./",
        "scope": "./",
        "display": "fullscreen",
        "display_override": ["fullscreen", "standalone"],
        "orientation": "landscape",
        "theme_color": THEME,
        "background_color": BACKGROUND,
        "categories": ["games"],
        "icons": [
            {"src": "icon-192.png", "sizes": "192x192", "type": "image/png", "purpose": "any"},
            {"src": "icon-512.png", "sizes": "512x512", "type": "image/png", "purpose": "any"},
            {"src": "icon-maskable-512.png", "sizes": "512x512", "type": "image/png", "purpose": "maskable"},
        ],
    }, indent=2) + "\n"


def digest(path):
    return hashlib.sha256(open(path, "rb").read()).hexdigest()


def main(site, source_root, native_data):
    pages = os.path.join(source_root, "platform/web")
    for name in GAME_FILES:
        if not os.path.isfile(os.path.join(site, name)):
            sys.exit(f"{site} has no {name}: link the game first")
    make_icons(site, source_root)
    make_loading_picture(site, native_data)
    open(os.path.join(site, "manifest.webmanifest"), "w").write(manifest())
    for script in ("app.js", "storage.js"):
        open(os.path.join(site, script), "w").write(open(os.path.join(pages, script)).read())
    cached = GAME_FILES + ["app.js", "storage.js", "manifest.webmanifest", "loading.jpg", "favicon.png", "apple-touch-icon.png",
                           "icon-192.png", "icon-512.png", "icon-maskable-512.png"]
    # The build's name: the hash of every file but the page, which carries it.
    listed = [[name, digest(os.path.join(site, name))] for name in cached]
    build = hashlib.sha256(json.dumps(listed).encode()).hexdigest()[:16]
    page = open(os.path.join(pages, "index.html")).read().replace("@VELMORA_BUILD@", build)
    open(os.path.join(site, "index.html"), "w").write(page)
    listed.append(["index.html", digest(os.path.join(site, "index.html"))])
    # The worker is the same script in every build: the build it copies is named in build.json.
    open(os.path.join(site, "sw.js"), "w").write(open(os.path.join(pages, "sw.js")).read())
    open(os.path.join(site, "build.json"), "w").write(json.dumps({"build": build, "files": listed}) + "\n")
    served = set(cached) | {"index.html", "sw.js", "build.json"}
    for name in os.listdir(site):
        path = os.path.join(site, name)
        if name not in served and (os.path.isfile(path) or os.path.islink(path)):
            os.unlink(path)
    print(f"site {site}: build {build}")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: make_site.py <site> <source root> <native Data>")
    main(*sys.argv[1:])
