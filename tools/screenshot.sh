#!/usr/bin/env bash
# Regenerates the README's screenshots: each program runs in a virtual display and is captured after a
# few seconds; docs/pelmora.png shows the effect editor playing its fire example (dark, its default;
# docs/pelmora-light.png in the light theme), docs/editor-shell.png
# the demonstration program, docs/editor-shell-144.png and docs/pelmora-144.png the same at 144 DPI,
# docs/pelmora-docking.png a pane of Pelmora dragged to another place.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/docs"
# The example as Wine names it: drive Z: is the Linux root.
fire="Z:${root//\//\\}\\editor\\examples\\fire.kwfx"
env -u DISPLAY KW_DEMO_ARGS="$fire" KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" bash "$root/tools/demo.sh" \
    "$root/docs/pelmora.png"
env -u DISPLAY KW_DEMO_ARGS="--theme light $fire" KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" \
    bash "$root/tools/demo.sh" "$root/docs/pelmora-light.png"
env -u DISPLAY KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" bash "$root/tools/demo.sh" --test "$root/docs/editor-shell.png"
env -u DISPLAY KW_DEMO_DPI=144 KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" bash "$root/tools/demo.sh" --test \
    "$root/docs/editor-shell-144.png"
env -u DISPLAY KW_DEMO_DPI=144 KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" bash "$root/tools/demo.sh" \
    "$root/docs/pelmora-144.png"
# Scene dragged by its title band to the right of Properties, the button still down: the translucent
# rectangle shows where the pane would go (points of the maximized window on the 1280 x 1024 display).
env -u DISPLAY KW_DEMO_ARGS="$fire" KW_DEMO_DRAG="60,74 1245,520" KW_DEMO_SECONDS="${KW_DEMO_SECONDS:-10}" \
    bash "$root/tools/demo.sh" "$root/docs/pelmora-docking.png"
