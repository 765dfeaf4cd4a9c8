#!/usr/bin/env bash
# Installs what building, running and testing need on a fresh Debian machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake make ninja-build g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xdotool xclip x11-utils imagemagick locales procps python3
  tesseract-ocr tesseract-ocr-eng
  clang libclang-rt-14-dev
  nsis zip unzip libstb-dev libx11-dev libxext-dev libxrandr-dev libxinerama-dev xrestop
  xscreensaver xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils strace
  dpkg-dev lintian man-db
  mate-screensaver dbus dconf-gsettings-backend libglib2.0-bin util-linux
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its locale from LANG; the German one must exist for the tests
# that check the decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
