#!/usr/bin/env bash
# The package as a client sees it: installs the Debug x86_64 and the Release i686 library trees that
# tools/build.sh made, then configures and builds examples/ out of tree against each installed package
# with find_package(Kwadro 1.0 CONFIG REQUIRED), warnings as errors.
# Usage: tools/package.sh [build-folder]   (default: build/ in the repository)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${KW_BUILD_DIR:-$root/build}}

consume() {
    local tree=$1 arch=$2 type=$3
    local prefix=$build/install-$arch
    rm -rf "$prefix" "$build/examples-$arch"
    cmake --install "$build/$tree" --prefix "$prefix" >/dev/null
    cmake -S "$root/examples" -B "$build/examples-$arch" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" \
        -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >/dev/null
    cmake --build "$build/examples-$arch"
}

consume debug-x86_64 x86_64 Debug
consume i686 i686 Release
