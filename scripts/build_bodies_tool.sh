#!/usr/bin/env bash
# Builds (or brings up to date) the Linux zelor-bodies in build/native, with
# which the end-to-end and soak tests write and read body files; a run of
# those tests alone, without the unit stage before it, then finds it too.
set -uo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/native/CMakeCache.txt ]; then
  timeout 300 cmake --preset native >/dev/null || { echo "zelor-bodies: cmake --preset native failed" >&2; exit 2; }
fi
timeout 600 cmake --build build/native --target zelor-bodies -j2 >/dev/null ||
  { echo "zelor-bodies: the native build failed" >&2; exit 2; }
