#!/bin/bash
# Runs one libFuzzer target from its seeds for a few seconds: the test run's
# proof that every harness still builds with clang and survives its seeds.
# New inputs go to a folder of its own, so the seeds in the tree stay as
# they are. Exits with libFuzzer's status; a finding's input is printed.
#   run_briefly.sh TARGET SEEDS SECONDS
set -uo pipefail
target=${1:?usage: run_briefly.sh TARGET SEEDS SECONDS}
seeds=${2:?usage: run_briefly.sh TARGET SEEDS SECONDS}
seconds=${3:?usage: run_briefly.sh TARGET SEEDS SECONDS}
[ -x "$target" ] || { echo "run_briefly.sh: no fuzz target at $target (is the fuzz build missing?)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/findings"
"$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/findings/" "$work/corpus" "$seeds" >"$work/log" 2>&1
status=$?
grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ *DONE)' "$work/log"
if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/findings")" ]; then
    tail -n 40 "$work/log"
    for finding in "$work/findings"/*; do
        [ -f "$finding" ] && echo "finding $(basename "$finding"): $(od -An -tx1 -v "$finding" | head -c 600)"
    done
    exit "$((status == 0 ? 1 : status))"
fi
