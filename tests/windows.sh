#!/usr/bin/env bash
# Builds kestrane.exe with mingw-w64 and runs the whole test suite on it
# under Wine, headless, with a Wine prefix inside the build folder.
# KESTRANE_CONFIGURE_ARGS adds options to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
# libzip for Windows, built once into build/windows-deps.
bash cmake/build-libzip-mingw.sh build/windows-deps
cmake --preset windows ${KESTRANE_CONFIGURE_ARGS:-}
cmake --build --preset windows

export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
unset DISPLAY
# One server for the whole run, and the prefix made once up front, so that
# each test starts in a fraction of a second.
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1 </dev/null
ctest --preset windows --timeout 120
