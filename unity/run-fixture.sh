#!/usr/bin/env bash
# run-fixture.sh BIN ASSEMBLIES STORE FIXTURE[,FIXTURE...]
#
# Runs NUnit fixtures of the Unity package's tests the way a game meets the library: the
# library, the store's simulated runtime (and for Epic the configuration store) staged in a fresh
# folder beside the test assemblies, and for Steam the whole process started by a launcher named
# steam.exe. One process per store, since the library's channel and the simulators live per process.
set -euo pipefail

bin=$1 assemblies=$2 store=$3
fixtures=$(echo "$4" | sed 's/[^,]*/Vyro.Tests.&/g')
stage=$(mktemp -d "${TMPDIR:-/tmp}/vyro-unity-XXXXXX")
trap 'rm -rf "$stage"' EXIT

cp "$assemblies"/*.dll "$assemblies"/*.exe "$stage/"
cp "$bin/libVyroChannel.so" "$stage/"
nunit=("$(command -v nunit-console)")
launcher=()
case "$store" in
    none) ;;
    steam)
        cp "$bin/steam_api64.dll" "$stage/"
        mkdir "$stage/launcher"
        cp "$bin/vyro-launch" "$stage/launcher/steam.exe"
        launcher=("$stage/launcher/steam.exe")
        ;;
    google) cp "$bin/play_pc_sdk.dll" "$stage/" ;;
    epic)
        cp "$bin/EOSSDK-Win64-Shipping.dll" "$stage/"
        "$bin/vyro-config-pack" "$bin/epic-config" "$stage" >/dev/null # the example configuration vyro-host packs
        # The Epic launcher's sign-in options, on the command line of the process the tests run in.
        nunit=(mono "$stage/LaunchedGame.exe" -AUTH_PASSWORD=sim-exchange-code-0001 -AUTH_TYPE=exchangecode
               -epicsandboxid=5a1f0c2e9b7d4e6f8a3c1b0d2e4f6a8c -epicdeploymentid=c3e5a7b9d1f24680ace13579bdf02468 --)
        ;;
    xbox) cp "$bin/xgameruntime.dll" "$bin/Microsoft.Xbox.Services.GDK.C.Thunks.dll" "$stage/" ;;
    *) echo "run-fixture.sh: unknown store $store" >&2; exit 2 ;;
esac

# No shadow copies: the library is found beside the test assembly, where it was staged. No domain
# of its own and no runner thread: the tests run on the process's main thread, as a game's frames do.
"${launcher[@]}" "${nunit[@]}" "$stage/VyroChannel.Tests.dll" -run="$fixtures" \
    -nologo -noshadow -domain=None -nothread -result="$stage/TestResult.xml" >"$stage/output.txt" 2>&1 &
runner=$!

# Mono waits at exit for every thread that ever called into managed code, and the Play Games
# runtime's completion thread never ends: once the results are written, the process is stopped
# rather than waited for, and the summary decides.
for _ in $(seq 1 1200); do
    if ! kill -0 "$runner" 2>/dev/null; then break; fi
    if grep -qs "</test-results>" "$stage/TestResult.xml"; then
        sleep 1
        pkill -KILL -f "$stage/VyroChannel.Tests.dll" 2>/dev/null || true
        break
    fi
    sleep 0.25
done
wait "$runner" 2>/dev/null || true
cat "$stage/output.txt"
summary=$(grep -E "^Tests run: [0-9]+, Errors: [0-9]+, Failures: [0-9]+" "$stage/output.txt" || true)
if [[ ! $summary =~ ^Tests\ run:\ ([0-9]+),\ Errors:\ ([0-9]+),\ Failures:\ ([0-9]+) ]] || [ "${BASH_REMATCH[1]}" -eq 0 ]; then
    echo "run-fixture.sh: no tests ran" >&2
    exit 1
fi
exit $(( BASH_REMATCH[2] + BASH_REMATCH[3] ))
