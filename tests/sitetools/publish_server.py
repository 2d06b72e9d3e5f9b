#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A server for the publishing tests on a free loopback port: ftp (pyftpdlib),
sftp (asyncssh) or dav (PUT and MKCOL only). It prints the port on the first
line and serves the root folder until it is killed or the test ends."""

import argparse
import base64
import ctypes
import logging
import os
import signal
import sys


def end_with_parent():
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)
    if os.getppid() == 1:
        sys.exit(1)


def announce(port):
    print(port, flush=True)


def serve_ftp(args):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
    from pyftpdlib.servers import FTPServer

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    if args.throttle:
        dtp = ThrottledDTPHandler
        dtp.read_limit = args.throttle
        handler.dtp_handler = dtp
    server = FTPServer(("127.0.0.1", 0), handler)
    announce(server.socket.getsockname()[1])
    server.serve_forever()


def serve_sftp(args):
    import asyncio
    import asyncssh

    key = asyncssh.generate_private_key("ssh-ed25519")

    class Server(asyncssh.SSHServer):
        def begin_auth(self, username):
            return True

        def password_auth_supported(self):
            return True

        def validate_password(self, username, password):
            return username == args.user and password == args.password

    async def start():
        server = await asyncssh.create_server(
            Server, "127.0.0.1", 0, server_host_keys=[key],
            sftp_factory=lambda channel: asyncssh.SFTPServer(channel, chroot=args.root.encode()))
        port = server.sockets[0].getsockname()[1]
        if args.host_key:
            with open(args.host_key, "w") as known:
                known.write("[127.0.0.1]:%d %s" % (port, key.export_public_key().decode()))
        announce(port)
        await asyncio.Event().wait()

    asyncio.run(start())


def self_signed_context():
    """A TLS context with a certificate that nobody vouches for."""
    import datetime
    import ssl
    import tempfile
    from cryptography import x509
    from cryptography.hazmat.primitives import hashes, serialization
    from cryptography.hazmat.primitives.asymmetric import ec
    from cryptography.x509.oid import NameOID

    key = ec.generate_private_key(ec.SECP256R1())
    name = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, "127.0.0.1")])
    now = datetime.datetime.utcnow()
    certificate = (x509.CertificateBuilder().subject_name(name).issuer_name(name)
                   .public_key(key.public_key()).serial_number(1)
                   .not_valid_before(now).not_valid_after(now + datetime.timedelta(days=1))
                   .sign(key, hashes.SHA256()))
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    with tempfile.TemporaryDirectory() as folder:
        cert_file = os.path.join(folder, "cert.pem")
        key_file = os.path.join(folder, "key.pem")
        with open(cert_file, "wb") as out:
            out.write(certificate.public_bytes(serialization.Encoding.PEM))
        with open(key_file, "wb") as out:
            out.write(key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                        serialization.NoEncryption()))
        context.load_cert_chain(cert_file, key_file)
    return context


def serve_dav(args):
    from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

    expected = "Basic " + base64.b64encode(("%s:%s" % (args.user, args.password)).encode()).decode()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *_):
            pass

        def answer(self, status, reason, extra=()):
            self.send_response(status, reason)
            for name, value in extra:
                self.send_header(name, value)
            self.send_header("Content-Length", "0")
            self.end_headers()

        def local(self):
            from urllib.parse import unquote
            return os.path.join(args.root, unquote(self.path).lstrip("/"))

        def authorised(self):
            if self.headers.get("Authorization") == expected:
                return True
            self.answer(401, "Unauthorized", [("WWW-Authenticate", 'Basic realm="test"')])
            return False

        def do_PUT(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            if not self.authorised():
                return
            path = self.local()
            if not os.path.isdir(os.path.dirname(path)):
                return self.answer(409, "Conflict")
            with open(path + ".put", "wb") as out:
                out.write(body)
            os.replace(path + ".put", path)
            self.answer(201, "Created")

        def do_MKCOL(self):
            if not self.authorised():
                return
            path = self.local().rstrip("/")
            if os.path.exists(path):
                return self.answer(405, "Method Not Allowed")
            if not os.path.isdir(os.path.dirname(path)):
                return self.answer(409, "Conflict")
            os.mkdir(path)
            self.answer(201, "Created")

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    if args.tls:
        server.socket = self_signed_context().wrap_socket(server.socket, server_side=True)
    announce(server.server_address[1])
    server.serve_forever()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("kind", choices=["ftp", "sftp", "dav"])
    parser.add_argument("root")
    parser.add_argument("--user", default="user")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--throttle", type=int, default=0, help="bytes a second an ftp upload may take")
    parser.add_argument("--tls", action="store_true", help="dav: https with a self-signed certificate")
    parser.add_argument("--host-key", help="sftp: the file to write the server's known-hosts line to")
    args = parser.parse_args()
    end_with_parent()
    {"ftp": serve_ftp, "sftp": serve_sftp, "dav": serve_dav}[args.kind](args)


if __name__ == "__main__":
    main()
