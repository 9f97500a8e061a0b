#!/usr/bin/env bash
# Builds everything (native, sanitizers, Windows cross build) and runs every test; the Windows
# tests run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

export WINEDEBUG=-all
export GTEST_COLOR=no
# ThreadSanitizer needs a process layout without the wide address randomisation of newer kernels.
tsan_runner=()
if command -v setarch >/dev/null; then tsan_runner=(setarch "$(uname -m)" -R); fi

presets=(${VYRO_PRESETS:-posix posix-asan posix-tsan windows})
for preset in "${presets[@]}"; do
    echo "=== ${preset}: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "=== ${preset}: test"
    if [ "$preset" = posix-tsan ]; then
        "${tsan_runner[@]}" ctest --preset "$preset"
    else
        ctest --preset "$preset"
    fi
done
