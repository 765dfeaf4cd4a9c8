#!/usr/bin/env bash
# Builds the native core with its unit tests and the Windows program Zelor2.scr.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
echo "build: $(pwd)/build/windows/src/Zelor2.scr"
