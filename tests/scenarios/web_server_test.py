#!/usr/bin/env python3
"""The project's web server (tools/web/serve.py) run on a scratch site as an unprivileged user:
it serves only regular files of known types inside its folder, answers HEAD like GET, honours
q=0 for gzip, sends Vary and validators, answers a NUL in the path with 400, and closes an idle
connection.
    web_server_test.py <repository root>
"""
import gzip
import http.client
import os
import pwd
import shutil
import socket
import subprocess
import sys
import tempfile
import time

root = sys.argv[1]
failures = 0


def check(ok, what):
    global failures
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    failures += 0 if ok else 1


def request(port, method, path, headers=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=20)
    connection.putrequest(method, path, skip_host=False, skip_accept_encoding=True)
    for key, value in (headers or {}).items():
        connection.putheader(key, value)
    connection.endheaders()
    response = connection.getresponse()
    body = response.read()
    connection.close()
    return response.status, {k.lower(): v for k, v in response.getheaders()}, body


def raw(port, data):
    """Sends bytes as they stand and returns the status line (empty when the server hung up)."""
    with socket.create_connection(("127.0.0.1", port), timeout=20) as connection:
        connection.sendall(data)
        answer = b""
        while b"\r\n" not in answer:
            chunk = connection.recv(4096)
            if not chunk:
                break
            answer += chunk
        return answer.split(b"\r\n", 1)[0].decode("latin-1")


scratch = tempfile.mkdtemp(prefix="velmora-serve-")
site = os.path.join(scratch, "site")
os.makedirs(os.path.join(site, "Data"))
os.makedirs(os.path.join(site, "CMakeFiles"))
page = b"<!doctype html><title>Vel Mora</title>" + b"<p>stars</p>" * 400
open(os.path.join(site, "index.html"), "wb").write(page)
open(os.path.join(site, "Velmora.js"), "wb").write(b"var Module;" * 500)
open(os.path.join(site, "icon-192.png"), "wb").write(b"\x89PNG\r\n\x1a\n" + bytes(300))
open(os.path.join(site, "CMakeCache.txt"), "w").write("CMAKE_HOME_DIRECTORY:INTERNAL=/secret/path\n")
open(os.path.join(site, "Makefile"), "w").write("all:\n")
open(os.path.join(site, "Data", "level1.js"), "w").write("1")
open(os.path.join(scratch, "secret.js"), "w").write("outside the site")
os.symlink("/etc/passwd", os.path.join(site, "passwd.js"))
os.symlink(os.path.join(scratch, "secret.js"), os.path.join(site, "secret.js"))
os.symlink(scratch, os.path.join(site, "up"))
os.symlink("index.html", os.path.join(site, "home.html"))  # a link inside the site is fine
locked = os.path.join(site, "locked.js")
open(locked, "w").write("no one may read this")
os.chmod(locked, 0)
os.chmod(scratch, 0o755)

# Run as nobody when we are root: the server must cope with a file it may not read.
prefix = []
if os.getuid() == 0:
    nobody = pwd.getpwnam("nobody")
    prefix = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}", "--clear-groups"]
server = subprocess.Popen(prefix + [sys.executable, os.path.join(root, "tools/web/serve.py"), site, "0"],
                          stdout=subprocess.PIPE, text=True)
try:
    line = server.stdout.readline()
    port = int(line.split("127.0.0.1:")[1].split("/")[0])

    # The page, its headers, and HEAD answering with the same headers and no body.
    status, headers, body = request(port, "GET", "/", {"Accept-Encoding": "gzip"})
    check(status == 200 and gzip.decompress(body) == page, "GET / serves index.html, gzipped when accepted")
    check(headers.get("content-type") == "text/html; charset=utf-8", "the page has its type")
    check(headers.get("vary") == "Accept-Encoding", "Vary: Accept-Encoding is sent")
    check("etag" in headers and "last-modified" in headers, "validators (ETag, Last-Modified) are sent")
    check(headers.get("cache-control") == "no-cache", "the page is revalidated on every visit")
    status_head, head_headers, head_body = request(port, "HEAD", "/", {"Accept-Encoding": "gzip"})
    same = {k: v for k, v in headers.items() if k != "date"} == {k: v for k, v in head_headers.items() if k != "date"}
    check(status_head == 200 and same and head_body == b"", "HEAD answers with GET's headers and no body")
    _, icon_headers, icon = request(port, "GET", "/icon-192.png", {"Accept-Encoding": "gzip"})
    check(icon_headers.get("content-type") == "image/png" and "content-encoding" not in icon_headers and
          len(icon) == 308 and "max-age" in icon_headers.get("cache-control", ""),
          "a picture is sent as it is (already compressed) and may be kept for a while")

    # Accept-Encoding with its q values.
    for accept, zipped in (("gzip;q=0", False), ("gzip; q=0.0, deflate", False), ("*;q=0.5", True),
                           ("gzip;q=0, *", False), ("identity", False), ("br, GZIP;q=0.8", True), ("", False),
                           ("gzip;q=bogus", False)):
        _, h, b = request(port, "GET", "/Velmora.js", {"Accept-Encoding": accept})
        got = h.get("content-encoding") == "gzip"
        check(got == zipped and (gzip.decompress(b) if got else b) == b"var Module;" * 500,
              f"Accept-Encoding '{accept}' is {'gzipped' if zipped else 'sent as it is'}")

    # Revalidation: the same file is not sent again.
    status, h, b = request(port, "GET", "/", {"Accept-Encoding": "gzip", "If-None-Match": headers["etag"]})
    check(status == 304 and b == b"", "a matching If-None-Match gets 304 with no body")
    status, _, _ = request(port, "GET", "/", {"If-None-Match": headers["etag"]})
    check(status == 200, "the plain file's validator differs from the gzipped one's")
    status, _, b = request(port, "GET", "/Velmora.js", {"If-Modified-Since": headers["last-modified"]})
    check(status == 304, "If-Modified-Since on an unchanged file gets 304")

    # Nothing but the site's own files: no listings, no build files, nothing outside.
    passwd = open("/etc/passwd", "rb").read()
    for path in ("/Data/", "/Data", "/CMakeFiles/", "/CMakeCache.txt", "/Makefile", "/passwd.js", "/secret.js",
                 "/up/secret.js", "/../secret.js", "/%2e%2e/secret.js", "/..%2fsecret.js", "/%2E%2E%2Fsecret.js",
                 "/Data/..%2f..%2fsecret.js", "/%2e%2e%2f%2e%2e%2f%2e%2e%2fetc%2fpasswd", "/locked.js",
                 "/missing.js", "/index.html/"):
        status, _, b = request(port, "GET", path)
        check(status == 404 and passwd not in b and b"outside" not in b and b"secret/path" not in b,
              f"GET {path} is refused with 404")
    status, _, b = request(port, "GET", "/home.html")
    check(status == 200 and b == page, "a link that stays inside the site is followed")
    check(request(port, "GET", "/%00")[0] == 400, "an encoded NUL in the path gets 400")
    check(raw(port, b"GET /\x00 HTTP/1.1\r\nHost: x\r\n\r\n").split(" ")[1:2] == ["400"],
          "a raw NUL in the path gets 400")
    check(request(port, "GET", "/%ff%fe")[0] == 400, "a path that is not UTF-8 gets 400")
    check(request(port, "POST", "/")[0] in (405, 501), "POST is not accepted")

    # Idle connections: half-sent requests are dropped after the idle time, and do not keep the
    # server from answering others meanwhile.
    idle = [socket.create_connection(("127.0.0.1", port), timeout=5) for _ in range(40)]
    for connection in idle:
        connection.sendall(b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n")
    check(request(port, "GET", "/")[0] == 200, "the server answers while 40 connections sit half-sent")
    started, closed = time.monotonic(), 0
    for connection in idle:
        connection.settimeout(max(1.0, 60 - (time.monotonic() - started)))
        try:
            closed += connection.recv(1) == b""
        except ConnectionResetError:
            closed += 1
        except socket.timeout:
            pass
        connection.close()
    waited = time.monotonic() - started
    check(closed == len(idle) and waited < 60, f"every idle connection is closed by the server ({waited:.1f} s)")
    check(server.poll() is None, "the server is still running after all of it")
finally:
    server.terminate()
    server.wait(timeout=20)
    shutil.rmtree(scratch, ignore_errors=True)

print(f"{failures} failure(s)")
sys.exit(1 if failures else 0)
