#!/usr/bin/env bash
# Runs two builds of window_bench on one file, alternately, and prints each stage's median over
# the rounds side by side, so that both see the same machine load:
#
#   bench/compare_window.sh BEFORE_BENCH AFTER_BENCH FILE [ROUNDS] [RUNS]
#
# ROUNDS (default 3) is how often each bench runs; RUNS (default 3) is passed on as --runs.
set -euo pipefail

if [[ $# -lt 3 ]]; then
    echo "usage: $0 BEFORE_BENCH AFTER_BENCH FILE [ROUNDS] [RUNS]" >&2
    exit 2
fi
before=$1
after=$2
file=$3
rounds=${4:-3}
runs=${5:-3}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for ((round = 1; round <= rounds; ++round)); do
    for side in before after; do
        bench=$before
        [[ $side == after ]] && bench=$after
        "$bench" "$file" --runs "$runs" 2>/dev/null >"$out/$side.$round"
    done
done

# Stage lines read "<stage> <ms> ms <rows> rows peak <MiB> MiB"; the stage name may hold spaces.
medians() {
    cat "$out/$1".* | awk '/ ms / {
        stage = $0; sub(/ +[0-9]+ ms .*/, "", stage)
        for (i = 1; i <= NF; ++i) if ($(i + 1) == "ms") { ms = $i; break }
        if (!(stage in seen)) { seen[stage] = 1; order[++n] = stage }
        times[stage] = times[stage] " " ms
    }
    END {
        for (k = 1; k <= n; ++k) {
            m = split(substr(times[order[k]], 2), v, " ")
            for (i = 1; i <= m; ++i) for (j = i + 1; j <= m; ++j) if (v[j] + 0 < v[i] + 0) { t = v[i]; v[i] = v[j]; v[j] = t }
            printf "%s\t%d\n", order[k], v[int((m + 1) / 2)]
        }
    }'
}

printf "%-28s %10s %10s\n" "stage (median of $rounds)" "before ms" "after ms"
join -t $'\t' <(medians before | nl -w3 -s$'\t' | sed 's/^ *//' | awk -F'\t' '{print $2"\t"$1"\t"$3}' | sort -t $'\t' -k1,1) \
    <(medians after | sort -t $'\t' -k1,1) |
    sort -t $'\t' -k2,2n | awk -F'\t' '{ printf "%-28s %10s %10s\n", $1, $3, $4 }'
# Stages that only the after bench has (new in it).
awk -F'\t' 'NR == FNR { seen[$1] = 1; next } !($1 in seen) { printf "%-28s %10s %10s\n", $1, "-", $2 }' \
    <(medians before) <(medians after)
grep -h "rebuilt while scrolling" "$out"/after.* | sort | uniq -c | sed 's/^ */after: /'
