#!/usr/bin/python3
"""Cross-checks the calling codes the normaliser recognises against the phone-number metadata's
own parse: example numbers of every region and number type, written in international form with
the separators people type, must give the country code that parsing them gives.

    crosscheck_calling_codes.py PROBE
"""
import subprocess
import sys

import phonenumbers
from phonenumbers import PhoneNumberFormat, PhoneNumberType

TYPES = (PhoneNumberType.FIXED_LINE, PhoneNumberType.MOBILE, PhoneNumberType.TOLL_FREE,
         PhoneNumberType.VOIP)


def samples():
    numbers = []
    for region in sorted(phonenumbers.SUPPORTED_REGIONS):
        for kind in TYPES:
            example = phonenumbers.example_number_for_type(region, kind)
            if example is None:
                continue
            international = phonenumbers.format_number(example, PhoneNumberFormat.INTERNATIONAL)
            # Numbers as written: "+81 3-1234-5678", "+44 20 7946 0958", "+1 (201) 555-0123".
            numbers.append(international)
            numbers.append(phonenumbers.format_number(example, PhoneNumberFormat.E164))
    for code in sorted(phonenumbers.COUNTRY_CODES_FOR_NON_GEO_REGIONS):
        example = phonenumbers.example_number_for_non_geo_entity(code)
        if example is not None:
            numbers.append(phonenumbers.format_number(example, PhoneNumberFormat.INTERNATIONAL))
    return sorted(set(numbers))


def main():
    numbers = samples()
    result = subprocess.run([sys.argv[1]], input="\n".join(numbers) + "\n", capture_output=True, text=True,
                            check=True)
    recognised = result.stdout.split("\n")[:len(numbers)]
    failures = []
    regions = set()
    for number, code in zip(numbers, recognised):
        parsed = phonenumbers.parse(number, None)
        regions.add(phonenumbers.region_code_for_number(parsed))
        if code != str(parsed.country_code):
            failures.append(f"{number}: recognised {code!r}, parsed {parsed.country_code}")
    print(f"{len(numbers)} numbers of {len(regions)} regions checked")
    if len(numbers) < 300:
        failures.append(f"only {len(numbers)} sample numbers")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
