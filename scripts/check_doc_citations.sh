#!/usr/bin/env bash
# Every test a document cites still exists, so that a reader who looks a
# claim up finds the test that backs it. Prints each citation that names
# nothing. A citation is inline code (`...`) in one of these forms:
#   `Suite.Name`, `Suite.*`, `Suite*`   a GoogleTest test, suite or suite prefix
#                                       (TEST, TEST_F, TEST_P in tests/, or a
#                                       ctest add_test name); `Prefix/Suite.Name/0`
#                                       of a parameterised test counts too
#   `test_name`                         a shell test function in tests/
#   `test_file.sh`, `tests/.../x.sh`,   a test file, script or folder that must
#   `scripts/x.py`, `bench/`            exist (each word of the code is looked at)
#   fuzzer `name`                       tests/fuzz/fuzz_name.cpp
set -uo pipefail
cd "$(dirname "$0")/.."
docs=(README.md docs/*.md installer/LIESMICH.txt "$@")
status=0

for doc in "${docs[@]}"; do
  [ -f "$doc" ] || { echo "citations: $doc is missing, so its citations cannot be checked"; status=1; }
done

# GoogleTest names, as Suite.Name, from the macros (their arguments may be
# spread over lines) and from ctest's add_test.
gtests=$(find tests -name '*.cpp' -print0 | xargs -0 perl -0777 -ne \
  'print "$1.$2\n" while /\bTEST(?:_F|_P)?\s*\(\s*(\w+)\s*,\s*(\w+)\s*\)/g' | sort -u)
ctests=$(find tests -name CMakeLists.txt -print0 | xargs -0 perl -0777 -ne \
  'print "$1\n" while /\badd_test\s*\(\s*NAME\s+([\w.]+)/g' | sort -u)
gtests=$(printf '%s\n%s\n' "$gtests" "$ctests" | grep . | sort -u)
# Shell test functions: what the harnesses run, every test_* function.
shtests=$(find tests -name '*.sh' -print0 | xargs -0 perl -ne \
  'print "$2\n" if /^\s*(function\s+)?(test_\w+)\s*\(\s*\)/' | sort -u)
# A check that finds nothing to compare with cannot look: it fails.
[ -n "$gtests" ] || { echo "citations: found no GoogleTest test in tests/"; status=1; }
[ -n "$shtests" ] || { echo "citations: found no shell test function in tests/"; status=1; }

# One line per citation: file, line, kind, name. A file is read whole, so
# inline code that wraps to the next line counts; fenced code blocks are not
# citations and are blanked first, keeping their line breaks.
citations=$(perl -0777 -ne '
  my $text = $_;
  $text =~ s{^(```.*?^```)}{ (my $block = $1) =~ s/[^\n]//g; $block }gems;
  my $at = sub { 1 + (substr($text, 0, $_[0]) =~ tr/\n//) };
  while ($text =~ /\bfuzzers?\s+`(\w+)`/g) { printf "%s\t%d\tfuzzer\t%s\n", $ARGV, $at->($-[1]), $1; }
  while ($text =~ /`([^`]+)`/g) {
    my $line = $at->($-[1]);
    for my $word (split /\s+/, $1) {
      $word =~ s/^[(\[]+|[),.;:\]]+$//g;
      my ($kind, $name);
      if ($word =~ m{^(?:\w+/)?([A-Z]\w*[a-z]\w*\.(?:[A-Z]\w*[a-z]\w*|\*))(?:/\w+)?$}) { ($kind, $name) = ("gtest", $1); }
      elsif ($word =~ /^([A-Z]\w*[a-z]\w*)\*$/) { ($kind, $name) = ("suites", $1); }
      elsif ($word =~ /^test_\w+$/) { ($kind, $name) = ("function", $word); }
      elsif ($word =~ /^test_[\w.]+\.(?:sh|cpp)$/) { ($kind, $name) = ("testfile", $word); }
      elsif ($word =~ m{^(?:tests|scripts|bench)/[\w./-]*(?:\.sh|\.py|/)$}) { ($kind, $name) = ("path", $word); }
      print "$ARGV\t$line\t$kind\t$name\n" if $kind;
    }
  }' "${docs[@]}" 2>/dev/null)
[ -n "$citations" ] || { echo "citations: the documents cite no test at all, so the reading is broken"; status=1; }

suites=$(sed 's/\..*//' <<<"$gtests" | sort -u)
count=0
while IFS=$'\t' read -r file line kind name; do
  [ -n "$kind" ] || continue
  count=$((count + 1))
  case $kind in
    gtest)
      if [[ $name == *.\* ]]; then
        grep -qxF "${name%.*}" <<<"$suites" && continue
      else
        grep -qxF "$name" <<<"$gtests" && continue
      fi ;;
    suites) grep -q "^${name}" <<<"$suites" && continue ;;
    function) grep -qxF "$name" <<<"$shtests" && continue ;;
    testfile) [ -n "$(find tests -name "$name" -print -quit)" ] && continue ;;
    path) [ -e "$name" ] && continue ;;
    fuzzer) [ -f "tests/fuzz/fuzz_$name.cpp" ] && continue ;;
  esac
  echo "citations: $file:$line cites the $kind \`$name\`, which does not exist"
  status=1
done <<<"$citations"

[ "$status" -eq 0 ] && echo "citations: all $count citations in ${#docs[@]} documents name tests that exist"
exit "$status"
