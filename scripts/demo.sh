#!/usr/bin/env bash
# Builds the library and the host harness natively and plays the demo scenario.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset posix >/dev/null
cmake --build --preset posix --target VyroChannel vyro-host
build/posix/bin/vyro-host --store none "${1:-examples/scenarios/default-channel.json}"
