#!/usr/bin/env python3
"""Serves the browser build on loopback only, as a static server would: the right types, and
gzip for whoever accepts it (each file compressed once, then kept in memory).

    serve.py <folder> [port]      (port 8000 by default; 0 picks a free one and prints it)
"""
import functools
import gzip
import http.server
import os
import sys

TYPES = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
         ".data": "application/octet-stream", ".png": "image/png"}


class Handler(http.server.SimpleHTTPRequestHandler):
    packed = {}

    def do_GET(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        kind = TYPES.get(os.path.splitext(path)[1])
        if kind is None or not os.path.isfile(path):
            return super().do_GET()
        body = open(path, "rb").read()
        zipped = "gzip" in self.headers.get("Accept-Encoding", "")
        if zipped:
            key = (path, os.path.getmtime(path))
            if key not in Handler.packed:
                Handler.packed[key] = gzip.compress(body, 6)
            body = Handler.packed[key]
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-cache")
        if zipped:
            self.send_header("Content-Encoding", "gzip")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build-web"
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"Vel Mora is served at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops it)", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
