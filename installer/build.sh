#!/usr/bin/env bash
# Builds Zelor2-Setup.exe with makensis: build.sh <Zelor2.scr> <output .exe>.
# The samples come from data/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <Zelor2.scr> <Zelor2-Setup.exe>" >&2; exit 2; }
scr=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$(dirname "$out")"
makensis -V2 -INPUTCHARSET UTF8 -DSCR="$scr" -DDATA="$here/../data" -DOUTFILE="$out" "$here/zelor2.nsi"
