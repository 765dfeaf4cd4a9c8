# Sourced: which targets a configured CMake build tree has, under any
# generator. `cmake --build --target help` lists them only for Makefiles and
# Ninja, each in its own form; CMake's file API answers for every generator
# once a query lies in the tree when it is configured.

# Before the configure step.
cmake_ask_for_targets() { mkdir -p "$1/.cmake/api/v1/query" && : >"$1/.cmake/api/v1/query/codemodel-v2"; }

# After it: 0 the tree has the target, 1 it has not, 2 CMake gave no answer
# (then nobody can say, and a caller must not take it as "no").
cmake_has_target() {
  local reply=$1/.cmake/api/v1/reply index model
  index=$(ls -t "$reply"/index-*.json 2>/dev/null | head -n 1)
  [ -n "$index" ] || return 2
  model=$(grep -o '"codemodel-v2-[^"]*\.json"' "$index" | head -n 1 | tr -d '"')
  [ -n "$model" ] && [ -f "$reply/$model" ] || return 2
  grep -Eq "\"name\" *: *\"$2\"" "$reply/$model"
}
