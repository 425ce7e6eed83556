"""Reads the entries of a .po file: (msgid, msgstr, fuzzy) for each, the
header included (its msgid is empty).  Plural and context entries are read
by their msgid and first msgstr."""

MAX_BYTES = 1 << 20


def unquote(line):
    text = line.strip()[1:-1]
    return bytes(text, "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")


def quote(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"')
    out = out.replace("\n", "\\n").replace("\r", "\\r").replace("\t", "\\t")
    return '"' + out + '"'


def read_lines(path):
    with open(path, encoding="utf-8") as f:
        text = f.read(MAX_BYTES + 1)
    if len(text) > MAX_BYTES:
        raise SystemExit(f"{path}: larger than {MAX_BYTES} bytes")
    return text.splitlines()


def entries(path):
    result = []
    msgid = msgstr = None
    fuzzy = False
    field = None
    for line in read_lines(path) + [""]:
        if line.startswith("#,") and "fuzzy" in line:
            fuzzy = True
        elif line.startswith("msgid "):
            msgid, field = unquote(line[6:]), "msgid"
        elif line.startswith("msgid_plural ") or line.startswith("msgctxt "):
            field = None
        elif line.startswith("msgstr ") or line.startswith("msgstr[0] "):
            msgstr, field = unquote(line.split(" ", 1)[1]), "msgstr"
        elif line.startswith("msgstr["):
            field = None
        elif line.startswith('"'):
            if field == "msgid":
                msgid += unquote(line)
            elif field == "msgstr":
                msgstr += unquote(line)
        elif not line.strip() and msgid is not None:
            result.append((msgid, msgstr or "", fuzzy))
            msgid = msgstr = None
            fuzzy = False
            field = None
    return result
