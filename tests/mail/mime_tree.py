#!/usr/bin/env python3
"""Prints the MIME tree of a stored message as the mail tests read it.

Usage: mime_tree.py MESSAGE OUTDIR. Headers come first as "header NAME: VALUE"
(encoded words decoded), then one line per part: its depth, content type and,
when present, "id=", "location=", "file=" and "charset="; each leaf's decoded
body is written to OUTDIR/part-N and named on its line as "body=part-N".
"""
import email
import email.policy
import os
import sys


def main():
    message_path, out_dir = sys.argv[1], sys.argv[2]
    with open(message_path, "rb") as f:
        message = email.message_from_binary_file(f, policy=email.policy.default)
    for name in ("From", "To", "Cc", "Subject", "X-Mailer", "MIME-Version", "Date"):
        if message[name] is not None:
            print("header %s: %s" % (name, message[name]))
    for defect in message.defects:
        print("defect %s" % type(defect).__name__)
    count = 0

    def walk(part, depth):
        nonlocal count
        line = "%d %s" % (depth, part.get_content_type())
        if part["Content-ID"]:
            line += " id=" + part["Content-ID"]
        if part["Content-Location"]:
            line += " location=" + part["Content-Location"]
        if part.get_filename():
            line += " file=" + part.get_filename()
        if part.is_multipart():
            print(line)
            for child in part.get_payload():
                walk(child, depth + 1)
            return
        if part.get_content_charset():
            line += " charset=" + part.get_content_charset()
        count += 1
        name = "part-%d" % count
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(part.get_payload(decode=True) or b"")
        print(line + " body=" + name)

    walk(message, 0)


if __name__ == "__main__":
    main()
