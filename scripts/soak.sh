#!/usr/bin/env bash
# Builds Zelor2.scr and the soak probe for Windows and runs the soak test
# (tests/soak/soak.sh) under Wine: several minutes, so not part of the test
# command. SOAK_BUILD picks the build folder (build/windows by default, the
# preset's); SOAK_SECONDS the length of the run. The Wine prefix is one of
# its own under the build folder, so other Wine tests are left alone.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${SOAK_BUILD:-build/windows}
jobs=$(nproc)

if [ "$build" = build/windows ]; then
  cmake --preset windows >/dev/null || exit 1
else
  cmake -S . -B "$build" --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
fi
cmake --build "$build" --target Zelor2 -j"$jobs" || exit 1

# The probe is a target of the build where tests/soak is part of it;
# otherwise it is compiled here on its own, the same way.
probe=$build/tests/soak/zelor_soak_probe.exe
if ! cmake --build "$build" --target zelor_soak_probe -j"$jobs" >/dev/null 2>&1; then
  probe=$build/soak/zelor_soak_probe.exe
  mkdir -p "$(dirname "$probe")"
  x86_64-w64-mingw32-g++-posix -O2 -municode -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
    -D_WIN32_WINNT=0x0A00 -static -static-libgcc -static-libstdc++ tests/soak/probe.cpp -lpsapi -o "$probe" ||
    exit 1
fi

export ZELOR_SCR=$PWD/$build/src/Zelor2.scr
export SOAK_PROBE=$PWD/$probe
export SOAK_OUT=$PWD/$build/soak
export WINEPREFIX=${WINEPREFIX:-$PWD/$build/soak/prefix}
exec bash tests/soak/soak.sh
