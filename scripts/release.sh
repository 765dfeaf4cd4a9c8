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

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Zelor2 -j"$jobs"

# A tree without the tool still makes a release; a tool that fails to build
# stops it.
# Read whole first: grep -q ends at the first match, and under pipefail the
# writer's broken pipe would count as no match.
targets=$(cmake --build "$build" --target help 2>/dev/null || true)
if grep -qx '\.\.\. zelor-bodies' <<<"$targets"; then
  cmake --build "$build" --target zelor-bodies -j"$jobs"
else
  echo "release: this tree has no body-file tool; the archive goes without it"
  tool=""
fi

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
