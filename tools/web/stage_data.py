#!/usr/bin/env python3
"""Stages the game's run tree for the browser, where every byte is a download:
- the music loops (Sounds/main.wav, Sounds/loop.wav) become Ogg Vorbis beside their names
  (Sounds/main.ogg), stereo at their own rate, with their exact length in samples kept in the
  stream so the loop point stays where it is; the game decodes them itself;
- a large fully opaque picture becomes a JPEG beside its name (Images/menuBG.jpg): the loading
  screen's and the menu's at a quality whose decoded pixels stay within a few levels of the PNG's,
  the rounds' backgrounds a little lighter;
- other pictures keep their pixels, their image data compressed harder;
- effects, fonts and levels stay as they are. The user folder is not copied: the browser keeps
  its own.
Needs oggenc (vorbis-tools) and pngtopnm / pnmtojpeg (netpbm); uses only what every current
Python has.

    stage_data.py <native Data> <web Data>
    stage_data.py --music <loop.wav> <loop.ogg>     (one music loop only)
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave
import zlib

MUSIC = {"Sounds/main.wav", "Sounds/loop.wav"}
MUSIC_QUALITY = "1"  # oggenc's scale: about 80 kbit/s in stereo at 44.1 kHz, so that a first visit stays light
# Pictures seen before any round: full-resolution colour, near the PNG's pixels.
FIRST_SEEN = {"Images/loadingBG.png", "Images/menuBG.png"}
FIRST_SEEN_JPEG = ["--quality=92", "--sample=1x1,1x1,1x1"]
OTHER_JPEG = ["--quality=86"]
JPEG_FROM_PIXELS = 256 * 256  # smaller pictures stay exact: a JPEG would save next to nothing


def run(command, stdin=None):
    return subprocess.run(command, input=stdin, stdout=subprocess.PIPE, check=True).stdout


def stage_music(source, target):
    """Encodes a WAV loop as Ogg Vorbis with its length in samples as the LOOPLENGTH comment."""
    with wave.open(source, "rb") as wav:
        frames = wav.getnframes()
        if wav.getsampwidth() != 2:
            sys.exit(f"{source}: the music must be 16-bit PCM")
    run(["oggenc", "--quiet", "--quality", MUSIC_QUALITY, "--comment", f"LOOPLENGTH={frames}",
         "--output", target, source])


def pnm_body(data):
    """The raster of a binary PNM image (after its four header fields)."""
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        fields.append(data[start:position])
    return fields, data[position + 1:]


def large_and_opaque(source):
    fields, alpha = pnm_body(run(["pngtopnm", "-alpha", source]))
    pixels = int(fields[1]) * int(fields[2])
    return pixels >= JPEG_FROM_PIXELS and alpha.count(b"\xff") == len(alpha) == pixels and fields[3] == b"255"


def stage_jpeg(source, target, options):
    pixels = run(["pngtopnm", source])
    with open(target, "wb") as out:
        out.write(run(["pnmtojpeg", "--optimize"] + options, pixels))


def stage_png(source, target):
    """Recompresses a PNG's image data at zlib's best level; rows, filters and pixels stay."""
    data = open(source, "rb").read()
    signature, position, chunks, image = data[:8], 8, [], b""
    while position < len(data):
        (length,) = struct.unpack(">I", data[position:position + 4])
        kind = data[position + 4:position + 8]
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IDAT":
            image += body
            if not any(k == b"IDAT" for k, _ in chunks):
                chunks.append((kind, None))
        else:
            chunks.append((kind, body))
    packed = zlib.compress(zlib.decompress(image), 9)
    if len(packed) >= len(image):
        shutil.copyfile(source, target)
        return
    with open(target, "wb") as out:
        out.write(signature)
        for kind, body in chunks:
            body = packed if body is None else body
            out.write(struct.pack(">I", len(body)) + kind + body)
            out.write(struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def main(source_root, target_root):
    # Staged beside the target and moved in whole, so a failed run leaves no half-made tree.
    parent = os.path.dirname(os.path.abspath(target_root))
    os.makedirs(parent, exist_ok=True)
    staging = tempfile.mkdtemp(prefix=".staging-", dir=parent)
    try:
        for folder in ("Images", "Fonts", "Sounds", "Levels"):
            for directory, _, names in os.walk(os.path.join(source_root, folder)):
                for name in sorted(names):
                    source = os.path.join(directory, name)
                    relative = os.path.relpath(source, source_root).replace(os.sep, "/")
                    target = os.path.join(staging, relative)
                    os.makedirs(os.path.dirname(target), exist_ok=True)
                    stem = os.path.splitext(target)[0]
                    if relative in MUSIC:
                        stage_music(source, stem + ".ogg")
                    elif relative.endswith(".png") and large_and_opaque(source):
                        stage_jpeg(source, stem + ".jpg", FIRST_SEEN_JPEG if relative in FIRST_SEEN else OTHER_JPEG)
                    elif relative.endswith(".png"):
                        stage_png(source, target)
                    else:
                        shutil.copyfile(source, target)
        if os.path.isdir(target_root):
            shutil.rmtree(target_root)
        os.rename(staging, target_root)
    finally:
        if os.path.isdir(staging):
            shutil.rmtree(staging)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--music":
        stage_music(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3:
        main(sys.argv[1], sys.argv[2])
    else:
        sys.exit("usage: stage_data.py <native Data> <web Data> | --music <wav> <ogg>")
