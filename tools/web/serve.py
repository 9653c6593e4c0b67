#!/usr/bin/env python3
"""Serves the browser build on loopback only, as an honest static server would: only regular
files of known types that lie inside the folder (no listings, nothing reached through a link
out of it), the right types, gzip for whoever accepts it (each file compressed once, then kept
in memory), validators and cache headers that suit each file, HEAD answered like GET, and idle
connections closed.

    serve.py <folder> [port]      (port 8000 by default; 0 picks a free one and prints it)
"""
import email.utils
import gzip
import hashlib
import http.server
import os
import sys
import threading
import urllib.parse

TYPES = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
         ".wasm": "application/wasm", ".data": "application/octet-stream", ".png": "image/png",
         ".jpg": "image/jpeg", ".webmanifest": "application/manifest+json", ".json": "application/json",
         ".ico": "image/x-icon", ".svg": "image/svg+xml"}
# Already compressed: gzip would only cost time.
PACKED_TYPES = {".png", ".jpg", ".ico"}
# The page, its worker, its manifest and the build's fixed-named files change with every build:
# a browser must ask again each time (cheaply, with the validators). Icons change rarely.
REVALIDATE = "no-cache"
LONGER = "public, max-age=86400"
LONGER_TYPES = {".png", ".ico", ".svg", ".jpg"}
IDLE_SECONDS = 10


def accepts_gzip(header):
    """True when an Accept-Encoding header allows gzip: named with a q above 0, or covered by
    '*' with a q above 0 and not refused by name."""
    named, star = None, None
    for part in (header or "").split(","):
        fields = [f.strip() for f in part.split(";")]
        coding = fields[0].lower()
        if not coding:
            continue
        quality = 1.0
        for field in fields[1:]:
            key, _, value = field.partition("=")
            if key.strip().lower() == "q":
                try:
                    quality = float(value)
                except ValueError:
                    quality = 0.0
        if coding in ("gzip", "x-gzip"):
            named = quality if named is None else max(named, quality)
        elif coding == "*":
            star = quality
    if named is not None:
        return named > 0
    return star is not None and star > 0


class Site:
    """The served folder's files, read once per version of each file (its size and time)."""

    def __init__(self, folder):
        self.root = os.path.realpath(folder)
        self.lock = threading.Lock()
        self.files = {}

    def resolve(self, raw_path):
        """The real path of the file a request names, None when it names nothing servable, or
        ValueError for a malformed path."""
        path = urllib.parse.unquote(raw_path.split("?", 1)[0].split("#", 1)[0], errors="strict")
        if "\0" in path or not path.startswith("/"):
            raise ValueError("malformed path")
        if path.endswith("/"):
            path += "index.html"
        parts = [p for p in path.split("/") if p not in ("", ".")]
        if any(p == ".." or "\\" in p for p in parts):
            return None
        real = os.path.realpath(os.path.join(self.root, *parts))
        if os.path.commonpath([real, self.root]) != self.root or not os.path.isfile(real):
            return None
        if os.path.splitext(real)[1] not in TYPES:
            return None
        return real

    def entry(self, real):
        status = os.stat(real)
        key = (real, status.st_size, status.st_mtime_ns)
        with self.lock:
            found = self.files.get(key)
        if found:
            return found
        with open(real, "rb") as file:
            body = file.read()
        extension = os.path.splitext(real)[1]
        found = {
            "body": body,
            "zipped": None if extension in PACKED_TYPES else gzip.compress(body, 6, mtime=0),
            "type": TYPES[extension],
            "etag": '"' + hashlib.sha256(body).hexdigest()[:32] + '"',
            "modified": email.utils.formatdate(status.st_mtime, usegmt=True),
            "mtime": int(status.st_mtime),
            "cache": LONGER if extension in LONGER_TYPES else REVALIDATE,
        }
        with self.lock:
            self.files = {k: v for k, v in self.files.items() if k[0] != real}
            self.files[key] = found
        return found


class Handler(http.server.BaseHTTPRequestHandler):
    site = None
    timeout = IDLE_SECONDS  # a connection that sends nothing for this long is closed
    protocol_version = "HTTP/1.1"
    server_version = "VelMora"
    sys_version = ""

    def do_GET(self):
        self.answer(with_body=True)

    def do_HEAD(self):
        self.answer(with_body=False)

    def refuse(self, code, text):
        body = (text + "\n").encode()
        self.send_response(code)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def fresh(self, entry):
        """True when the browser's copy is still this file (If-None-Match, else If-Modified-Since)."""
        tags = self.headers.get("If-None-Match")
        if tags is not None:
            return any(t.strip() in (entry["etag"], "*", "W/" + entry["etag"]) for t in tags.split(","))
        since = self.headers.get("If-Modified-Since")
        if since:
            try:
                return email.utils.parsedate_to_datetime(since).timestamp() >= entry["mtime"]
            except (TypeError, ValueError, OverflowError):
                return False
        return False

    def answer(self, with_body):
        try:
            real = self.site.resolve(self.path)
        except ValueError:
            return self.refuse(400, "Bad request")
        if real is None:
            return self.refuse(404, "Not found")
        try:
            entry = self.site.entry(real)
        except OSError:
            return self.refuse(404, "Not found")
        zipped = entry["zipped"] is not None and accepts_gzip(self.headers.get("Accept-Encoding"))
        body = entry["zipped"] if zipped else entry["body"]
        etag = entry["etag"][:-1] + '-gz"' if zipped else entry["etag"]
        unchanged = self.fresh(dict(entry, etag=etag))
        self.send_response(304 if unchanged else 200)
        self.send_header("Content-Type", entry["type"])
        if not unchanged:
            self.send_header("Content-Length", str(len(body)))
        if entry["zipped"] is not None:
            self.send_header("Vary", "Accept-Encoding")
        if zipped:
            self.send_header("Content-Encoding", "gzip")
        self.send_header("ETag", etag)
        self.send_header("Last-Modified", entry["modified"])
        self.send_header("Cache-Control", entry["cache"])
        self.send_header("X-Content-Type-Options", "nosniff")
        self.end_headers()
        if with_body and not unchanged:
            self.wfile.write(body)

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A browser that hangs up or goes quiet is no fault of the server's.
        if not isinstance(sys.exc_info()[1], (ConnectionError, TimeoutError)):
            super().handle_error(request, client_address)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build-web"
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    if not os.path.isfile(os.path.join(folder, "index.html")):
        sys.exit(f"{folder} holds no browser build (./web --build-only makes one)")
    Handler.site = Site(folder)
    with Server(("127.0.0.1", port), Handler) as server:
        print(f"Vel Mora is served at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops it)", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
