"""An RFC 3161 time-stamping server on localhost for the tests: answers each
POSTed request with `openssl ts -reply`. Writes its port to PORT_FILE.

    timestamp-server.py PORT_FILE OPENSSL_TS_CONFIG
"""
import http.server
import subprocess
import sys


class Reply(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        answer = subprocess.run(
            ["openssl", "ts", "-reply", "-config", sys.argv[2], "-queryfile", "/dev/stdin"],
            input=query, capture_output=True)
        ok = answer.returncode == 0
        self.send_response(200 if ok else 500)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.end_headers()
        self.wfile.write(answer.stdout if ok else answer.stderr)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Reply)
with open(sys.argv[1], "w") as port_file:
    port_file.write(str(server.server_port))
server.serve_forever()
