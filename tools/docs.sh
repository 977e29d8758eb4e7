#!/usr/bin/env bash
# Builds the API reference from the public headers into build/docs/html with Doxygen, and the effect
# runtime's from <pelmora/Runtime.h> into build/docs/runtime/html; fails when Doxygen warns (an
# undocumented public class or member, a broken reference), printing the warnings.
# Usage: tools/docs.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}
out=$build/docs

# A library-only native configure generates KWVersion.h and the Doxyfile; nothing is compiled.
cmake -S "$root" -B "$out/cmake" -G Ninja -DKW_BUILD_TESTS=OFF -DKW_BUILD_DEMO=OFF \
    -DKW_DOCS_OUTPUT="$out" >/dev/null
# The runtime is a project of its own with its own reference; its configure compiles nothing either.
cmake -S "$root/runtime" -B "$out/runtime-cmake" -G Ninja -DPELMORA_BUILD_TESTS=OFF -DPELMORA_BUILD_RENDER=OFF \
    -DPELMORA_DOCS_OUTPUT="$out/runtime" >/dev/null

failed=0
for reference in "$out" "$out/runtime"; do
    rm -rf "$reference/html" "$reference/warnings.log"
    mkdir -p "$reference"
done
doxygen "$out/cmake/Doxyfile"
doxygen "$out/runtime-cmake/Doxyfile"
for reference in "$out" "$out/runtime"; do
    if [ -s "$reference/warnings.log" ]; then
        cat "$reference/warnings.log" >&2
        echo "docs: $(wc -l <"$reference/warnings.log") warning line(s) in $reference" >&2
        failed=1
    fi
done
[ "$failed" = 0 ] || exit 1
echo "docs: $out/html/index.html, $out/runtime/html/index.html"
