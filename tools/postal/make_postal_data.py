#!/usr/bin/env python3
"""Builds the Japanese postal-code lists shipped with the program from the npm package
jquery-jpostal-ja (MIT), which holds every code of the national lists as JSON.

    make_postal_data.py TARBALL OUTDIR

writes OUTDIR/ken_all.gzip (address areas) and OUTDIR/jigyosyo.gzip (businesses with their own
code): Shift_JIS (the Windows variant, which the lists have always used), one record a line, the
fields comma-separated and double-quoted, gzip-compressed. The output is byte-for-byte the same on
every run: the package's files are read in name order, the gzip header carries no time and no name.

The tarball must be the one recorded in resources/postal-codes-source.txt (version and SHA-256).
"""

import gzip
import hashlib
import io
import json
import re
import sys
import tarfile
from pathlib import Path

SOURCE_RECORD = Path(__file__).resolve().parents[2] / "resources" / "postal-codes-source.txt"
ENCODING = "cp932"
# One JSON file per 3-digit prefix; index.html and the rest of the package are not data.
DATA_MEMBER = re.compile(r"^package/json/(\d{3})\.json$")
# Entries of complete codes; the package also holds one summary entry per 3-digit prefix.
FULL_CODE = re.compile(r"^_(\d{7})$")
# JSONP: the array stands inside a callback call.
CALLBACK = re.compile(r"^\s*\w+\(\s*(.*)\)\s*;?\s*$", re.S)


class DataError(Exception):
    pass


def read_source_record(path=SOURCE_RECORD):
    record = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        key, sep, value = line.partition(":")
        if sep and not line.startswith("#"):
            record[key.strip()] = value.strip()
    for key in ("package", "version", "sha256"):
        if key not in record:
            raise DataError(f"{path}: no '{key}' line")
    return record


def sha256_of(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def package_entries(tarball):
    """Every entry of the package's data files, in file-name order, then in file order."""
    with tarfile.open(tarball, "r:gz") as tar:
        members = sorted((m for m in tar.getmembers() if m.isfile() and DATA_MEMBER.match(m.name)),
                         key=lambda m: m.name)
        if not members:
            raise DataError(f"{tarball}: no postal-code data in the package")
        for member in members:
            text = tar.extractfile(member).read().decode("utf-8")
            match = CALLBACK.match(text)
            if not match:
                raise DataError(f"{member.name}: not a callback around a JSON array")
            for entry in json.loads(match.group(1)):
                if (not isinstance(entry, list) or len(entry) != 9
                        or not all(isinstance(v, str) for v in entry)):
                    raise DataError(f"{member.name}: unexpected entry {entry!r}")
                yield entry


def quoted(value):
    # The lists are split at every comma and their quotes are stripped, not parsed: a value must
    # not hold either, nor a line break.
    if any(c in value for c in ',"\r\n'):
        raise DataError(f"value {value!r} cannot be written to the lists")
    return f'"{value}"'


def split_lists(entries):
    """The lines of the address-area list and of the business list."""
    areas, businesses = [], []
    for entry in entries:
        match = FULL_CODE.match(entry[0])
        if not match:
            continue
        code = match.group(1)
        pref, city, area, block, company, pref_kana, city_kana, area_kana = entry[1:]
        if company:
            # Local-government code (not in the package), company reading (not in the package),
            # company, prefecture, city, area, block and number, postal code.
            fields = ["", quoted(""), quoted(company), quoted(pref), quoted(city), quoted(area),
                      quoted(block), quoted(code)]
            businesses.append(",".join(fields) + "\n")
        else:
            # Local-government code and old 5-digit code (neither in the package), postal code,
            # the three readings, prefecture, city, area.
            fields = ["", "", quoted(code), quoted(pref_kana), quoted(city_kana), quoted(area_kana),
                      quoted(pref), quoted(city), quoted(area)]
            areas.append(",".join(fields) + "\n")
    return areas, businesses


def gzip_bytes(data):
    out = io.BytesIO()
    # mtime 0 and no file name: the same input always gives the same bytes.
    with gzip.GzipFile(filename="", mode="wb", fileobj=out, compresslevel=9, mtime=0) as z:
        z.write(data)
    return out.getvalue()


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 1
    tarball, outdir = Path(argv[1]), Path(argv[2])
    try:
        record = read_source_record()
        checksum = sha256_of(tarball)
        if checksum != record["sha256"]:
            raise DataError(f"{tarball}: SHA-256 {checksum}, expected {record['sha256']} "
                            f"({record['package']} {record['version']})")
        areas, businesses = split_lists(package_entries(tarball))
        outdir.mkdir(parents=True, exist_ok=True)
        for name, lines in (("ken_all", areas), ("jigyosyo", businesses)):
            data = "".join(lines).encode(ENCODING)
            (outdir / f"{name}.gzip").write_bytes(gzip_bytes(data))
            print(f"{name}.gzip: {len(lines)} lines")
    except (OSError, DataError, UnicodeError, ValueError, tarfile.TarError) as e:
        print(f"make_postal_data: {e}", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
