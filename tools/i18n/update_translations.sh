#!/usr/bin/env bash
# Brings the translation files up to date with the sources and lists the texts still to translate:
#   tools/i18n/update_translations.sh            # every file in resources/translations/
#   tools/i18n/update_translations.sh ja         # only pellory2_ja.ts
# Existing translations are kept; texts no longer in the sources are dropped (-no-obsolete).
# Translate the listed texts in Qt Linguist (linguist resources/translations/pellory2_ja.ts) or by
# hand, then run tests/i18n/check_translations.py (or ctest -R i18n) to check them.
set -euo pipefail
cd "$(dirname "$0")/../.."

lupdate=$(command -v lupdate || true)
for candidate in /usr/lib/qt6/bin/lupdate /usr/lib/qt6/libexec/lupdate; do
    [ -n "$lupdate" ] && break
    [ -x "$candidate" ] && lupdate=$candidate
done
if [ -z "$lupdate" ]; then
    echo "error: lupdate not found; install qt6-l10n-tools" >&2
    exit 1
fi

languages=("$@")
if [ "${#languages[@]}" -eq 0 ]; then
    for ts in resources/translations/pellory2_*.ts; do
        lang=${ts##*/pellory2_}
        languages+=("${lang%.ts}")
    done
fi

for lang in "${languages[@]}"; do
    ts=resources/translations/pellory2_$lang.ts
    echo "== $ts"
    # English needs entries only for its plural forms, so lupdate must not add every text to it.
    if [ "$lang" = en ]; then
        "$lupdate" -silent -recursive -no-obsolete -locations none -pluralonly src -ts "$ts"
    else
        "$lupdate" -silent -recursive -no-obsolete -locations none -target-language "$lang" src -ts "$ts"
    fi
    python3 tools/i18n/unfinished.py "$ts"
done
