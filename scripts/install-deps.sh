#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the editor need,
# when any of them is missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          imagemagick xvfb xauth xdotool clang openbox x11-utils bsdextrautils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update -qq
  sudo apt-get install -y -qq "${missing[@]}" >/dev/null
else
  echo "These packages are missing and I am not root: ${missing[*]}" >&2
  echo "Install them with: apt-get install -y ${missing[*]}" >&2
  exit 1
fi
