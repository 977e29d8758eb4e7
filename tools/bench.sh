#!/usr/bin/env bash
# Builds everything and runs every benchmark under Wine in a virtual display; prints their figures.
# Usage: tools/bench.sh [name-filter]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh" "$build" >/dev/null

# shellcheck source=tools/env.sh
source "$root/tools/env.sh"
trap kw_stop EXIT
KW_FORCE_XVFB=1 kw_start_display
kw_prepare_wine "$build"

cd "$build/x86_64/bin"
for program in bench_*.exe; do
    [ -e "$program" ] || continue
    case "$program" in *"${1:-}"*) ;; *) continue ;; esac
    echo "== $program"
    /usr/lib/wine/wine64 "$program" </dev/null
done
