#!/usr/bin/env python3
"""The web server of a scenario that downloads: serves the files of the scenario's NAME.web
folder on 127.0.0.1 (never another address), on a port the system picks, which it writes to
the file named by its second argument once it listens. Every file is sent with its ETag (from
its content) and its Last-Modified; a request that names the ETag it has gets 304, as list
servers answer. Missing files get 404. It stops as soon as the process named by its third
argument is gone (the scenario's runner: a runner stopped by a time-out takes its server with
it), and without one after five minutes at the latest; tests/app/run_scenario.cmake stops it as soon
as the scenario's driver runs have ended.

    python3 tests/app/scenario_server.py FOLDER PORT_FILE [RUNNER-PID]
"""
import hashlib
import http.server
import os
import sys
import threading
import time

root, port_file = sys.argv[1], sys.argv[2]
runner = int(sys.argv[3]) if len(sys.argv) > 3 else 0


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=root, **kwargs)

    def log_message(self, *args):
        pass

    def send_head(self):
        self.etag = None
        path = self.translate_path(self.path)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                self.etag = '"%s"' % hashlib.sha1(f.read()).hexdigest()[:16]
            if self.headers.get("If-None-Match") == self.etag:
                self.send_response(304)
                self.end_headers()
                return None
        return super().send_head()

    def end_headers(self):
        if self.etag:
            self.send_header("ETag", self.etag)
        super().end_headers()


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(port_file + ".part", "w") as f:
    f.write(str(server.server_address[1]))
os.replace(port_file + ".part", port_file)


def watch_runner():
    while True:
        time.sleep(0.5)
        try:
            os.kill(runner, 0)
        except ProcessLookupError:
            os._exit(0)
        except PermissionError:
            pass


# With a runner it lives as long as the runner does (a slow machine, a sanitizer build, may
# take longer than any fixed time); without one, five minutes at the most.
if runner:
    threading.Thread(target=watch_runner, daemon=True).start()
else:
    threading.Timer(300, server.shutdown).start()
server.serve_forever()
