#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The web servers of the link verification benchmark: one per port given,
# on 127.0.0.1. Every path answers "200 OK" at once, except /slow/... after
# one second, /robots.txt with 404, and /page.htm with the file given. Each
# answer carries the header that lets the LinkChecker baseline ask faster
# than ten times a second. Prints "ready" once all listen.
import asyncio
import sys


async def serve(reader, writer, page):
    try:
        request = await reader.readuntil(b"\r\n\r\n")
    except (asyncio.IncompleteReadError, asyncio.LimitOverrunError, ConnectionError):
        writer.close()
        return
    method, path = request.split(b" ")[:2]
    body = b"<html><body>page</body></html>"
    status = b"200 OK"
    if path.startswith(b"/slow/"):
        await asyncio.sleep(1)
    elif path == b"/robots.txt":
        status, body = b"404 Not Found", b""
    elif path == b"/page.htm":
        body = page
    head = (b"HTTP/1.1 " + status + b"\r\nContent-Type: text/html\r\nLinkChecker: yes\r\nContent-Length: "
            + str(len(body)).encode() + b"\r\nConnection: close\r\n\r\n")
    try:
        writer.write(head + (body if method != b"HEAD" else b""))
        await writer.drain()
    except ConnectionError:
        pass
    writer.close()


async def main():
    page = open(sys.argv[1], "rb").read()
    ports = [int(p) for p in sys.argv[2:]]
    servers = [await asyncio.start_server(lambda r, w: serve(r, w, page), "127.0.0.1", port, backlog=1024)
               for port in ports]
    print("ready", flush=True)
    await asyncio.gather(*(server.serve_forever() for server in servers))


asyncio.run(main())
