#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need,
# when some are missing. Sourced by run.sh and test.sh.
set -euo pipefail

VELDRIN_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  googletest libgtest-dev
  xvfb xdotool x11-utils imagemagick
  fonts-dejavu-core
)

# veldrin_install PACKAGE...: installs those of the packages that are missing.
veldrin_install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

veldrin_install_packages() { veldrin_install "${VELDRIN_PACKAGES[@]}"; }

# veldrin_build DIR [cmake options...]: configures (once) and builds into DIR.
veldrin_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir"
}
