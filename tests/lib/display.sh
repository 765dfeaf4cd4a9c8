# Sourced wherever a test, soak or benchmark needs an X server of its own
# (Xvfb, or Xorg with the dummy driver): finding a free display number and
# waiting until the server answers, in one place.

# Starts the server on the first free display number from FIRST to LAST:
#   start_x_server FIRST LAST PROGRAM ARGUMENT...
# The display (":N") goes before the arguments; "{n}" in an argument becomes
# N (for a log file of its own). Once the server answers, exports DISPLAY,
# sets X_SERVER_PID and succeeds; fails when no number gives a server within
# X_SERVER_WAIT seconds (10) each.
start_x_server() {
  local first=$1 last=$2 program=$3 n arg args
  shift 3
  for n in $(seq "$first" "$last"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    args=()
    for arg in "$@"; do args+=("${arg//\{n\}/$n}"); done
    "$program" ":$n" "${args[@]}" >/dev/null 2>&1 &
    X_SERVER_PID=$!
    if x_server_answers "$n" "$X_SERVER_PID"; then
      export DISPLAY=":$n"
      return 0
    fi
    stop_x_server "$X_SERVER_PID"
  done
  X_SERVER_PID=""
  return 1
}

# True once the server on display N answers while the process PID still
# runs: ours, not one that another run started on the same number meanwhile.
x_server_answers() {
  local n=$1 pid=$2 end=$((SECONDS + ${X_SERVER_WAIT:-10}))
  while ((SECONDS < end)); do
    kill -0 "$pid" 2>/dev/null || return 1
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

stop_x_server() {
  [ -n "${1:-}" ] || return 0
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}
