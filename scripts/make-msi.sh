#!/usr/bin/env bash
# Builds the per-machine installer from packaging/kestrane.wxs with wixl.
# Usage: scripts/make-msi.sh KESTRANE.exe VERSION OUTPUT.msi
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "$1")
version=$2
output=$(realpath -m "$3")

# The same for every version: it is how a newer package finds the older one.
upgrade_code=83e1c1ad-8575-46de-86ef-f25bbe3134e6
# Derived from the version, so that every build of one version is one product.
product_code=$(python3 -c 'import sys, uuid; print(uuid.uuid5(uuid.UUID(sys.argv[1]), "KESTRANE " + sys.argv[2]))' \
               "$upgrade_code" "$version")

# wixl finds the files it packs by name in its working folder.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/KESTRANE.exe"
cp "$root/resources/kestrane.ico" "$stage/kestrane.ico"
if ! log=$(cd "$stage" && wixl --arch x64 -D Version="$version" -D ProductCode="$product_code" \
             -D UpgradeCode="$upgrade_code" -D ExeSource=KESTRANE.exe \
             -D IconSource=kestrane.ico -o "$output" "$root/packaging/kestrane.wxs" 2>&1); then
  echo "$log" >&2
  exit 1
fi
