#!/usr/bin/env bash
# Builds the Debian package build/deb/zelor2_<version>_<arch>.deb as Debian
# builds its packages: with the flags of dpkg-buildflags (fortify, stack
# protector, relro, bindnow), a Release build without the tests, stripped
# binaries. The gravity code's own flags (no FMA, no fast math) come from
# CMakeLists.txt and stand beside these. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
build=build/deb
rm -f "$build"/*.deb
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELOR_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build" -j"${ZELOR_JOBS:-$(nproc)}" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/*.deb
