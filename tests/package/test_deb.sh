#!/usr/bin/env bash
# The Debian package as Debian's own lintian judges it, built the way
# scripts/build_deb.sh builds it: no error and no warning, no hardening flag
# missing, and every override with its reason above it. Then what it holds:
# both programs, the daemon's description, the samples, and manual pages that
# show the usage each program prints.
set -uo pipefail
cd "$(dirname "$0")/../.."
status=0
fail() { echo "FAIL $*"; status=1; }

command -v lintian >/dev/null || { echo "FAIL lintian is not installed: the package cannot be checked"; exit 1; }
deb=$(timeout 1200 bash scripts/build_deb.sh 2>/dev/null | tail -n 1)
[ -f "$deb" ] || { echo "FAIL scripts/build_deb.sh made no package"; exit 1; }

# (--show-overrides would count an overridden warning as a failure.)
report=$(timeout 300 lintian --fail-on error,warning --display-info "$deb" 2>/dev/null)
lintian_status=$?
echo "$report"
[ "$lintian_status" -eq 0 ] || fail "lintian exits with $lintian_status on $deb"
grep -q '^[EW]: ' <<<"$report" && fail "lintian finds errors or warnings (above)"
grep -q '^I: .* hardening-' <<<"$report" && fail "a binary lacks one of Debian's hardening flags (above)"
awk '/^[^#[:space:]]/ && prev !~ /^#/ { print "FAIL override without its reason: " $0; bad = 1 } { prev = $0 } END { exit bad }' \
  packaging/deb/lintian-overrides || status=1

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for file in usr/bin/zelor2 usr/bin/zelor-bodies usr/share/xscreensaver/config/zelor2.xml \
  usr/share/man/man6/zelor2.6.gz usr/share/man/man1/zelor-bodies.1.gz usr/share/zelor2/samples/Voyager.zel; do
  [ -e "$root/$file" ] || fail "the package lacks /$file"
done

# Every line of a program's usage stands in its manual page as man shows it
# (spaces aside: man indents the block).
squeezed() { tr -s '[:space:]' ' ' | sed 's/^ //; s/ $//'; }
usage_in_page() {
  local page=$1 shown line
  shift
  shown=$(MANWIDTH=200 LC_ALL=C.UTF-8 timeout 60 man -l "$root/$page" 2>&1 | squeezed)
  local usage
  usage=$(timeout 60 "$@") || { fail "$* prints no usage"; return; }
  [ -n "$usage" ] || { fail "$* prints no usage"; return; }
  while IFS= read -r line; do
    line=$(squeezed <<<"$line")
    [ -z "$line" ] || grep -qF -- "$line" <<<"$shown" || fail "/$page lacks the usage line: $line"
  done <<<"$usage"
}
usage_in_page usr/share/man/man6/zelor2.6.gz "$root/usr/bin/zelor2" -help
usage_in_page usr/share/man/man1/zelor-bodies.1.gz "$root/usr/bin/zelor-bodies" help

[ "$status" -eq 0 ] && echo "PASS $deb: lintian clean, programs, description, samples and manual pages in place"
exit "$status"
