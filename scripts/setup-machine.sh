#!/usr/bin/env bash
# Installs what building and testing the kit needs on Debian 12, as root: the
# i686 MinGW cross compiler, CMake and Ninja, GoogleTest, 32-bit Wine, Xvfb,
# lnkinfo and pefile. Quick when everything is there already.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 libgtest-dev libgmock-dev
          wine wine32:i386 wine64 xvfb xauth liblnk-utils python3 python3-pefile clang libclang-rt-14-dev "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Run as root (or install these packages first)." >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
