#!/usr/bin/env bash
# Configures and builds the trees: native (logic and unit tests), x86_64 and i686 Windows (Release, with
# tests), a Debug x86_64 library alone (what a client's debugging session builds; warnings are errors),
# the x86_64 library, both programs and the Windows tests again with clang (warnings are errors), and the
# native unit and runtime tests under the address and undefined-behaviour sanitizers.
# Usage: tools/build.sh [build-folder]   (default: build/ in the repository)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${KW_BUILD_DIR:-$root/build}}
# Paths relative to the checkout in ccache's keys: another clone of the repository reuses the objects.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}

configure() {
    local dir=$1
    shift
    cmake -S "$root" -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKW_BUILD_TESTS=ON "$@" >/dev/null
    cmake --build "$build/$dir"
}

configure native
# The effect runtime on its own, as a client builds it without the toolkit (its tests run in native/ too).
cmake -S "$root/runtime" -B "$build/runtime" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/runtime"
configure x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
configure i686 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
configure debug-x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Debug -DKW_BUILD_TESTS=OFF -DKW_BUILD_DEMO=OFF -DKW_WARNINGS_AS_ERRORS=ON
configure clang-x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32-clang.cmake" \
    -DKW_WARNINGS_AS_ERRORS=ON
configure native-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKW_SANITIZE=ON

# One ctest run covers the native and the Windows tests, with one summary.
cat >"$build/CTestTestfile.cmake" <<CTEST
subdirs("native")
subdirs("native-asan")
subdirs("x86_64")
CTEST
