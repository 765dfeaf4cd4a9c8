# Sourced by the end-to-end test libraries: writes and reads body files with
# zelor-bodies (scripts/build_bodies_tool.sh builds it). Needs ZELOR_ROOT and
# a `fail` function.
ZELOR_BODIES=${ZELOR_BODIES:-$ZELOR_ROOT/build/native/tools/zelor-bodies/zelor-bodies}
zelor_bodies() { timeout 30 "$ZELOR_BODIES" "$@"; }
# Writes a body file: FILE, then one argument a body, "name mass x y speed
# direction colour" (metres, m/s, degrees; colour #RRGGBB or 0x00BBGGRR).
write_bodies() {
  local out=$1 body
  shift
  {
    echo name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color
    for body in "$@"; do echo "${body// /,}"; done
  } | zelor_bodies from-csv - "$out" >/dev/null || fail "could not write $out"
}
# The colour (RRGGBB) of the body of this name in a body file, as
# `zelor-bodies show` lists it; fails when the file has no such body.
body_colour() {
  local colour
  colour=$(zelor_bodies show "$1" | awk -v name="$2" '$2 == name {print substr($NF, 2)}' | head -n 1)
  [ -n "$colour" ] || fail "no body $2 in $1"
  echo "$colour"
}
