#!/usr/bin/env bash
# Builds the library, the host harness and the simulated store runtimes natively and plays a
# scenario: the Steam session unless arguments for vyro-host are given.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset posix >/dev/null
cmake --build --preset posix --target VyroChannel vyro-host vyro_sim_steam vyro_sim_google vyro_sim_epic \
    vyro_sim_xbox vyro_sim_xbox_services
if [ $# -eq 0 ]; then
    set -- examples/scenarios/steam-session.json
fi
build/posix/bin/vyro-host "$@"
