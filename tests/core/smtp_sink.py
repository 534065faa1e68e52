#!/usr/bin/python3
"""A loopback SMTP server for the mail tests.

Listens on 127.0.0.1 on a free port, writes the port to --port-file once it
accepts connections, and stores every message it receives in --out-dir as
N.eml (the envelope as X-Envelope-From / X-Envelope-To lines, then the message
as received, dot-stuffing undone) and N.txt (the decoded subject on the first
line, then the decoded body). Refuses every recipient whose address starts
with "refused".

With --tls-cert and --tls-key it offers STARTTLS, and the envelope lines then
say whether the message came over TLS (X-Envelope-TLS: yes / no);
--require-starttls refuses mail before STARTTLS.
"""
import argparse
import asyncio
import email
import email.policy
import logging
import os
import ssl

from aiosmtpd.smtp import SMTP, TLSSetupException


class Sink:
    def __init__(self, out_dir):
        self.out_dir = out_dir
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("refused"):
            return "550 5.1.1 mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.out_dir, str(self.count))
        head = "X-Envelope-From: %s\r\n" % envelope.mail_from
        head += "".join("X-Envelope-To: %s\r\n" % to for to in envelope.rcpt_tos)
        if server.tls_context is not None:
            head += "X-Envelope-TLS: %s\r\n" % ("yes" if session.ssl else "no")
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        decoded = str(message["subject"]) + "\n" + message.get_content().replace("\r\n", "\n")
        # Written under temporary names and renamed, so a reader never sees
        # half a message.
        with open(base + ".txt.tmp", "w", encoding="utf-8", newline="") as out:
            out.write(decoded)
        os.replace(base + ".txt.tmp", base + ".txt")
        with open(base + ".eml.tmp", "wb") as out:
            out.write(head.encode() + envelope.content)
        os.replace(base + ".eml.tmp", base + ".eml")
        return "250 Message accepted"


def quiet_tls_failures(record):
    """Keeps the handshakes that tests make fail on purpose off stderr."""
    return not (record.exc_info and isinstance(record.exc_info[1], TLSSetupException))


async def main():
    logging.getLogger("mail.log").addFilter(quiet_tls_failures)
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--out-dir", required=True)
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    parser.add_argument("--require-starttls", action="store_true")
    args = parser.parse_args()
    sink = Sink(args.out_dir)
    tls_context = None
    if args.tls_cert:
        tls_context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        tls_context.load_cert_chain(args.tls_cert, args.tls_key)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: SMTP(sink, hostname="sink.test", tls_context=tls_context,
                     require_starttls=args.require_starttls),
        host="127.0.0.1", port=0)
    port = server.sockets[0].getsockname()[1]
    with open(args.port_file + ".tmp", "w") as out:
        out.write(str(port))
    os.replace(args.port_file + ".tmp", args.port_file)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main())
