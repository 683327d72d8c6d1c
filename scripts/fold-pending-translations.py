#!/usr/bin/env python3
"""Folds the translations that developers leave in
resources/translations/pending/*.tsv into the catalogues.

Each line of a TSV is: context, source text, English, Simplified Chinese,
separated by tabs; "\\n" stands for a line break, "\\t" for a tab and "\\\\"
for a backslash. Run after lupdate has brought the .ts files up to date (as
scripts/update-translations.sh does): each line fills its message in
quorvane_en.ts and quorvane_zh_CN.ts. A TSV whose lines all found their
message is deleted; one with a line that did not (the code does not hold that
text, or the line is malformed) is kept, and the script says which lines and
exits 1.
"""
import html
import pathlib
import re
import sys

CATALOGUES = {"en": 2, "zh_CN": 3}  # file suffix -> column of its translation


def unescape_field(text):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), text)


def escape_xml(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;").replace("'", "&apos;"))


MESSAGE = re.compile(r"(<message>\s*<source>)(.*?)(</source>.*?<translation)([^>]*)>(.*?)(</translation>)", re.S)
CONTEXT = re.compile(r"(<context>\s*<name>)(.*?)(</name>)(.*?)(</context>)", re.S)


def fill(ts_text, wanted):
    """wanted: {(context, source): translation}; returns the new text and the
    keys it filled."""
    filled = set()

    def one_context(c):
        name = html.unescape(c.group(2))

        def one_message(m):
            key = (name, html.unescape(m.group(2)))
            if key not in wanted:
                return m.group(0)
            filled.add(key)
            attrs = re.sub(r'\s*type="(unfinished|vanished|obsolete)"', "", m.group(4))
            return m.group(1) + m.group(2) + m.group(3) + attrs + ">" + escape_xml(wanted[key]) + m.group(6)

        return c.group(1) + c.group(2) + c.group(3) + MESSAGE.sub(one_message, c.group(4)) + c.group(5)

    return CONTEXT.sub(one_context, ts_text), filled


def main(root):
    folder = root / "resources" / "translations"
    pending = sorted((folder / "pending").glob("*.tsv"))
    if not pending:
        return 0
    rows = []  # (tsv, line number, context, source, translations by suffix)
    bad = []
    for tsv in pending:
        for number, line in enumerate(tsv.read_text(encoding="utf-8").splitlines(), 1):
            if not line.strip():
                continue
            fields = line.split("\t")
            if len(fields) != 4 or not all(fields[:3]) or not fields[3]:
                bad.append(f"{tsv}:{number}: not four tab-separated fields (context, source, English, Chinese)")
                continue
            fields = [unescape_field(f) for f in fields]
            rows.append((tsv, number, fields[0], fields[1], {s: fields[c] for s, c in CATALOGUES.items()}))
    missing = {}
    for suffix in CATALOGUES:
        ts = folder / f"quorvane_{suffix}.ts"
        wanted = {(r[2], r[3]): r[4][suffix] for r in rows}
        text, filled = fill(ts.read_text(encoding="utf-8"), wanted)
        ts.write_text(text, encoding="utf-8")
        for r in rows:
            if (r[2], r[3]) not in filled:
                missing[(r[0], r[1])] = f"{r[0]}:{r[1]}: no message \"{r[3]}\" in context {r[2]} of {ts.name}"
    keep = {path for path, _ in missing} | {pathlib.Path(b.split(":")[0]) for b in bad}
    for tsv in pending:
        if tsv not in keep:
            tsv.unlink()
    for line in bad + list(missing.values()):
        print(line, file=sys.stderr)
    return 1 if bad or missing else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent))
