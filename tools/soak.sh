#!/usr/bin/env bash
# Runs a soak of Pelmora and/or Test under Wine: seeded random real input for some minutes, sampling the
# program's GDI headroom, working set and window count every 30 s (see tests/soak/SoakDriver.cpp).
# Usage: tools/soak.sh [minutes] [Pelmora|Test]   (default: 1.5 minutes of each; seed from KW_SOAK_SEED, 39)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}
minutes=${1:-1.5}
programs=${2:-"Pelmora Test"}
seed=${KW_SOAK_SEED:-39}
tree=$build/x86_64
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}

# An existing tree is reused; the driver and both programs are built when missing or out of date.
if [ ! -f "$tree/build.ninja" ]; then
    cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKW_BUILD_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" >/dev/null
fi
cmake --build "$tree" --target SoakDriver

# shellcheck source=tools/env.sh
source "$root/tools/env.sh"
trap kw_stop EXIT
KW_FORCE_XVFB=1 kw_start_display
kw_prepare_wine "$build"

seconds=$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')
status=0
for program in $programs; do
    examples=()
    if [ "$program" = Pelmora ]; then
        examples=(examples/campfire.kwfx examples/fire.kwfx examples/smoke.kwfx examples/sparks.kwfx)
    fi
    (cd "$tree/bin" && /usr/lib/wine/wine64 SoakDriver.exe "$program.exe" "$seconds" "$seed" "${examples[@]}") ||
        status=1
done
exit $status
