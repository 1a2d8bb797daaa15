#!/usr/bin/env bash
# Installs the Debian packages that building and running need and, with
# the argument "test", those that only the tests and checks need, skipping
# those already present. Safe to run repeatedly. The package
# manager's own output goes to build/install.log; the screen shows one line
# for what is installed and one when it is done, or, if it fails, the end
# of the log and where the whole of it is.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make                           # the build
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
if [ "${1:-}" = "test" ]; then
  packages+=(
    python3-pytest python3-pytest-xdist  # runs the end-to-end and release tests side by side
    python3-pil                          # reads the tests' screenshots
    clang-14 libclang-rt-14-dev libgtest-dev  # the portable core's unit tests and fuzzer (libFuzzer)
    g++                                  # the fault lists' builds of the core (scripts/mutate.py)
    clang-tidy-14                        # the static analysis of every source
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

mkdir -p "$root/build"
log=$root/build/install.log
echo "Installing ${#missing[@]} packages: ${missing[*]} (output in build/install.log) ..."
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
if ! { "${sudo_cmd[@]}" apt-get update &&
       "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  echo "Installing the packages failed. The end of the log:" >&2
  tail -n 20 "$log" >&2
  echo "The whole log is $log" >&2
  exit 1
fi
echo "Installed the packages."
