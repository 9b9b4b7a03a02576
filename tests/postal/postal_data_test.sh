#!/bin/sh
# Rebuilds the postal-code lists from the recorded npm tarball and checks that they are the very
# bytes committed in resources/. Skips (exit 77) when the tarball could not be fetched.
#   postal_data_test.sh SOURCE_DIR TARBALL_DIR WORK_DIR
set -eu
src="$1"
tarballs="$2"
work="$3"
record="$src/resources/postal-codes-source.txt"
package=$(sed -n 's/^package: *//p' "$record")
version=$(sed -n 's/^version: *//p' "$record")
tarball="$tarballs/$package-$version.tgz"
if [ ! -f "$tarball" ]; then
    echo "SKIP: $tarball is missing (./test fetches it with npm; no npm or no network here)"
    exit 77
fi
if ! command -v python3 >/dev/null 2>&1; then
    echo "SKIP: python3 is not installed"
    exit 77
fi
rm -rf "$work"
python3 "$src/tools/postal/make_postal_data.py" "$tarball" "$work"
status=0
for name in ken_all jigyosyo; do
    built=$(sha256sum <"$work/$name.gzip" | cut -d' ' -f1)
    committed=$(sha256sum <"$src/resources/$name.gzip" | cut -d' ' -f1)
    if [ "$built" != "$committed" ]; then
        echo "FAIL: $name.gzip built from $package $version is $built, the committed one $committed"
        status=1
    else
        echo "ok: $name.gzip $built"
    fi
done
exit $status
