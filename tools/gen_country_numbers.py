#!/usr/bin/python3
"""Writes resources/CountryNumbers.csv: every international calling code with the English and
Japanese names of its main region and the Japanese name of the area containing that region.

Calling codes and their main regions come from the phone-number metadata of the phonenumbers
package, names and areas from ICU, so the table follows those maintained sources instead of being
kept by hand. The output depends only on the installed versions of both: running it twice gives
the same bytes.

    gen_country_numbers.py [--output FILE | --check FILE]

--check regenerates the table and compares it with FILE; it exits 1 and shows the first
difference when they differ.
"""
import argparse
import sys

import icu
import phonenumbers
from phonenumbers import COUNTRY_CODE_TO_REGION_CODE

HEADER = "number,country,国名,エリア名"
# Codes shared by no geographic region (freephone, satellite services, ...) belong to the world.
WORLD = "001"
ENGLISH = icu.Locale("en")
JAPANESE = icu.Locale("ja")


def region_name(region, locale):
    name = icu.Locale("und", region).getDisplayCountry(locale)
    # The table is split at commas; a name never holds one.
    name = name.replace(", ", " ").replace(",", " ")
    return name[:1].upper() + name[1:]


def area_name(region):
    if region == WORLD:
        return region_name(WORLD, JAPANESE)
    area = icu.Region.getInstance(region).getContainingRegion(icu.URegionType.SUBCONTINENT)
    return region_name(str(area) if area else WORLD, JAPANESE)


def main_region(code):
    region = phonenumbers.region_code_for_country_code(code)
    if region in (None, "ZZ"):
        region = COUNTRY_CODE_TO_REGION_CODE[code][0]
    return region


def lines():
    out = [HEADER]
    for code in sorted(COUNTRY_CODE_TO_REGION_CODE):
        region = main_region(code)
        out.append(",".join((str(code), region_name(region, ENGLISH), region_name(region, JAPANESE),
                             area_name(region))))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--output", help="write the table here instead of to standard output")
    group.add_argument("--check", help="compare the table with this file")
    args = parser.parse_args()
    text = "\n".join(lines()) + "\n"
    if args.check:
        with open(args.check, encoding="utf-8") as f:
            committed = f.read()
        if committed == text:
            return 0
        old, new = committed.splitlines(), text.splitlines()
        for i in range(max(len(old), len(new))):
            a = old[i] if i < len(old) else "(end of file)"
            b = new[i] if i < len(new) else "(end of file)"
            if a != b:
                print(f"{args.check}:{i + 1}: committed {a!r}, generated {b!r}", file=sys.stderr)
                break
        return 1
    if args.output:
        with open(args.output, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    else:
        sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
