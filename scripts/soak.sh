#!/usr/bin/env bash
# The soak tests, several minutes each, so not part of the test command:
# Zelor2.scr under Wine (tests/soak/soak.sh, with the probe built for
# Windows) and the native zelor2 in Xvfb (tests/soak/soak_x11.sh, from the
# native preset's build). SOAK_PROGRAMS picks them ("wine native" by default);
# SOAK_BUILD the Windows build folder (build/windows by default, the
# preset's); SOAK_SECONDS the length of each run. The Wine prefix is one of
# its own under the build folder, so other Wine tests are left alone.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${SOAK_BUILD:-build/windows}
jobs=$(nproc)
programs=${SOAK_PROGRAMS:-wine native}

status=0
if [[ " $programs " == *" native "* ]]; then
  { cmake --preset native >/dev/null && cmake --build --preset native --target zelor2 -j"$jobs"; } || exit 1
  ZELOR2=$PWD/build/native/src/zelor2 SOAK_OUT=$PWD/build/native/soak bash tests/soak/soak_x11.sh || status=1
fi
[[ " $programs " == *" wine "* ]] || exit "$status"

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
bash tests/soak/soak.sh || status=1
exit "$status"
