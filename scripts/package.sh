#!/usr/bin/env bash
# scripts/package.sh: builds the release packages into dist/:
#   VyroChannel-<version>-linux-x64.tar.gz and VyroChannel-<version>-windows-x64.zip (the release
#   presets, installed stripped by component), and SHA256SUMS beside them.
# The version is the project's (CMakeLists.txt); a tree with uncommitted changes gets "-dirty"
# after it. A failed step stops the script with the step's name and leaves dist/ as it was.
# VYRO_PACKAGES="linux" (or "windows") builds one of them only.
set -euo pipefail
cd "$(dirname "$0")/.."

step=""
work=""
on_failure() {
    echo "package.sh: step \"$step\" failed" >&2
    [ -n "$work" ] && rm -rf "$work"
}
trap on_failure ERR

step="install the build's packages"
scripts/install-deps.sh

step="read the version"
version=$(sed -n 's/^project(VyroChannel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ]
if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
    version="$version-dirty"
fi

mkdir -p dist
work=$(mktemp -d "$PWD/dist/.work.XXXXXX")
packages=()
for platform in ${VYRO_PACKAGES:-linux windows}; do
    preset=release-$platform
    name=VyroChannel-$version-$platform-x64
    step="configure $preset"
    cmake --preset "$preset" >/dev/null
    step="build $preset"
    cmake --build --preset "$preset"
    for component in library tools devkit docs; do
        step="install the $component of $preset"
        cmake --install "build/$preset" --component "$component" --prefix "$work/$name" --strip >/dev/null
    done
    step="archive $name"
    if [ "$platform" = windows ]; then
        archive=$name.zip
        (cd "$work" && cmake -E tar cf "$archive" --format=zip "$name")
    else
        archive=$name.tar.gz
        (cd "$work" && cmake -E tar czf "$archive" "$name")
    fi
    packages+=("$archive")
done

step="checksum the packages"
(cd "$work" && sha256sum "${packages[@]}" > SHA256SUMS)

step="move the packages into dist/"
for file in "${packages[@]}" SHA256SUMS; do
    mv -f "$work/$file" "dist/$file"
done
rm -rf "$work"
work=""
for file in "${packages[@]}"; do
    echo "dist/$file: $(stat -c %s "dist/$file") bytes"
done
