#!/usr/bin/env python3
"""Checks that every user-visible text in the sources has a translation.

The texts are extracted from the sources with lupdate into a temporary file, so a text added to the
code without a translation fails the check even when the committed .ts file was not updated.

    check_translations.py --lupdate PATH --sources DIR --ts pellory2_ja.ts [--plural-ts pellory2_en.ts]

For every text of the sources, the translation file must hold a finished translation whose
placeholders (%1, %L1, %n, %Ln) are those of the source and which keeps a keyboard accelerator
where the source has one. --plural-ts names a file (English) that needs entries only for the texts
counted with %n. Prints every problem and exits 1 when there is one.
"""
import argparse
import collections
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%L?(?:n|[1-9][0-9]?)")
ACCELERATOR = re.compile(r"&(?!&)\S")


def messages(path):
    """Maps (context, source, comment) to the message element of a .ts file."""
    result = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            key = (name, message.findtext("source") or "", message.findtext("comment") or "")
            result[key] = message
    return result


def extract(lupdate, sources, language):
    with tempfile.TemporaryDirectory() as folder:
        ts = Path(folder) / f"extracted_{language}.ts"
        run = subprocess.run(
            [lupdate, "-silent", "-recursive", "-locations", "none", "-target-language", language,
             str(sources), "-ts", str(ts)],
            capture_output=True, text=True)
        if run.returncode != 0 or not ts.exists():
            raise SystemExit(f"lupdate failed ({run.returncode}):\n{run.stderr}")
        return messages(ts)


def translations(message):
    """The translated texts of a message: one, or one per plural form. None when unfinished."""
    translation = message.find("translation")
    if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
        return None
    if message.get("numerus") == "yes":
        forms = [form.text or "" for form in translation.iter("numerusform")]
        return forms if forms and all(forms) else None
    return [translation.text] if translation.text else None


def placeholders(text):
    return collections.Counter(PLACEHOLDER.findall(text))


def problems_of(key, message, source_message):
    context, source, _ = key
    where = f"{context}: {source!r}"
    texts = translations(message)
    if texts is None:
        return [f"no translation: {where}"]
    found = []
    if (message.get("numerus") == "yes") != (source_message.get("numerus") == "yes"):
        found.append(f"plural forms differ from the source's (numerus): {where}")
    expected = placeholders(source)
    has_accelerator = ACCELERATOR.search(source) is not None
    for text in texts:
        if placeholders(text) != expected:
            found.append(f"placeholders differ: {where} -> {text!r}")
        if has_accelerator and ACCELERATOR.search(text) is None:
            found.append(f"keyboard accelerator lost: {where} -> {text!r}")
    return found


def check(extracted, ts_path, plural_only):
    committed = messages(ts_path)
    found = []
    for key, source_message in sorted(extracted.items()):
        if plural_only and source_message.get("numerus") != "yes":
            continue
        message = committed.get(key)
        if message is None:
            found.append(f"no translation: {key[0]}: {key[1]!r}")
            continue
        found.extend(problems_of(key, message, source_message))
    return [f"{Path(ts_path).name}: {problem}" for problem in found]


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lupdate", default="lupdate")
    parser.add_argument("--sources", required=True, type=Path)
    parser.add_argument("--ts", required=True, action="append", help="a fully translated .ts file")
    parser.add_argument("--plural-ts", action="append", default=[], help="a .ts file for plural forms only")
    args = parser.parse_args(argv)

    found = []
    for ts in args.ts:
        language = Path(ts).stem.rsplit("_", 1)[-1]
        found += check(extract(args.lupdate, args.sources, language), ts, plural_only=False)
    for ts in args.plural_ts:
        found += check(extract(args.lupdate, args.sources, "en"), ts, plural_only=True)
    for problem in found:
        print(problem)
    if found:
        print(f"{len(found)} problem(s). Run tools/i18n/update_translations.sh, translate the texts it "
              "lists, and run this check again.")
        return 1
    print("every text is translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())
