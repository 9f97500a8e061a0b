#!/usr/bin/env bash
# scripts/test-packages.sh: builds the release packages (scripts/package.sh), unpacks each into an
# empty folder and builds the tiny game of examples/consumer against it as a studio would: natively
# against the Linux package, with MinGW against the Windows package. Each game then plays Load, Init,
# Login and Unload from a game folder holding the library and the devkit's Steam runtime, started
# by the package's launcher under the name steam.exe (the Windows one under Wine). A missing file
# or a wrong path in a package fails here, as does a Windows library over 2.5 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

scripts/package.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all
# What a game may add to its download for the library with all four channels.
max_dll_bytes=2500000

(cd dist && sha256sum -c SHA256SUMS)

# consumer PLATFORM LIBRARY LAUNCHER GAME [CMAKE ARGUMENTS...]: unpacks, builds, stages and plays.
consumer() {
    local platform=$1 library=$2 launcher=$3 game=$4
    shift 4
    # The package of this platform that package.sh has just listed in SHA256SUMS.
    local archive
    archive=$(awk -v platform="$platform" '$2 ~ "-" platform "-x64[.]" { print $2 }' "$source/dist/SHA256SUMS")
    local name=${archive%.zip}
    name=${name%.tar.gz}
    local package=$work/$platform/$name
    mkdir -p "$work/$platform"
    echo "=== consumer against the $platform package ($archive)"
    archive=$source/dist/$archive
    (cd "$work/$platform" && cmake -E tar xf "$archive")
    for part in include/VyroChannel.h lib/cmake/VyroChannel/VyroChannelConfig.cmake "$library" \
                tools/"$launcher" devkit/steam/steam_api64.dll devkit/README.md README.md LICENSE CHANGELOG.md; do
        [ -f "$package/$part" ] || { echo "the $platform package lacks $part" >&2; return 1; }
    done
    local find=(-DCMAKE_PREFIX_PATH="$package")
    if [ "$platform" = windows ]; then
        local size
        size=$(stat -c %s "$package/$library")
        echo "the stripped $library is $size bytes"
        [ "$size" -le "$max_dll_bytes" ] || { echo "that is more than $max_dll_bytes bytes" >&2; return 1; }
        # The cross toolchain looks for packages only under MinGW's root: a studio names the folder.
        find+=(-DVyroChannel_DIR="$package/lib/cmake/VyroChannel")
    fi
    cmake -S examples/consumer -B "$work/$platform/build" -G Ninja "${find[@]}" "$@" >/dev/null
    cmake --build "$work/$platform/build"
    local folder=$work/$platform/game
    mkdir -p "$folder"
    cp "$work/$platform/build/$game" "$package/$library" "$package/devkit/steam/steam_api64.dll" "$folder/"
    cp "$package/tools/$launcher" "$folder/steam.exe"
    local output
    if [ "$platform" = windows ]; then
        output=$(cd "$folder" && wine "./steam.exe" "$game")
    else
        output=$(cd "$folder" && LD_LIBRARY_PATH=$folder "./steam.exe" "./$game")
    fi
    echo "$output"
    grep -q '"authenticated":true,"channel":"steam","requestId":"login"' <<<"$output"
    grep -q '^every request answered' <<<"$output"
}

consumer linux lib/libVyroChannel.so vyro-launch consumer
consumer windows bin/VyroChannel.dll vyro-launch.exe consumer.exe \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake"
echo "=== both packages built, unpacked and used"
