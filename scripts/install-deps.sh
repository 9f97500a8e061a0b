#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, by name, when any is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ binutils
    nlohmann-json3-dev libfmt-dev libgtest-dev googletest libbenchmark-dev nettle-dev pkgconf zlib1g-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev wine wine64
    mono-mcs mono-runtime nunit-console libnunit-cil-dev
    clang-14 libclang-rt-14-dev libfuzzer-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
