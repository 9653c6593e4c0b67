#!/usr/bin/env python3
"""Stages the game's run tree for the browser, every file under its own name: the pictures with
the same pixels, their image data compressed harder; the two music loops made mono at 16000 Hz
(under a fifth of the bytes; effects stay as they are); fonts and levels as they are. The user
folder is not copied: the browser keeps its own."""
import os
import shutil
import struct
import sys
import warnings
import wave
import zlib

with warnings.catch_warnings():
    warnings.simplefilter("ignore", DeprecationWarning)
    import audioop

MUSIC = {"Sounds/main.wav", "Sounds/loop.wav"}
MUSIC_RATE = 16000


def stage_music(source, target):
    with wave.open(source, "rb") as wav:
        channels, width, rate = wav.getnchannels(), wav.getsampwidth(), wav.getframerate()
        frames = wav.readframes(wav.getnframes())
    if channels == 2:
        frames = audioop.tomono(frames, width, 0.5, 0.5)
    if rate != MUSIC_RATE:
        frames, _ = audioop.ratecv(frames, width, 1, rate, MUSIC_RATE, None)
    with wave.open(target, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(width)
        out.setframerate(MUSIC_RATE)
        out.writeframes(frames)


def stage_picture(source, target):
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
    if os.path.isdir(target_root):
        shutil.rmtree(target_root)
    for folder in ("Images", "Fonts", "Sounds", "Levels"):
        for directory, _, names in os.walk(os.path.join(source_root, folder)):
            for name in sorted(names):
                source = os.path.join(directory, name)
                relative = os.path.relpath(source, source_root).replace(os.sep, "/")
                target = os.path.join(target_root, relative)
                os.makedirs(os.path.dirname(target), exist_ok=True)
                if relative in MUSIC:
                    stage_music(source, target)
                elif relative.endswith(".png"):
                    stage_picture(source, target)
                else:
                    shutil.copyfile(source, target)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: stage_data.py <native Data> <web Data>")
    main(sys.argv[1], sys.argv[2])
