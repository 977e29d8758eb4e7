#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test (native, then under Wine).
# Usage: tools/test.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh" "$build"

# shellcheck source=tools/env.sh
source "$root/tools/env.sh"
trap kw_stop EXIT
KW_FORCE_XVFB=1 kw_start_display
kw_prepare_wine "$build"

ctest --test-dir "$build" --output-on-failure --timeout 600 "$@"
