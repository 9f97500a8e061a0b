#!/usr/bin/env bash
# Builds everything (native, sanitizers, Windows cross build) and runs every test; the Windows
# tests run under Wine. Then builds the release packages and a game against them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

export WINEDEBUG=-all
export GTEST_COLOR=no
# ThreadSanitizer needs a process layout without the wide address randomisation of newer kernels.
tsan_runner=()
if command -v setarch >/dev/null; then tsan_runner=(setarch "$(uname -m)" -R); fi

# "packages" is the last stage: the release packages built and used by a game outside the tree.
presets=(${VYRO_PRESETS:-posix posix-asan posix-tsan posix-fuzz windows packages})
for preset in "${presets[@]}"; do
    if [ "$preset" = packages ]; then
        echo "=== release packages"
        scripts/test-packages.sh
        continue
    fi
    echo "=== ${preset}: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "=== ${preset}: test"
    if [ "$preset" = posix-tsan ]; then
        "${tsan_runner[@]}" ctest --preset "$preset"
    elif [ "$preset" = windows ]; then
        # One Wine server and one set of Wine's own services for all the test processes, instead of
        # starting them per process. The services are started detached from ctest's output pipes,
        # which they would otherwise hold open after the test that started them has ended.
        mkdir -p "${WINEPREFIX:-$HOME/.wine}"
        wineserver -p 30 || true  # already running: the tests still share it
        wineboot </dev/null >/dev/null 2>&1
        ctest --preset "$preset"
        wineserver -k || true
    else
        ctest --preset "$preset"
    fi
done
