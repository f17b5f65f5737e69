#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libcli11-dev zlib1g-dev
          nlohmann-json3-dev python3 time
          qt6-base-dev qt6-svg-dev libxcb1-dev fonts-dejavu-core xvfb openbox
          desktop-file-utils appstream man-db groff-base dpkg-dev lintian git)
# The Windows build and its tests: the cross compiler, zlib for it, and Wine without the
# desktop pieces it recommends.
windows=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64)

missingOf() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing < <(missingOf "${packages[@]}")
mapfile -t missingWindows < <(missingOf "${windows[@]}")
if ((${#missing[@]} + ${#missingWindows[@]})); then
  echo "Installing: ${missing[*]} ${missingWindows[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO apt-get update -qq
  if ((${#missing[@]})); then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  if ((${#missingWindows[@]})); then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
      "${missingWindows[@]}" >/dev/null
  fi
fi
