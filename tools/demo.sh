#!/usr/bin/env bash
# Builds and runs the effect editor `Pelmora` (with --test, the demonstration program `Test` instead).
# With DISPLAY set it opens there and runs until its window is closed; otherwise it runs in a virtual
# display for a few seconds, saves a screenshot and ends.
# KW_DEMO_ARGS passes arguments to the program (Pelmora: --theme light).
# KW_DEMO_DRAG="X1,Y1 X2,Y2" presses the left button at the first screen point and moves to the second in
# steps; the screenshot shows the drag in progress, and the button is let go after it.
# KW_DEMO_DPI=144 (say) runs it at that display DPI: the Wine prefix's LogPixels is set for the run
# and removed again afterwards.
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
desktop='HKCU\Control Panel\Desktop'
finish() {
    if [ -n "${KW_DEMO_DPI:-}" ]; then
        /usr/lib/wine/wine64 reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
    fi
    kw_stop
}
trap finish EXIT
interactive=0
[ -n "${DISPLAY:-}" ] && interactive=1
kw_start_display
kw_prepare_wine "$build"
if [ -n "${KW_DEMO_DPI:-}" ]; then
    /usr/lib/wine/wine64 reg add "$desktop" /v LogPixels /t REG_DWORD /d "$KW_DEMO_DPI" /f >/dev/null 2>&1
fi

if [ "$interactive" = 0 ]; then
    # A screenshot shows the program as it first starts, not as an earlier run left its settings.
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/{Pelmora,Kwadro}
fi

cd "$build/x86_64/bin"
if [ "$interactive" = 1 ]; then
    # shellcheck disable=SC2086
    /usr/lib/wine/wine64 "$program.exe" ${KW_DEMO_ARGS:-}
    exit 0
fi
# shellcheck disable=SC2086
/usr/lib/wine/wine64 "$program.exe" ${KW_DEMO_ARGS:-} &
running=$!
sleep "${KW_DEMO_SECONDS:-6}"
if [ -n "${KW_DEMO_DRAG:-}" ]; then
    read -r from to <<<"$KW_DEMO_DRAG"
    x1=${from%,*} y1=${from#*,} x2=${to%,*} y2=${to#*,}
    xdotool mousemove "$x1" "$y1" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        sleep 0.2
        xdotool mousemove $((x1 + (x2 - x1) * step / 8)) $((y1 + (y2 - y1) * step / 8))
    done
    sleep 2
fi
import -window root "$shot"
if [ -n "${KW_DEMO_DRAG:-}" ]; then
    xdotool mouseup 1
fi
echo "demo: screenshot saved to $shot"
kill "$running" 2>/dev/null || true
wait "$running" 2>/dev/null || true
