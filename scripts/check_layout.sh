#!/usr/bin/env bash
# The core builds on every platform: no file under the core folders includes a
# platform header (<windows.h>, <X11/...>) or anything of a front end. Prints each offending line.
set -uo pipefail
cd "$(dirname "$0")/.."
core=(src/common src/settings src/sim src/lock src/shell)
fronts=(src/win32 src/x11)
# The Linux module's portable part: its own rules, built and unit-tested on
# every platform, so it is held to the core's rules, and kept apart from the
# X11 calls of the rest of src/x11.
module=src/x11/module
# Standard C and C++ headers and the compilers' vector intrinsics are allowed;
# anything else in angle brackets, and any front end's folder, is not.
allowed='^(c[a-z]+|[a-z_]+|immintrin\.h|emmintrin\.h|xmmintrin\.h|intrin\.h)$'
status=0
# A folder that is gone, or holds no source, would pass every check below
# unseen: it fails instead.
for dir in "${core[@]}" "${fronts[@]}" "$module"; do
  if ! compgen -G "$dir/*.cpp" >/dev/null && ! compgen -G "$dir/*.h" >/dev/null; then
    echo "layout: $dir is missing or holds no source file, so nothing there can be checked"
    status=1
  fi
done
while IFS= read -r line; do
  file=${line%%:*}
  header=$(sed -n 's/.*#include *<\([^>]*\)>.*/\1/p' <<<"$line")
  if [ -n "$header" ] && ! [[ "$header" =~ $allowed ]]; then
    echo "layout: $file includes the platform header <$header>"
    status=1
  fi
done < <(grep -rn '#include *<' "${core[@]}" "$module")
if grep -rnE '#include *"(win32|x11)/' "${core[@]}"; then
  echo "layout: a core file includes a front end's header (above)"
  status=1
fi
if grep -rnE '#include *"(win32/|x11/[a-z_]+\.h)' "$module"; then
  echo "layout: the module's portable part includes a front end's platform code (above)"
  status=1
fi
# Only the Linux module's part of src/x11 speaks for the module alone: no
# core file is used by the X11 front end and nobody else.
if ! python3 scripts/core_users.py; then
  status=1
fi
# Every file that includes <windows.h> belongs to the Windows front end.
if grep -rlE '#include *<windows\.h>' src | grep -v '^src/win32/'; then
  echo "layout: the files above include <windows.h> outside src/win32"
  status=1
fi
# And every file that includes an X11 header to the X11 front end.
if grep -rlE '#include *<X11/' src | grep -v '^src/x11/'; then
  echo "layout: the files above include X11 headers outside src/x11"
  status=1
fi
# The simulation and the settings are layers side by side: what both need
# lives in src/common, so neither includes the other.
cross=$(grep -rnE '#include *"settings/' src/sim; grep -rnE '#include *"sim/' src/settings)
if [ -n "$cross" ]; then
  echo "$cross"
  echo "layout: src/sim and src/settings include each other (above); shared pieces belong in src/common"
  status=1
fi
# The core decides on neutral events only: no core file names a Windows
# message, system command or virtual key (WM_, SC_, VK_), nor a system
# command's number (0xF000 to 0xF1FF, 61440 to 61999 written out, the mask 0xFFF0).
windows_input='\b(WM|SC|VK)_[A-Z]|\b0[xX][Ff][01][0-9A-Fa-f]{2}\b|\b0[xX][Ff]{3}0\b|\b61[4-9][0-9]{2}\b'
if grep -rnE "$windows_input" "${core[@]}"; then
  echo "layout: a core file knows a Windows message or command number (above); the Windows front end translates them"
  status=1
fi
[ "$status" -eq 0 ] && echo "layout: the core includes no platform header and no front end"
exit "$status"
