#!/usr/bin/env bash
# Builds the release from a clean clone: Zelor2.scr, the body-file tool where
# the tree has one, Zelor2-Setup.exe, and build/release/Zelor2-1.00.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
version=1.00
jobs=${ZELOR_JOBS:-$(nproc)}
build=build/windows
release=build/release
stage=$release/Zelor2-$version
tool=$build/tools/zelor-bodies/zelor-bodies.exe

source scripts/cmake_targets.sh
bash scripts/setup.sh
cmake_ask_for_targets "$build"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Zelor2 -j"$jobs"

# A tree without the tool still makes a release; a tool that fails to build
# stops it, and so does a build tree that cannot say whether it has one.
has_tool=0
cmake_has_target "$build" zelor-bodies || has_tool=$?
case $has_tool in
  0) cmake --build "$build" --target zelor-bodies -j"$jobs" ;;
  1)
    echo "release: this tree has no body-file tool; the archive goes without it"
    tool=""
    ;;
  *)
    echo "release: CMake did not list the targets of $build" >&2
    exit 1
    ;;
esac

bash installer/build.sh "$build/src/Zelor2.scr" "$release/Zelor2-Setup.exe"

rm -rf "$stage" "$release/Zelor2-$version.zip"
mkdir -p "$stage/Beispiele"
cp "$release/Zelor2-Setup.exe" "$build/src/Zelor2.scr" "$stage/"
cp data/Voyager.zel data/InnerPlanets.zel data/BinaryStar.zel data/FigureEight.zel "$stage/Beispiele/"
[ -z "$tool" ] || cp "$tool" "$stage/"
# Notepad shows UTF-8 with a byte-order mark and Windows line ends everywhere.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' installer/LIESMICH.txt; } >"$stage/LIESMICH.txt"

(cd "$release" && zip -q -X -r "Zelor2-$version.zip" "Zelor2-$version")
unzip -l "$release/Zelor2-$version.zip"
