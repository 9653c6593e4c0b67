#!/usr/bin/env python3
"""Stages the game's run tree for the browser: every picture, font, level and sound under the
same name, except that the two music loops are made mono at 22050 Hz (a quarter of the bytes;
effects stay as they are). The user folder is not copied: the browser keeps its own."""
import os
import shutil
import sys
import warnings
import wave

with warnings.catch_warnings():
    warnings.simplefilter("ignore", DeprecationWarning)
    import audioop

MUSIC = {"Sounds/main.wav", "Sounds/loop.wav"}
MUSIC_RATE = 22050


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
                else:
                    shutil.copyfile(source, target)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: stage_data.py <native Data> <web Data>")
    main(sys.argv[1], sys.argv[2])
