#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian package from a build tree, checks what it holds, lints it and validates its
# desktop entry and software-centre metadata, installs it on this machine, checks the installed
# programs' hardening and runs them, removes it and checks that nothing of it is left.
#   packaging/test-package.sh [PRESET]   the build tree of PRESET (default: default), built if needed
# Installing needs root (or sudo). A package of the same name that is already installed is left alone:
# the test then stops after the lint.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
package=software-update-system

if ! command -v dpkg >/dev/null || ! command -v dpkg-deb >/dev/null; then
  echo "== package: skipped, dpkg is not on this machine (the Debian package is neither built nor tested)"
  exit 0
fi
fail() {
  echo "package: $*" >&2
  exit 1
}
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
build=$PWD/build # the tree of the default and ci presets
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
deb=$(ls "$build"/package/${package}_*.deb)
echo "package: $deb"

# What the package holds, each file with the mode and owner it must have.
listing=$(dpkg-deb -c "$deb")
expect() {
  local mode=$1 path=$2
  grep -qE "^$mode root/root +[0-9]+ [0-9-]+ [0-9:]+ \./${path//./\\.}\$" <<<"$listing" ||
    fail "the package lacks ./$path with mode $mode, owned by root"
}
program=-rwxr-xr-x
data=-rw-r--r--
expect $program usr/bin/$package
expect $program usr/bin/mvt
expect $data usr/share/applications/$package.desktop
metainfo=usr/share/metainfo/org.example.software_update_system.metainfo.xml
expect $data $metainfo
expect $data usr/share/icons/hicolor/scalable/apps/$package.svg
for size in 16 24 32 48 64 128 256; do
  expect $data "usr/share/icons/hicolor/${size}x$size/apps/$package.png"
done
expect $data usr/lib/udev/rules.d/70-sus-controller.rules
expect $data usr/share/man/man1/mvt.1.gz
expect $data usr/share/man/man1/$package.1.gz
expect $data usr/share/doc/$package/README.md
expect $data usr/share/doc/$package/copyright
expect $data usr/share/doc/$package/changelog.gz
expect $data usr/share/lintian/overrides/$package
! grep -q -- "-demo" <<<"$listing" || fail "the demo program is in the package, though it is installed only on request"
wrong_mode=$(grep -vE '^(drwxr-xr-x|-rwxr-xr-x|-rw-r--r--) root/root ' <<<"$listing" || true)
[ -z "$wrong_mode" ] || fail "entries with other modes or owners: $wrong_mode"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || fail "Depends does not name the Qt libraries: $depends"
echo "package: Depends: $depends"

# The desktop entry and the metadata as the package holds them.
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/$package.desktop" ||
  fail "desktop-file-validate refuses the desktop entry"
appstreamcli validate --no-net "$unpacked/$metainfo" || fail "appstreamcli refuses the metadata"
grep -q "Apache-2.0" "$unpacked/usr/share/doc/$package/copyright" || fail "the copyright file does not name Apache-2.0"
rm -rf "$unpacked"

echo "package: lintian (informational tags are shown; an error, a warning or a hardening tag fails)"
lint=$(lintian --fail-on error,warning --display-info "$deb") || fail "lintian: $lint"
[ -z "$lint" ] || echo "$lint"
! grep -q "hardening-" <<<"$lint" || fail "lintian finds the hardening incomplete"

# What dpkg knows of the package: empty or "... not-installed" when nothing.
status() { dpkg-query -W -f='${Status}' $package 2>/dev/null || true; }
if [ -n "$(status)" ] && [[ "$(status)" != *not-installed ]]; then
  echo "== package: $package is already installed on this machine; installing and removing it skipped"
  exit 0
fi

# udevadm as a container has it: present, but no udev to talk to. The maintainer scripts must call it
# for the controller and still succeed.
fake=$(mktemp -d)
trap '"${as_root[@]}" dpkg --purge $package >/dev/null 2>&1 || true; rm -rf "$fake"' EXIT
printf '#!/bin/sh\necho "$*" >> %s/calls\nexit 1\n' "$fake" >"$fake/udevadm"
chmod 755 "$fake/udevadm"
"${as_root[@]}" env PATH="$fake:$PATH" dpkg -i "$deb"
grep -q -- "control --reload-rules" "$fake/calls" || fail "postinst did not reload the udev rules"
grep -q -- "trigger .*idVendor=10c4 .*idProduct=ff01" "$fake/calls" || fail "postinst did not trigger the controller"

# Every protection the distribution's flags give, found in the installed programs. Control-flow
# protection is compiled in but cannot be marked on the linked program: Debian 12's C runtime start
# files carry no CET note (its own /usr/bin/ls shows the same), so that one check is left out.
hardening-check --nocfprotection /usr/bin/$package /usr/bin/mvt || fail "hardening-check finds a protection missing"

version=$(/usr/bin/mvt --version | head -1)
echo "package: installed: $version; $(/usr/bin/$package --version | head -1)"
[[ "$version" == "mvt $(dpkg-deb -f "$deb" Version)"* ]] || fail "/usr/bin/mvt --version says \"$version\""
/usr/bin/mvt info "examples/Demo Spot 575.MVT" | grep -q "New Version: V1.2.05" ||
  fail "/usr/bin/mvt info does not show the example file"

files=$(dpkg-query -L $package)
: >"$fake/calls"
"${as_root[@]}" env PATH="$fake:$PATH" dpkg -r $package
grep -q -- "control --reload-rules" "$fake/calls" || fail "postrm did not reload the udev rules"
left=()
while IFS= read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done <<<"$files"
if [ -e /usr/share/doc/$package ]; then left+=(/usr/share/doc/$package); fi
[ ${#left[@]} -eq 0 ] || fail "left after removal: ${left[*]}"
# A package with a postrm stays known to dpkg until it is purged.
"${as_root[@]}" dpkg --purge $package
[ -z "$(status)" ] || [[ "$(status)" == *not-installed ]] || fail "dpkg still lists $package: $(status)"
! ls /var/lib/dpkg/info/$package.* >/dev/null 2>&1 || fail "dpkg still keeps files of $package"
echo "== package: built, checked, linted, installed, run and removed"
