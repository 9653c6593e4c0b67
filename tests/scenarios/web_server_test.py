#!/usr/bin/env python3
"""tools/web/serve.py on a scratch site, run as an unprivileged user: only regular files of known
types inside the folder, HEAD like GET, q=0 honoured, Vary and validators, 400 for a NUL, idle
connections closed.    web_server_test.py <repository root>"""
import gzip, http.client, os, pwd, shutil, socket, subprocess, sys, tempfile

failures = 0


def check(ok, what):
    global failures
    failures += not ok
    print(("ok   " if ok else "FAIL ") + what, flush=True)


def get(method, path, **headers):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=20)
    connection.request(method, path, headers={k.replace("_", "-"): v for k, v in headers.items()})
    response = connection.getresponse()
    return response.status, {k.lower(): v for k, v in response.getheaders() if k != "Date"}, response.read()


scratch = tempfile.mkdtemp()
site = os.path.join(scratch, "site")
os.makedirs(os.path.join(site, "Data"))
files = {"index.html": b"<title>Vel Mora</title>" * 300, "Velmora.js": b"var Module;" * 500, "icon.png": b"\x89PNG" * 80,
         "CMakeCache.txt": b"/build/path", "Makefile": b"all:", "locked.js": b"private", "../secret.js": b"outside"}
for name, body in files.items():
    open(os.path.join(site, name), "wb").write(body)
for link, target in (("passwd.js", "/etc/passwd"), ("secret.js", "../secret.js"), ("up", ".."), ("home.html", "index.html")):
    os.symlink(target, os.path.join(site, link))
os.chmod(os.path.join(site, "locked.js"), 0)
os.chmod(scratch, 0o755)
nobody = pwd.getpwnam("nobody")
user = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}", "--clear-groups"] if os.getuid() == 0 else []
server = subprocess.Popen(user + ["/usr/bin/python3", sys.argv[1] + "/tools/web/serve.py", site, "0"], stdout=subprocess.PIPE, text=True)
try:
    port = int(server.stdout.readline().split("127.0.0.1:")[1].split("/")[0])
    status, headers, body = get("GET", "/", Accept_Encoding="gzip")
    check(status == 200 and gzip.decompress(body) == files["index.html"] and headers["content-type"].startswith("text/html") and
          headers["vary"] == "Accept-Encoding" and headers["cache-control"] == "no-cache" and "last-modified" in headers,
          "GET / is the page, gzipped, with Vary, validators and a revalidating cache header")
    check(get("HEAD", "/", Accept_Encoding="gzip") == (200, headers, b""), "HEAD answers with GET's headers, no body")
    check(get("GET", "/", Accept_Encoding="gzip", If_None_Match=headers["etag"])[::2] == (304, b"") and
          get("GET", "/Velmora.js", If_Modified_Since=headers["last-modified"])[0] == 304, "an unchanged file is not sent again")
    _, icon_headers, icon = get("GET", "/icon.png", Accept_Encoding="gzip")
    check(icon == files["icon.png"] and "max-age" in icon_headers["cache-control"], "a picture is sent as it is, kept longer")
    encodings = {accept: "content-encoding" in get("GET", "/Velmora.js", Accept_Encoding=accept)[1]
                 for accept in ("gzip;q=0", "gzip; q=0.0, deflate", "*;q=0.5", "gzip;q=0, *", "identity", "br, GZIP;q=0.8", "gzip;q=x")}
    check(list(encodings.values()) == [False, False, True, False, False, True, False], f"q values are honoured ({encodings})")
    refused = {path: get("GET", path) for path in ("/Data/", "/Data", "/CMakeCache.txt", "/Makefile", "/passwd.js", "/secret.js",
               "/up/secret.js", "/../secret.js", "/%2e%2e/secret.js", "/..%2fsecret.js", "/Data/..%2F..%2Fsecret.js", "/locked.js",
               "/%2e%2e%2f%2e%2e%2f%2e%2e%2fetc%2fpasswd", "/index.html/")}
    check(all(a[0] == 404 and b"root:" not in a[2] and b"outside" not in a[2] for a in refused.values()),
          f"no listing, build file, unreadable file or file outside ({[p for p, a in refused.items() if a[0] != 404]})")
    check(get("GET", "/home.html")[2] == files["index.html"], "a link that stays inside the site is followed")
    with socket.create_connection(("127.0.0.1", port), timeout=20) as raw:
        raw.sendall(b"GET /\0 HTTP/1.1\r\nHost: x\r\n\r\n")
        check(raw.recv(64).startswith(b"HTTP/1.1 400") and [get("GET", p)[0] for p in ("/%00", "/%ff")] == [400, 400],
              "a NUL, raw or encoded, or a path that is not UTF-8 gets 400")
    idle = [socket.create_connection(("127.0.0.1", port), timeout=60) for _ in range(40)]
    for connection in idle:
        connection.sendall(b"GET / HTTP/1.1\r\nHost: x\r\n")  # never finished
    check(get("GET", "/")[0] == 200 and sum(c.recv(1) == b"" for c in idle) == 40,
          "the server answers while 40 connections sit half-sent, then closes them all")
finally:
    server.terminate()
    shutil.rmtree(scratch, ignore_errors=True)
sys.exit(1 if failures else 0)
