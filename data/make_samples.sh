#!/usr/bin/env bash
# Writes the four sample body files next to this script with `zelor-bodies
# new`, and their pictures in docs/ with `zelor-bodies render`. docs/samples.md
# says where every number comes from.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../scripts/build_bodies_tool.sh"
tool=${ZELOR_BODIES:-$here/../build/native/tools/zelor-bodies/zelor-bodies}
for name in Voyager InnerPlanets BinaryStar FigureEight; do
  "$tool" new "$name" "$here/$name.zel"
  "$tool" render "$here/$name.zel" "$here/../docs/$name.png" --steps 3000 --size 400x400
done
