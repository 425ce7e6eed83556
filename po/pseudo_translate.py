#!/usr/bin/env python3
"""Writes the pseudo-translation en@pseudo from en.po: every translation
bracketed and lengthened by 40 % ("[Open~~]"), so that a layout which clips
or overlaps longer texts shows it.  Line breaks at either end and "{N}"
placeholders and "&" mnemonics inside are kept.

Usage: pseudo_translate.py en.po en@pseudo.po"""
import math
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import po_file  # noqa: E402


def pseudo(text):
    head, body, tail = re.match(r"^([\r\n]*)(.*?)([\r\n]*)$", text, re.S).groups()
    if not body:
        return text
    return head + "[" + body + "~" * math.ceil(len(body) * 0.4) + "]" + tail


def main(source, target):
    out = []
    for msgid, msgstr, _ in po_file.entries(source):
        if msgid == "":
            msgstr = msgstr.replace("Language: en\n", "Language: en@pseudo\n")
        else:
            msgstr = pseudo(msgstr)
        out.append(f"msgid {po_file.quote(msgid)}\nmsgstr {po_file.quote(msgstr)}\n")
    with open(target, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
