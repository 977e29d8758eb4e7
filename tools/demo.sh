#!/usr/bin/env bash
# Builds and runs the effect editor `Pelmora` (with --test, the demonstration program `Test` instead).
# With DISPLAY set it opens there and runs until its window is closed; otherwise it runs in a virtual
# display for a few seconds, saves a screenshot and ends.
# Usage: tools/demo.sh [--test] [screenshot.png]   (default: build/demo.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}
program=Pelmora
if [ "${1:-}" = --test ]; then
    program=Test
    shift
fi
shot=${1:-$build/demo.png}

# Only what the program needs: its packages, the x86_64 library and the program (tools/test.sh builds
# the rest in the same tree later).
bash "$root/tools/setup.sh" demo
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
cmake -S "$root" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKW_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" >/dev/null
cmake --build "$build/x86_64" --target "$program"

# shellcheck source=tools/env.sh
source "$root/tools/env.sh"
trap kw_stop EXIT
interactive=0
[ -n "${DISPLAY:-}" ] && interactive=1
kw_start_display
kw_prepare_wine "$build"

cd "$build/x86_64/bin"
if [ "$interactive" = 1 ]; then
    /usr/lib/wine/wine64 "$program.exe"
    exit 0
fi
/usr/lib/wine/wine64 "$program.exe" &
running=$!
sleep "${KW_DEMO_SECONDS:-6}"
import -window root "$shot"
echo "demo: screenshot saved to $shot"
kill "$running" 2>/dev/null || true
wait "$running" 2>/dev/null || true
