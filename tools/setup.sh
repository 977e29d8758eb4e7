#!/usr/bin/env bash
# Installs what the build and the tests need, skipping what is already present. Idempotent.
# Usage: tools/setup.sh [demo]   (demo: only what tools/demo.sh needs to build and show the programs)
set -euo pipefail

# The x86_64 library and the programs, run under Wine in a virtual display (import takes the screenshot,
# xdotool holds a drag for one).
packages=(
    cmake ninja-build ccache
    g++-mingw-w64-x86-64-posix
    wine64 xvfb imagemagick xdotool
    nlohmann-json3-dev libstb-dev
)
if [ "${1:-}" != demo ]; then
    # Native unit tests and fuzz targets, the 32-bit build, the test framework, the API reference.
    packages+=(
        g++ clang lld libclang-rt-14-dev
        g++-mingw-w64-i686-posix
        googletest
        x11-utils
        python3 python3-pil
        doxygen
    )
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: run as root to install packages" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
