#!/usr/bin/env python3
"""A loopback SMTP server for the mail tests, built on aiosmtpd.

Prints the port it listens on as its first line, then serves until it is
ended. Each accepted message is stored as message-N.eml (the data as the
client sent it, dot-stuffing removed) beside message-N.envelope (sender,
recipients, the logged-in user and whether the session was encrypted).
"""
import argparse
import asyncio
import hmac
import os
import secrets
import ssl
import sys

from aiosmtpd.smtp import MISSING, SMTP, AuthResult, LoginPassword


class Handler:
    def __init__(self, args):
        self.args = args
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.args.refuse_rcpt:
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.args.store, "message-%d" % self.count)
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".envelope", "w") as f:
            f.write("from %s\n" % envelope.mail_from)
            for rcpt in envelope.rcpt_tos:
                f.write("to %s\n" % rcpt)
            login = session.auth_data.login.decode() if session.authenticated else None
            f.write("login %s\n" % login)
            f.write("encrypted %s\n" % bool(session.ssl or self.args.tls))
        return "250 2.0.0 Stored"

    # RFC 2195: the server sends a challenge and checks the keyed digest.
    async def auth_CRAM__MD5(self, server, args):
        challenge = ("<%s@pantrio.test>" % secrets.token_hex(8)).encode()
        answer = await server.challenge_auth(challenge)
        if answer is MISSING:
            return AuthResult(success=False, handled=True)
        user, _, digest = answer.partition(b" ")
        expected = hmac.new(self.args.password.encode(), challenge, "md5").hexdigest().encode()
        ok = user == self.args.user.encode() and hmac.compare_digest(digest, expected)
        return AuthResult(success=ok, handled=False, auth_data=LoginPassword(user, b""))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--store", required=True)
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--tls", action="store_true", help="TLS from the first byte")
    parser.add_argument("--starttls", action="store_true")
    parser.add_argument("--allow-plain-auth", action="store_true")
    parser.add_argument("--refuse-rcpt", action="append", default=[])
    args = parser.parse_args()

    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = auth_data.login == args.user.encode() and auth_data.password == args.password.encode()
        # Not handled: aiosmtpd then sends the 235 or 535 reply itself.
        return AuthResult(success=ok, handled=False, auth_data=auth_data)

    handler = Handler(args)

    def factory():
        return SMTP(
            handler,
            hostname="pantrio.test",
            tls_context=context if args.starttls else None,
            # Implicit TLS is encrypted although aiosmtpd only knows STARTTLS.
            auth_require_tls=not (args.allow_plain_auth or args.tls),
            authenticator=authenticator if args.user else None,
        )

    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(
        loop.create_server(factory, "127.0.0.1", 0, ssl=context if args.tls else None)
    )
    print(server.sockets[0].getsockname()[1], flush=True)
    try:
        loop.run_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
