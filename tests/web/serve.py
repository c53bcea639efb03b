"""A static web server for the browser tests, on 127.0.0.1 only.

Serves the folder given first on a free port, which it prints as its first
line, and stores the body of a POST to /result in the file given second (the
page posts its result line there when asked to).
"""
import functools
import http.server
import os
import sys

site, result_file = sys.argv[1], sys.argv[2]


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.js': 'text/javascript'}

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get('Content-Length', 0)))
        if self.path.split('?')[0] != '/result':
            self.send_error(404)
            return
        with open(result_file + '.part', 'wb') as out:
            out.write(body)
        os.replace(result_file + '.part', result_file)
        self.send_response(204)
        self.end_headers()

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Handler, directory=site))
print(server.server_address[1], flush=True)
server.serve_forever()
