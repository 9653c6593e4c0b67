#!/usr/bin/env python3
"""Packs the browser's run tree into one download laid out in the order the loading screen opens
it (tools/web/load_order.txt), so the page can hand the game each step's files as they arrive:

    "VMPK", the index's length (4 bytes, little-endian), the index as JSON:
        [[path under Data/, loading step, size], ...] in the order of the bytes,
    then every file's bytes, one after the other.

    pack_assets.py <web Data> <load order> <output> [file left out ...]
"""
import fnmatch
import json
import os
import struct
import sys


def read_order(path):
    rules = []
    with open(path, encoding="utf-8") as order:
        for number, line in enumerate(order, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            if not words[0].isdigit() or len(words) < 2:
                sys.exit(f"{path}:{number}: expected a step number and file patterns")
            rules.extend((int(words[0]), pattern, number) for pattern in words[1:])
    return rules


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    data, order, output, left_out = sys.argv[1], sys.argv[2], sys.argv[3], set(sys.argv[4:])
    files = sorted(os.path.relpath(os.path.join(folder, name), data).replace(os.sep, "/")
                   for folder, _, names in os.walk(data) for name in names)
    files = [f for f in files if f not in left_out]
    rules = read_order(order)
    step_of = {}
    for step, pattern, number in rules:
        named = [f for f in files if fnmatch.fnmatchcase(f, pattern)]
        if not named:
            sys.exit(f"{order}:{number}: {pattern} names no file of {data}")
        for f in named:
            step_of.setdefault(f, step)
    files.sort(key=lambda f: step_of.get(f, 0))  # stable: by name within a step
    index, contents = [], []
    for f in files:
        with open(os.path.join(data, f), "rb") as source:
            contents.append(source.read())
        index.append([f, step_of.get(f, 0), len(contents[-1])])
    header = json.dumps(index, separators=(",", ":")).encode()
    temporary = output + ".part"
    with open(temporary, "wb") as pack:
        pack.write(b"VMPK" + struct.pack("<I", len(header)) + header)
        for content in contents:
            pack.write(content)
    os.replace(temporary, output)


if __name__ == "__main__":
    main()
