#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs the Debian packages the project needs to build, run and test; packages already present are left alone.
set -euo pipefail

# llvm brings llvm-symbolizer: without it the leak checker cannot name the frames its suppressions
# (tests/sanitizers/lsan.supp) match, and Qt's own leaks fail the sanitizer tests.
packages=(
  git cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation
  clang libclang-rt-dev clang-format llvm
  umockdev libumockdev-dev
  dbus-daemon python3-dbusmock python3-jsonschema
  dpkg-dev file lintian desktop-file-utils devscripts appstream yamllint
  g++-mingw-w64-x86-64-posix wine wine64 googletest
)
# Only to draw the pictures again (assets/make-pictures.sh): bash scripts/install-deps.sh pictures
if [ "${1:-}" = pictures ]; then packages+=(imagemagick librsvg2-bin); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
# A fresh machine's package lists may be stale: refresh them before installing.
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
