#!/usr/bin/env bash
# Regenerates the gadget gallery: renders each gadget class in a small window in a virtual display
# (tools/gallery/Gallery.cpp), saves docs/gallery/<Class>.png and, in the dark theme,
# docs/gallery/dark/<Class>.png, and writes docs/gallery.md with each picture and the code that made it.
# Usage: tools/gallery.sh [Class]   (one class only: its picture is redone, the page is rewritten)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KW_BUILD_DIR:-$root/build}
source_file=$root/tools/gallery/Gallery.cpp
pictures=$root/docs/gallery

bash "$root/tools/setup.sh"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
cmake -S "$root" -B "$build/x86_64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" >/dev/null
cmake --build "$build/x86_64" --target kw_gallery >/dev/null

# shellcheck source=tools/env.sh
source "$root/tools/env.sh"
trap kw_stop EXIT
KW_FORCE_XVFB=1 kw_start_display
kw_prepare_wine "$build"

for theme in light dark; do
    shots=$build/gallery/$theme
    target=$pictures
    option=""
    if [ "$theme" = dark ]; then
        target=$pictures/dark
        option=--dark
    fi
    rm -rf "$shots"
    mkdir -p "$shots" "$target"
    # shellcheck disable=SC2086
    (cd "$build/x86_64/bin" && /usr/lib/wine/wine64 kw_gallery.exe $option "$(/usr/lib/wine/wine64 winepath -w "$shots" 2>/dev/null)" ${1:-})
    for bitmap in "$shots"/*.bmp; do
        # -strip: no time stamps, so an unchanged picture gives an unchanged file.
        convert "$bitmap" -strip "$target/$(basename "${bitmap%.bmp}").png"
    done
done

# The page: for each "// <Class>: <caption>" comment in the source, the caption, the picture and the
# body of the function that follows, without its indentation.
awk '
    BEGIN {
        print "# Gadget gallery"
        print ""
        print "Each gadget class in a small window, as `tools/gallery.sh` renders it under Wine in a virtual"
        print "display, with the code that made the picture (`window` is the `KWWindow*` around it). Regenerate"
        print "the pictures and this page with `bash tools/gallery.sh`; do not edit them by hand. The second"
        print "picture of each is the same code after `KW::Kwadro::setTheme(KW::KWTheme::dark())`."
    }
    /^\/\/ KW[A-Za-z]*: / {
        name = substr($2, 1, length($2) - 1)
        caption = substr($0, length($2) + 5)
        printf "\n## %s\n\n%s%s\n\n![%s](gallery/%s.png) ![%s, dark](gallery/dark/%s.png)\n\n```cpp\n", name, toupper(substr(caption, 1, 1)), substr(caption, 2), name, name, name, name
        getline # the function line
        inside = 1
        next
    }
    inside && /^}/ { print "```"; inside = 0; next }
    inside { sub(/^    /, ""); print }
' "$source_file" >"$root/docs/gallery.md"
echo "gallery: $(ls "$pictures" | wc -l) pictures in $pictures, page $root/docs/gallery.md"
