#!/usr/bin/env bash
# Shared set-up of ./run and ./test: install what is missing, configure and build into build/.
#   scripts/setup.sh [--test]    --test: also what only the tests need
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

# clang and its runtime libraries build the fuzz targets (scripts/fuzz.sh).
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-charts-dev
          libgl-dev libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev)
# ./test also prints to a print server of its own: CUPS with a PDF printer.
[ "${1:-}" = "--test" ] && packages+=(cups cups-client printer-driver-cups-pdf)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --parallel "$(nproc)"
