#!/usr/bin/env bash
# scripts/fuzz.sh [TARGET] [SECONDS]
#
# Builds the libFuzzer targets (the posix-fuzz preset) and runs TARGET (every target when none is
# named) for SECONDS each (600 by default), over its corpus in fuzz/corpus/TARGET. New inputs go to
# build/posix-fuzz/fuzz/found/TARGET; a failing input is written to the current folder as crash-* —
# once fixed, copy it into the corpus, where the test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
target=${1:-}
seconds=${2:-600}

cmake --preset posix-fuzz >/dev/null
cmake --build --preset posix-fuzz

targets=()
if [ -n "$target" ]; then
    targets=("$target")
else
    for corpus in fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi
for name in "${targets[@]}"; do
    found=build/posix-fuzz/fuzz/found/$name
    mkdir -p "$found"
    echo "=== fuzz_$name for $seconds s"
    # As the test run starts it: the Steam target under steam.exe, the Epic one with the launcher's sign-in.
    build/posix-fuzz/fuzz/run-"$name" -max_total_time="$seconds" -print_final_stats=1 -close_fd_mask=3 \
        "$found" "fuzz/corpus/$name"
done
