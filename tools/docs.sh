#!/usr/bin/env bash
# Builds the API reference from the public headers into build/docs/html with Doxygen; fails when Doxygen
# warns (an undocumented public class or member, a broken reference), printing the warnings.
# Usage: tools/docs.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}
out=$build/docs

# A library-only native configure generates KWVersion.h and the Doxyfile; nothing is compiled.
cmake -S "$root" -B "$out/cmake" -G Ninja -DKW_BUILD_TESTS=OFF -DKW_BUILD_DEMO=OFF \
    -DKW_DOCS_OUTPUT="$out" >/dev/null
rm -rf "$out/html"
doxygen "$out/cmake/Doxyfile"
if [ -s "$out/warnings.log" ]; then
    cat "$out/warnings.log" >&2
    echo "docs: $(wc -l <"$out/warnings.log") warning line(s) in the API reference" >&2
    exit 1
fi
echo "docs: $out/html/index.html"
