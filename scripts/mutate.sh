#!/usr/bin/env bash
# How many faults would the unit tests catch? Makes small faults (mutants) in
# the portable core, one at a time, builds the native unit tests with each and
# runs them: a mutant is killed when a test fails or the tests run past the
# time limit, and survives when they all pass. A mutant that does not build is
# stillborn and left out of the score. A benchmark, not a test: it takes hours
# for every mutant, so it is not part of scripts/test.sh.
#
# The operators are fixed and listed in scripts/mutants.py: comparisons
# flipped or tied, arithmetic swapped, a dropped !, integer constants +-1,
# deleted statements, turned-over return values, std::min/std::max swapped.
#
#   MUTATE_FILES   the files to mutate (default: every .cpp and .h in
#                  src/sim, src/settings, src/lock, src/shell, src/common,
#                  and src/x11/module, the Linux module's portable part, and
#                  zelor-bodies' galaxy maker, tools/zelor-bodies/galaxies.*)
#   MUTATE_SAMPLE  how many mutants, drawn at random (default: all of them)
#   MUTATE_SEED    the seed of that draw (default 1), so a run repeats
#   MUTATE_LIST    a file of mutants, as results.txt names them (its first
#                  column, a verdict, may stay), to run exactly those: the
#                  survivors of an earlier run, say
#   MUTATE_TREE    a git revision to mutate instead of the working tree
#   MUTATE_KILLED  results.txt of an earlier run of the same core with fewer
#                  tests: a mutant it killed counts as killed, one that did
#                  not build as stillborn, without a build (tests are only
#                  ever added, so a killed mutant stays killed)
#   MUTATE_EQUIVALENT  the survivors judged by hand (default
#                  scripts/mutants_equivalent.txt), below
#   MUTATE_REPORT  a results.txt to score again, with nothing built: after
#                  judging its survivors, say, or of a run cut short
#   MUTATE_OUT     the work folder (default build/mutate)
#   MUTATE_TEST_SECONDS  time limit of one test run (default: 5 x the
#                  unmutated run, at least 60 s)
#   MUTATE_SANITIZE  1: build with AddressSanitizer and UBSan, as the
#                  sanitize stage of scripts/test.sh does, so that a mutant
#                  that reads past an array's end is killed (slower)
#
# The work happens in build/mutate (MUTATE_OUT): a copy of the tree (never the working
# tree), its own build folder (only the unit-test target, optimised a little
# and without debug information so that each mutant builds and links fast,
# through ccache when it is installed), the list of mutants and results.txt,
# one line per mutant. Prints each verdict, then the score and the survivors.
#
# The score three ways. Raw: killed of all that built. Strict: leaving out
# the survivors no behaviour can tell apart from the program (class "same" in
# MUTATE_EQUIVALENT: a start value always overwritten, a bound never
# reached). Under the rule: leaving out also those that move a layout
# constant by one twip (class "twip", under a pixel at 96 dpi) and those that
# change only speed or memory (class "speed": chunk sizes, spin times), which
# a test may not time. Each class is listed apart by name; a survivor not in
# the file is a survivor, whatever it is.
set -uo pipefail
cd "$(dirname "$0")/.."
here=$PWD
out=$(realpath -m "${MUTATE_OUT:-build/mutate}")
files=${MUTATE_FILES:-$( (find src/sim src/settings src/lock src/shell src/common src/x11/module -name '*.cpp' -o -name '*.h'
  ls tools/zelor-bodies/galaxies.*) | sort)}
seed=${MUTATE_SEED:-1}

equivalent=${MUTATE_EQUIVALENT:-$here/scripts/mutants_equivalent.txt}
# The survivors of one class of the file, as results.txt names them.
judged() {
  [ -f "$equivalent" ] || return 0
  awk -F'\t' -v class="$1" 'NR == FNR { if ($1 == class) wanted[substr($0, length($1) + 2)] = 1; next }
    $1 == "SURVIVED" && (substr($0, 10) in wanted) { print substr($0, 10) }' "$equivalent" "$results"
}
# "killed of all: percent", to a tenth.
score() { [ "$2" -gt 0 ] && echo "$(($1 * 1000 / $2 / 10)).$(($1 * 1000 / $2 % 10)) % ($1 of $2)" || echo "none scored"; }
# The score of $results three ways, each class of survivors by name.
report() {
  local killed survived stillborn gone scored same twip speed class
  killed=$(grep -c '^killed' "$results") survived=$(grep -c '^SURVIVED' "$results")
  stillborn=$(grep -c '^stillborn' "$results") gone=$(grep -c '^gone' "$results")
  scored=$((killed + survived))
  same=$(judged same | wc -l) twip=$(judged twip | wc -l) speed=$(judged speed | wc -l)
  echo
  echo "mutate: $killed killed, $survived survived, $stillborn stillborn (did not build), $gone gone (their line changed since)"
  echo "mutate: raw $(score "$killed" "$scored")"
  echo "mutate: strict $(score "$killed" $((scored - same))), leaving out $same that no behaviour tells apart"
  echo "mutate: under the rule $(score "$killed" $((scored - same - twip - speed))), leaving out also $twip one-twip and $speed speed-only"
  for class in same twip speed; do
    [ -n "$(judged $class)" ] || continue
    echo "$class:"
    judged $class | sed 's/^/  /'
  done
  if [ $((survived - same - twip - speed)) -gt 0 ]; then
    echo "survivors:"
    grep '^SURVIVED' "$results" | cut -f2- | grep -vxF -f <(judged same; judged twip; judged speed) | sed 's/^/  /'
  fi
}
if [ -n "${MUTATE_REPORT:-}" ]; then
  results=$MUTATE_REPORT
  report
  exit 0
fi

rm -rf "$out/original" "$out/tree"
mkdir -p "$out/original" "$out/tree" "$out/build"
parts=(CMakeLists.txt cmake src tests tools data)
if [ -n "${MUTATE_TREE:-}" ]; then
  git archive "$MUTATE_TREE" "${parts[@]}" | tar -x -C "$out/original" || exit 1
else
  cp -a "${parts[@]}" "$out/original/" || exit 1
fi
cp -a "$out/original/." "$out/tree/"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ "${MUTATE_SANITIZE:-}" = 1 ] && launcher+=(-DZELOR_SANITIZE=ON)
cmake -S "$out/tree" -B "$out/build" -DCMAKE_BUILD_TYPE=Mutate -DCMAKE_CXX_FLAGS_MUTATE=-O1 "${launcher[@]}" \
  >"$out/configure.log" 2>&1 ||
  { cat "$out/configure.log"; exit 1; }
# A mutant whose build takes longer than 15 minutes counts as stillborn.
build() { timeout "${1:-900}" cmake --build "$out/build" --target zelor_unit_tests -j"$(nproc)"; }
tests=$out/build/tests/zelor_unit_tests
run_tests() { (cd "$out/build/tests" && timeout -k 5 "$1" "$tests" --gtest_brief=1 --gtest_fail_fast); }

build 86400 >"$out/build.log" 2>&1 || { tail -n 30 "$out/build.log"; echo "mutate: the unmutated tree does not build"; exit 1; }
started=$SECONDS
run_tests 3600 >"$out/baseline.log" 2>&1 || { tail -n 30 "$out/baseline.log"; echo "mutate: the unmutated tests fail"; exit 1; }
baseline=$((SECONDS - started))
limit=${MUTATE_TEST_SECONDS:-$((baseline * 5 > 60 ? baseline * 5 : 60))}

(cd "$out/original" && python3 "$here/scripts/mutants.py" list $files) >"$out/all.txt" || exit 1
total=$(wc -l <"$out/all.txt")
if [ -n "${MUTATE_LIST:-}" ]; then
  sed 's/^\(killed\|SURVIVED\|stillborn\|gone\)\t//' "$MUTATE_LIST" >"$out/chosen.txt"
elif [ -n "${MUTATE_SAMPLE:-}" ]; then
  python3 -c 'import random, sys; lines = open(sys.argv[1]).readlines(); n = min(int(sys.argv[2]), len(lines))
sys.stdout.writelines(sorted(random.Random(int(sys.argv[3])).sample(lines, n)))' "$out/all.txt" "$MUTATE_SAMPLE" "$seed" \
    >"$out/chosen.txt"
else
  cp "$out/all.txt" "$out/chosen.txt"
fi
echo "mutate: $(wc -l <"$out/chosen.txt") of $total mutants (seed $seed); tests take ${baseline}s unmutated, limit ${limit}s"

results=$out/results.txt
: >"$results"
while IFS= read -r mutant; do
  file=${mutant%%:*}
  earlier=$([ -n "${MUTATE_KILLED:-}" ] && grep -xF -e "killed	$mutant" -e "stillborn	$mutant" "$MUTATE_KILLED" | cut -f1)
  if [ -n "$earlier" ]; then
    printf '%s\t%s\n' "$earlier" "$mutant" | tee -a "$results"
    continue
  fi
  # A listed mutant whose line has changed since is left out.
  if ! (cd "$out/original" && python3 "$here/scripts/mutants.py" apply "$out/tree" "$mutant" 2>/dev/null); then
    printf 'gone\t%s\n' "$mutant" | tee -a "$results"
    continue
  fi
  if ! build >"$out/mutant-build.log" 2>&1; then
    verdict=stillborn
  elif run_tests "$limit" >"$out/mutant-test.log" 2>&1; then
    verdict=SURVIVED
  else
    verdict=killed
  fi
  # A fresh time stamp, so that the next build compiles it again (from ccache).
  cp "$out/original/$file" "$out/tree/$file"
  printf '%s\t%s\n' "$verdict" "$mutant" | tee -a "$results"
done <"$out/chosen.txt"
# The last mutant's file is back as it was; leave the build matching it.
build >/dev/null 2>&1

report
