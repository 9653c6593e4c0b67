#!/usr/bin/env python3
"""The browser's data staging (tools/web/stage_data.py) run on a small run tree under a Python
that cannot import any module current Python has removed (audioop first of all), as an
unprivileged user: the music becomes Ogg Vorbis with its length kept, an opaque picture a JPEG, a
see-through one keeps its pixels, the rest is copied as it is; a broken picture fails the run and
leaves the previous staging whole.
    web_stage_test.py <repository root>
"""
import math
import os
import pwd
import shutil
import struct
import subprocess
import sys
import tempfile
import wave
import zlib

root = sys.argv[1]
failures = 0


def check(ok, what):
    global failures
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    failures += 0 if ok else 1


def png(path, width, height, alpha):
    rows = b"".join(b"\0" + bytes(v for x in range(width) for v in (x * 7 % 256, y * 5 % 256, (x + y) % 256, alpha(x, y)))
                    for y in range(height))
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
                  chunk(b"IDAT", zlib.compress(rows, 1)) + chunk(b"IEND", b""))
    return rows


def idat_rows(path):
    data, position, image = open(path, "rb").read(), 8, b""
    while position < len(data):
        (length,) = struct.unpack(">I", data[position:position + 4])
        if data[position + 4:position + 8] == b"IDAT":
            image += data[position + 8:position + 8 + length]
        position += 12 + length
    return zlib.decompress(image)


scratch = tempfile.mkdtemp(prefix="velmora-stage-")
os.chmod(scratch, 0o755)
native = os.path.join(scratch, "native")
for folder in ("Images/gameUI", "Fonts/Free14RegularWhite", "Sounds", "Levels", "User"):
    os.makedirs(os.path.join(native, folder))
png(os.path.join(native, "Images/menuBG.png"), 256, 256, lambda x, y: 255)
small_bar = png(os.path.join(native, "Images/pb.png"), 16, 8, lambda x, y: 255)  # opaque, but small
see_through = png(os.path.join(native, "Images/gameUI/knob.png"), 40, 30, lambda x, y: (x * 9) % 256)
png(os.path.join(native, "Fonts/Free14RegularWhite/65.png"), 8, 12, lambda x, y: 255 if x > 3 else 0)
frames = 44100 * 3 // 2 + 17  # not a whole number of Vorbis blocks
with wave.open(os.path.join(native, "Sounds/main.wav"), "wb") as music:
    music.setnchannels(2)
    music.setsampwidth(2)
    music.setframerate(44100)
    music.writeframes(b"".join(struct.pack("<hh", int(9000 * math.sin(i / 20)), int(9000 * math.cos(i / 31)))
                               for i in range(frames)))
effect = bytes(range(256)) * 40
open(os.path.join(native, "Sounds/laser.wav"), "wb").write(effect)  # effects are copied untouched
open(os.path.join(native, "Levels/level1.dat"), "w").write("1 10 100 0\n")
open(os.path.join(native, "User/VelmoraConfig.cfg"), "w").write("1 1 0\n")

# A Python without the modules Python 3.13 removed.
blocker = os.path.join(scratch, "blocker")
os.makedirs(blocker)
open(os.path.join(blocker, "sitecustomize.py"), "w").write(
    "import sys\n"
    "REMOVED = {'audioop', 'aifc', 'sunau', 'chunk', 'sndhdr', 'imghdr', 'pipes', 'cgi', 'cgitb', 'crypt',\n"
    "           'mailcap', 'nis', 'nntplib', 'ossaudiodev', 'spwd', 'telnetlib', 'uu', 'xdrlib', 'msilib', 'lib2to3'}\n"
    "class Removed:\n"
    "    def find_spec(self, name, path=None, target=None):\n"
    "        if name.split('.')[0] in REMOVED:\n"
    "            raise ModuleNotFoundError(f'No module named {name!r} (removed in Python 3.13)')\n"
    "sys.meta_path.insert(0, Removed())\n")
prefix = []
if os.getuid() == 0:
    nobody = pwd.getpwnam("nobody")
    prefix = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}", "--clear-groups"]
    for directory, folders, names in os.walk(scratch):
        for name in folders + names:
            os.chown(os.path.join(directory, name), nobody.pw_uid, nobody.pw_gid)
    os.chown(scratch, nobody.pw_uid, nobody.pw_gid)
environment = dict(os.environ, PYTHONPATH=blocker)
probe = subprocess.run(prefix + [sys.executable, "-c", "import audioop"], env=environment, capture_output=True)
check(probe.returncode != 0 and b"removed in Python 3.13" in probe.stderr, "the blocker really hides audioop")

web = os.path.join(scratch, "web", "Data")


def stage():
    return subprocess.run(prefix + [sys.executable, "-B", os.path.join(root, "tools/web/stage_data.py"), native, web],
                          env=environment, capture_output=True, text=True)


result = stage()
check(result.returncode == 0, f"the staging runs without audioop ({result.stderr.strip()[-300:]})")
staged = sorted(os.path.relpath(os.path.join(d, n), web) for d, _, names in os.walk(web) for n in names)
check(staged == ["Fonts/Free14RegularWhite/65.png", "Images/gameUI/knob.png", "Images/menuBG.jpg", "Images/pb.png",
                 "Levels/level1.dat", "Sounds/laser.wav", "Sounds/main.ogg"], f"the staged tree holds what the browser reads ({staged})")
if "Sounds/main.ogg" in staged:
    ogg = open(os.path.join(web, "Sounds/main.ogg"), "rb").read()
    check(ogg.startswith(b"OggS") and f"LOOPLENGTH={frames}".encode() in ogg,
          "the music is Ogg Vorbis carrying its exact length in samples")
    # Stereo at the source's rate: the identification header's channel count and rate.
    at = ogg.index(b"\x01vorbis")
    channels, rate = ogg[at + 11], struct.unpack("<I", ogg[at + 12:at + 16])[0]
    check((channels, rate) == (2, 44100), f"the music stays stereo at 44100 Hz ({channels}, {rate})")
if "Images/menuBG.jpg" in staged:
    check(open(os.path.join(web, "Images/menuBG.jpg"), "rb").read(3) == b"\xff\xd8\xff", "the opaque picture is a JPEG")
if "Images/gameUI/knob.png" in staged:
    check(idat_rows(os.path.join(web, "Images/gameUI/knob.png")) == see_through and
          idat_rows(os.path.join(web, "Images/pb.png")) == small_bar,
          "a see-through picture and a small opaque one keep every pixel")
if "Sounds/laser.wav" in staged:
    check(open(os.path.join(web, "Sounds/laser.wav"), "rb").read() == effect, "effects are copied as they are")

# A picture that cannot be read fails the staging, and the previous staging stays whole.
open(os.path.join(native, "Images/menuBG.png"), "wb").write(b"\x89PNG\r\n\x1a\nbroken")
result = stage()
again = sorted(os.path.relpath(os.path.join(d, n), web) for d, _, names in os.walk(web) for n in names)
check(result.returncode != 0 and again == staged, "a broken picture fails the run and leaves the last staging whole")
check(not [n for n in os.listdir(os.path.dirname(web)) if n.startswith(".staging")], "no half-made staging is left")

shutil.rmtree(scratch, ignore_errors=True)
print(f"{failures} failure(s)")
sys.exit(1 if failures else 0)
