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
