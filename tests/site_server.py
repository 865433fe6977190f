#!/usr/bin/env python3
"""A stand-in for the vendor's web site, on 127.0.0.1 only.

Serves the site/ folder. "/ad/tv/" answers the news body (the exact bytes of
site/ad/tv/news.txt, code page 936), shaped by the current mode:
  normal    the body as stored ("AD" + text)
  nomarker  the body without its leading "AD"
  hang      accept the request, answer nothing, close after at most 60 s
  big       "AD", "x", then 40000 times "提" (over 64 KiB, code page 936)
  redirect-self   302 back to "/ad/tv/"
  redirect-away   302 to the same path and port on the host name "localhost"
  hopsN     N redirects (N = 1..9) through "/ad/tv/hop1"... then the body
  status500, status404   that status, with the body as stored
  huge      the body as stored, padded with NUL bytes to 100 MiB, its length
            announced; stops when the client goes
  drip      "AD" and one "滴", then one "x" a second, length unannounced
Test endpoints (not counted):
  /__count?path=P   requests seen for path P so far, as a plain number
  /__count?prefix=P requests seen for every path that starts with P
  /__sent           bytes of the body the last "huge" answer wrote
  /__mode?set=M     switch the mode; answers the mode now in force
  /__reset          zero every count
"""

import argparse
import functools
import os
import signal
import sys
import threading
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

MODES = ("normal", "nomarker", "hang", "big", "redirect-self", "redirect-away", "status500", "status404",
         "huge", "drip") + tuple(f"hops{n}" for n in range(1, 10))
HANG_SECONDS = 60
HUGE_BYTES = 100 * 1024 * 1024


class SiteState:
    def __init__(self, root, mode):
        self.root = root
        self.mode = mode
        self.counts = {}
        self.sent = 0
        self.lock = threading.Lock()
        # Set on shutdown so hanging requests let go at once.
        self.stopping = threading.Event()

    def count(self, path):
        with self.lock:
            self.counts[path] = self.counts.get(path, 0) + 1


class SiteHandler(SimpleHTTPRequestHandler):
    def __init__(self, *args, state, **kwargs):
        self.state = state
        super().__init__(*args, directory=state.root, **kwargs)

    def log_message(self, format, *args):  # noqa: A002 - base class name
        pass

    def _plain(self, status, text, content_type="text/plain; charset=utf-8"):
        data = text if isinstance(text, bytes) else text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(data)

    def _control(self, path, query):
        state = self.state
        if path == "/__count":
            wanted = query.get("path", [""])[0]
            prefix = query.get("prefix", [None])[0]
            with state.lock:
                if prefix is not None:
                    seen = sum(n for p, n in state.counts.items() if p.startswith(prefix))
                else:
                    seen = state.counts.get(wanted, 0)
            self._plain(200, str(seen))
        elif path == "/__sent":
            with state.lock:
                self._plain(200, str(state.sent))
        elif path == "/__mode":
            wanted = query.get("set", [None])[0]
            if wanted is not None:
                if wanted not in MODES:
                    self._plain(400, "unknown mode\n")
                    return
                state.mode = wanted
            self._plain(200, state.mode)
        elif path == "/__reset":
            with state.lock:
                state.counts.clear()
                state.sent = 0
            self._plain(200, "0")
        else:
            self._plain(404, "unknown endpoint\n")

    def _redirect(self, location):
        self.send_response(302)
        self.send_header("Location", location)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def _huge(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain; charset=gbk")
        self.send_header("Content-Length", str(HUGE_BYTES))
        self.end_headers()
        padding = bytes(64 * 1024)
        left = HUGE_BYTES
        piece = body
        try:
            while left > 0 and not self.state.stopping.is_set():
                piece = piece[:left]
                self.wfile.write(piece)
                left -= len(piece)
                with self.state.lock:
                    self.state.sent += len(piece)
                piece = padding
        except OSError:
            pass  # the client went: that is the point
        self.close_connection = True

    def _drip(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain; charset=gbk")
        self.end_headers()
        try:
            self.wfile.write("AD滴".encode("gbk"))
            self.wfile.flush()
            for _ in range(HANG_SECONDS):
                if self.state.stopping.wait(1):
                    break
                self.wfile.write(b"x")
                self.wfile.flush()
        except OSError:
            pass
        self.close_connection = True

    def _ad_text(self, path):
        mode = self.state.mode
        if mode == "hang":
            # Request read and connection open, yet no answer: bounded, so a
            # forgotten test cannot keep a thread forever.
            self.state.stopping.wait(HANG_SECONDS)
            self.close_connection = True
            return
        with open(os.path.join(self.state.root, "ad", "tv", "news.txt"), "rb") as f:
            body = f.read()
        if mode.startswith("hops"):
            hop = int(path[len("/ad/tv/hop"):] or 0) if path.startswith("/ad/tv/hop") else 0
            if hop < int(mode[len("hops"):]):
                self._redirect(f"/ad/tv/hop{hop + 1}")
                return
        if mode == "redirect-self":
            self._redirect("/ad/tv/")
        elif mode == "redirect-away":
            self._redirect(f"http://localhost:{self.server.server_address[1]}/ad/tv/")
        elif mode in ("status500", "status404"):
            self._plain(int(mode[len("status"):]), body, "text/plain; charset=gbk")
        elif mode == "huge":
            self._huge(body)
        elif mode == "drip":
            self._drip()
        else:
            if mode == "nomarker" and body[:2].upper() == b"AD":
                body = body[2:]
            elif mode == "big":
                body = b"ADx" + "提".encode("gbk") * 40000
            self._plain(200, body, "text/plain; charset=gbk")

    def _handle(self):
        parts = urlsplit(self.path)
        if parts.path.startswith("/__"):
            self._control(parts.path, parse_qs(parts.query))
            return
        self.state.count(parts.path)
        if parts.path == "/ad/tv/" or parts.path.startswith("/ad/tv/hop"):
            self._ad_text(parts.path)
        elif parts.path.startswith("/ad/tv/news.txt"):
            self._plain(404, "not found\n")
        elif self.command == "HEAD":
            super().do_HEAD()
        else:
            super().do_GET()

    def do_GET(self):
        self._handle()

    def do_HEAD(self):
        self._handle()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0, help="0 picks a free port")
    parser.add_argument("--port-file", help="write the port here once listening")
    parser.add_argument("--root", default=os.path.join(here, "..", "site"))
    parser.add_argument("--mode", choices=MODES, default="normal")
    args = parser.parse_args()

    state = SiteState(os.path.abspath(args.root), args.mode)
    handler = functools.partial(SiteHandler, state=state)
    server = ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    server.daemon_threads = True
    port = server.server_address[1]

    def stop(signum, frame):
        state.stopping.set()
        # shutdown() waits for serve_forever, which runs on this thread.
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(f"{port}\n")
        os.replace(tmp, args.port_file)
    print(port, flush=True)
    try:
        server.serve_forever(poll_interval=0.2)
    finally:
        state.stopping.set()
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
