#!/usr/bin/env bash
# Regenerates the README's screenshot of the editor shell: runs the demonstration program in a virtual
# display and saves docs/editor-shell.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/docs"
env -u DISPLAY KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" bash "$root/tools/demo.sh" "$root/docs/editor-shell.png"
