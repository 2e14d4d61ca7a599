#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds into $BUILD_DIR.
# Sourced by demo.sh and test.sh; CMAKE_EXTRA passes further options to CMake.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

PACKAGES=(g++ cmake ninja-build ccache pkg-config qt6-base-dev libicu-dev libgl1-mesa-dev libgtest-dev
          nlohmann-json3-dev xvfb xauth fonts-dejavu-core fonts-wqy-microhei
          at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus-daemon libglib2.0-bin xdotool openbox dpkg-dev
          weston qt6-wayland doxygen)
# A script that needs more (the fuzzing needs Clang) names it before sourcing this file.
read -r -a EXTRA <<< "${EXTRA_PACKAGES:-}"
PACKAGES+=("${EXTRA[@]}")

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

configure_and_build() {
  # shellcheck disable=SC2086
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja ${CMAKE_EXTRA:-}
  cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
}

install_missing
