#!/usr/bin/env bash
# Runs one fuzzer for a bounded time on a copy of its seeds, so the fuzzer's
# new inputs never land in the source tree.
#   run_fuzzer.sh FUZZER SECONDS INPUT_TIMEOUT ARTIFACT_FOLDER SEED...
# A SEED is a folder of inputs or a single input file. A crash, a hang, a
# sanitizer report or a leak makes libFuzzer exit non-zero and keep the input
# in ARTIFACT_FOLDER.
set -euo pipefail
fuzzer=$1 seconds=$2 input_timeout=$3 artifacts=$4
shift 4

work=$(mktemp -d "${TMPDIR:-/tmp}/varno-fuzz-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$artifacts"
for seed in "$@"; do
    if [ -d "$seed" ]; then
        cp -- "$seed"/* "$work/corpus/"
    else
        cp -- "$seed" "$work/corpus/"
    fi
done
echo "$(ls "$work/corpus" | wc -l) seeds for $(basename "$fuzzer")"

# The test command fuzzes from a fixed seed, so a run explores the same inputs
# each time (as far as the time allows) and a failure can be repeated; set
# VARNO_FUZZ_SEED=0 for a fresh random seed when hunting for new faults.
seed_option=-seed="${VARNO_FUZZ_SEED:-20261207}"
if [ "${VARNO_FUZZ_SEED:-}" = 0 ]; then
    seed_option=
fi

"$fuzzer" -max_total_time="$seconds" -timeout="$input_timeout" -print_final_stats=1 \
    ${seed_option:+"$seed_option"} -artifact_prefix="$artifacts/" "$work/corpus"
