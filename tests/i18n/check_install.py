#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks that a desktop finds everything there.

    check_install.py BUILD_DIR
"""
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

ICON_SIZES = (16, 32, 48, 64, 128, 256)
EDITIONS = ("pellory2", "brisklet", "strandel2", "ombrine2")


def png_size(path):
    header = path.read_bytes()[:24]
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", header[16:24])


def desktop_entry(path):
    entry = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        key, sep, value = line.partition("=")
        if sep:
            entry.setdefault(key.strip(), value.strip())
    return entry


def problems_in(prefix):
    found = []

    def need(relative):
        path = prefix / relative
        if not path.exists():
            found.append(f"missing: {relative}")
        return path

    for edition in EDITIONS:
        need(f"bin/{edition}")
    need("bin/pellory2-cli")
    desktop = need("share/applications/pellory2.desktop")
    need("share/metainfo/pellory2.metainfo.xml")
    man = need("share/man/man1/pellory2-cli.1")
    for language in ("en", "ja"):
        need(f"share/pellory2/translations/pellory2_{language}.qm")
    icon_name = desktop_entry(desktop).get("Icon", "") if desktop.exists() else ""
    exec_name = desktop_entry(desktop).get("Exec", "").split(" ")[0] if desktop.exists() else ""
    if exec_name and not (prefix / "bin" / exec_name).exists():
        found.append(f"the desktop entry starts {exec_name!r}, which is not installed")
    for size in ICON_SIZES:
        icon = need(f"share/icons/hicolor/{size}x{size}/apps/{icon_name or 'pellory2'}.png")
        if icon.exists() and png_size(icon) != (size, size):
            found.append(f"{icon.relative_to(prefix)} is {png_size(icon)}, not {size}x{size}")
    if man.exists() and "pellory2-cli" not in man.read_text(encoding="utf-8"):
        found.append("the manual page does not describe pellory2-cli")
    return found


def main(build_dir):
    with tempfile.TemporaryDirectory() as folder:
        prefix = Path(folder) / "prefix"
        run = subprocess.run(["cmake", "--install", build_dir, "--prefix", str(prefix)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        found = problems_in(prefix)
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
