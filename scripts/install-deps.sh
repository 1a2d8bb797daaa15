#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# skipping those already present. Safe to run repeatedly.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev          # native core and its unit tests
  g++-mingw-w64-x86-64-win32           # cross compiler for the Windows program
  binutils-mingw-w64-x86-64            # windres for the resource script
  wine wine64 fonts-wine fonts-liberation  # runs the Windows program here, with its fonts
  xvfb xdotool x11-utils               # private display, real input, window queries
  imagemagick fonts-dejavu-core        # screenshots, and the picture generator
  python3 python3-pefile               # reads the executable's resources back
  libstb-dev                           # the PNG reader built into the program
  wixl msitools                        # builds the installer, and reads its tables back
  osslsigncode openssl                 # optional signing, and the test certificate
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
