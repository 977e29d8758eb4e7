#!/usr/bin/env bash
# Installs what is missing, checks the API reference, builds every tree, builds the examples against the
# installed package and runs every test (native, then under Wine) and one example.
# Usage: tools/test.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}

bash "$root/tools/setup.sh"
bash "$root/tools/docs.sh"
bash "$root/tools/build.sh" "$build"
bash "$root/tools/package.sh" "$build"

# shellcheck source=tools/env.sh
source "$root/tools/env.sh"
trap kw_stop EXIT
KW_FORCE_XVFB=1 kw_start_display
kw_prepare_wine "$build"

ctest --test-dir "$build" --output-on-failure --timeout 600 "$@"
# The clang tree is built whole; a quick subset of its Windows tests runs (the whole set takes as long
# again as the GCC tree's): the core, the controls, the spin box and the windows.
ctest --test-dir "$build/clang-x86_64" --output-on-failure --timeout 600 -R '^win32_(core|controls|spinbox|windows)$'

# A program built against the installed package starts, shows its window and ends by itself.
(cd "$build/examples-x86_64" && timeout 120 /usr/lib/wine/wine64 curve_sampler.exe --autoclose </dev/null)
echo "test: the installed package's curve_sampler example ran"
(cd "$build/examples-x86_64" && timeout 120 /usr/lib/wine/wine64 runtime_player.exe --autoclose </dev/null)
echo "test: the installed runtime's runtime_player example ran"
