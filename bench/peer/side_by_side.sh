#!/usr/bin/env bash
# Times the peer and pellory2-cli on one file, alternating runs, and prints each median:
#   bench/peer/side_by_side.sh FILE [RUNS]
# Expects build/peer/kcontacts_bench and build/rel/src/cli/pellory2-cli (see README.md here).
set -euo pipefail
file=$1
runs=${2:-3}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
declare -A times
for ((i = 0; i < runs; i++)); do
    for tool in build/peer/kcontacts_bench build/rel/src/cli/pellory2-cli; do
        for command in stats convert; do
            args=("$command" "$file")
            [ "$command" = convert ] && args+=("$out/out.vcf")
            line=$(/usr/bin/time -f "%e %M" "$tool" "${args[@]}" 2>&1 >/dev/null | tail -1)
            times["$tool $command"]+="$line"$'\n'
        done
    done
done
for key in "${!times[@]}"; do
    printf '%-45s' "$key"
    printf '%s' "${times[$key]}" | sort -n | awk -v n="$runs" \
        'NR == int((n + 1) / 2) { printf "median %6.2f s  peak %5.0f MiB\n", $1, $2 / 1024 }'
done | sort
