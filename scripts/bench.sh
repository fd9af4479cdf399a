#!/bin/sh
# Builds and runs the benchmarks one after the other (all of bench/, or the ones named, such as
# "./scripts/bench.sh long_run grid_append") and ends with a table of every judged figure:
# program, figure, target, result. Exits non-zero when a target was missed or a program failed.
# The figures are times: run it on an otherwise idle machine.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

if [ $# -gt 0 ]; then
    names="$*"
else
    names=$(for source in bench/*.cpp; do basename "$source" .cpp; done)
fi
targets=""
for name in $names; do
    targets="$targets bench_$name"
done
# shellcheck disable=SC2086
cmake --build build --target $targets

logs=build/bench/logs
summary=build/bench/summary.tsv
mkdir -p "$logs"
: >"$summary"
failed=0
for name in $names; do
    echo "== bench_$name"
    {
        status=0
        QT_QPA_PLATFORM=offscreen KELVARO_BENCH_SUMMARY="$(pwd)/$summary" \
            "build/bench/bench_$name" 2>&1 || status=$?
        echo "$status" >"$logs/$name.status"
    } | tee "$logs/$name.log"
    status=$(cat "$logs/$name.status")
    if [ "$status" -ne 0 ]; then
        failed=1
        # A missed target gives status 1 and has its row; anything else (a crash) gets one.
        if [ "$status" -ne 1 ] || ! grep -q "^bench_$name	.*	TOO SLOW$" "$summary"; then
            printf 'bench_%s\tthe program\texits 0\texit status %s\tFAILED\n' "$name" "$status" \
                >>"$summary"
        fi
    elif ! grep -q "^bench_$name	" "$summary"; then
        printf 'bench_%s\t(figures printed above)\tnone\t-\t-\n' "$name" >>"$summary"
    fi
done

echo
echo "Summary (logs in $logs):"
awk -F '\t' '
    { for (i = 1; i <= 5; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } }
    END {
        split("program figure target result verdict", head, " ")
        for (i = 1; i <= 5; i++) if (length(head[i]) > width[i]) width[i] = length(head[i])
        for (i = 1; i <= 5; i++) printf "%-*s  ", width[i], head[i]; print ""
        for (r = 1; r <= NR; r++) { for (i = 1; i <= 5; i++) printf "%-*s  ", width[i], cell[r, i]; print "" }
    }' "$summary"
if grep -q "	TOO SLOW$" "$summary"; then
    failed=1
fi
exit "$failed"
