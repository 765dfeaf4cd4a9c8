#!/usr/bin/env bash
# The release finds the body-file tool's target whichever generator the build
# tree was made with: a small project is configured under each generator at
# hand, with and without the target.
set -uo pipefail
source "$(dirname "$0")/../scripts/cmake_targets.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0 looked=0
expect() {
  local want=$1 what=$2 got=0
  shift 2
  "$@" || got=$?
  [ "$got" -eq "$want" ] || { echo "FAIL: $what: $got, expected $want"; failed=1; }
}

mkdir -p "$work/with" "$work/without"
printf 'int main() { return 0; }\n' >"$work/main.c"
printf 'cmake_minimum_required(VERSION 3.16)\nproject(p C)\nadd_executable(zelor-bodies ../main.c)\nadd_executable(zelor-bodies-extra ../main.c)\n' >"$work/with/CMakeLists.txt"
printf 'cmake_minimum_required(VERSION 3.16)\nproject(p C)\nadd_executable(zelor-bodies-extra ../main.c)\n' >"$work/without/CMakeLists.txt"
for generator in "Unix Makefiles" "Ninja" "Ninja Multi-Config"; do
  for project in with without; do
    build="$work/build-${generator// /-}-$project"
    cmake_ask_for_targets "$build"
    cmake -S "$work/$project" -B "$build" -G "$generator" >/dev/null 2>&1 ||
      { echo "FAIL: $generator does not configure"; failed=1; continue; }
    looked=$((looked + 1))
    [ "$project" = with ] && want=0 || want=1
    expect "$want" "$generator, project $project" cmake_has_target "$build" zelor-bodies
  done
done
expect 2 "a tree CMake has not answered for" cmake_has_target "$work/nothing" zelor-bodies
((looked == 6)) || { echo "FAIL: only $looked of 6 trees configured"; failed=1; }
[ "$failed" -eq 0 ] && echo "release targets: found under every generator"
exit "$failed"
