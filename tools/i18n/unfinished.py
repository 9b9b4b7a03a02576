#!/usr/bin/env python3
"""Lists the messages of a Qt Linguist .ts file that still need a translation."""
import sys
import xml.etree.ElementTree as ET


def unfinished(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                yield name, message.findtext("source")


def main(paths):
    total = 0
    for path in paths:
        for context, source in unfinished(path):
            print(f"  unfinished  {context}: {source!r}")
            total += 1
    print(f"{total} text(s) to translate" if total else "every text is translated")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
