#!/usr/bin/env python3
"""Checks that every text of the programs goes through the catalog:

1. No string literal with Japanese characters outside the catalog sources
   (resources/*.cc) and the data file's own format (config/data_file_format.cc,
   whose Japanese comments are bytes of the file, never translated), except
   the few known ones below that are no text shown to the user.
2. In the catalog sources, every Japanese literal is a text Tr(), TrFormat()
   or TrLater() hands to the catalog (xgettext finds it).
3. po/en.po translates every such text, holds none that no longer
   exists, and keeps each text's "{N}" placeholders and its line breaks at
   either end.

Usage: check_texts.py --xgettext PATH --work FOLDER"""
import argparse
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import po_file  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
JAPANESE = re.compile("[\u3000-\u303f\u3040-\u309f\u30a0-\u30ff\u4e00-\u9fff\uff00-\uffef]")
CATALOG_SOURCES = re.compile(r"^resources/[^/]+\.cc$")
FORMAT_CODE = {"config/data_file_format.cc"}
# Literals that are no text for the user.
KNOWN = {
    ("ui/dialog_metrics_msw.cc", "ＭＳ Ｐゴシック"),  # the dialog font's face name
    # The editor's --help (English) names its 開く button; it is built from
    # parts and not yet translated.
    ("resources/program_usage.cc",
     "options. FILE.vrx, if given, is opened at start as 開く would open it.\n"),
}
# A C++ token stream reduced to what matters here: comments, character and
# string literals (raw ones included).
TOKEN = re.compile(
    r'//[^\n]*|/\*.*?\*/|R"([^(]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)


def tracked_sources():
    files = subprocess.run(["git", "-C", ROOT, "ls-files", "*.cc", "*.h", "*.c"],
                           check=True, capture_output=True, text=True).stdout.split()
    return sorted({f for f in files if not f.startswith("tests/")})


def japanese_literals(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        text = f.read(1 << 22)
    for match in TOKEN.finditer(text):
        token = match.group(0)
        if token.startswith(("//", "/*", "'")):
            continue
        if JAPANESE.search(token):
            yield text.count("\n", 0, match.start()) + 1, token


def literal_text(token):
    if token.startswith("R"):
        return token[token.index("(") + 1:token.rindex(")")]
    return po_file.unquote(token)


def placeholders(text):
    return sorted(set(re.findall(r"\{\d\}", text)))


def ends(text):
    return re.match(r"^[\r\n]*", text).group(0), re.search(r"[\r\n]*$", text).group(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--xgettext", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    problems = []

    sources = tracked_sources()
    catalog_sources = [f for f in sources if CATALOG_SOURCES.match(f)]
    for path in sources:
        if path in catalog_sources or path in FORMAT_CODE:
            continue
        for line, token in japanese_literals(path):
            if (path, literal_text(token)) not in KNOWN:
                problems.append(f"{path}:{line}: Japanese text outside resources/: {token}\n"
                                "  (put it in resources/ and show it through Tr())")

    os.makedirs(args.work, exist_ok=True)
    pot = os.path.join(args.work, "vrx7100-tools.pot")
    env = dict(os.environ, LC_ALL="C.UTF-8")
    subprocess.run([args.xgettext, "--from-code=UTF-8", "--language=C++", "--keyword=Tr",
                    "--keyword=TrFormat", "--keyword=TrLater", "--no-wrap", "--add-location=file",
                    "--directory", ROOT, "-o", pot] + catalog_sources,
                   check=True, env=env, stderr=subprocess.DEVNULL)
    texts = {msgid for msgid, _, _ in po_file.entries(pot) if msgid}
    for path in catalog_sources:
        for line, token in japanese_literals(path):
            literal = literal_text(token)
            if (path, literal) not in KNOWN and not any(literal in text for text in texts):
                problems.append(f"{path}:{line}: {token} is not passed to Tr(), TrFormat() or TrLater()")

    en = os.path.join(ROOT, "po", "en.po")
    translated = {msgid for msgid, msgstr, _ in po_file.entries(en) if msgid and msgstr}
    for text in sorted(texts - translated):
        problems.append(f"po/en.po lacks the English of {po_file.quote(text)}")
    for msgid, msgstr, _ in po_file.entries(en):
        if not msgid:
            continue
        if msgid not in texts:
            problems.append(f"po/en.po: no program shows {po_file.quote(msgid)} any more")
        if msgstr and placeholders(msgid) != placeholders(msgstr):
            problems.append(f"po/en.po: {po_file.quote(msgstr)} does not keep the placeholders "
                            f"{placeholders(msgid)}")
        if msgstr and ends(msgid) != ends(msgstr):
            problems.append(f"po/en.po: {po_file.quote(msgstr)} does not keep the line breaks at "
                            "the ends of its text")

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{len(texts)} texts, all through the catalog and all translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())
