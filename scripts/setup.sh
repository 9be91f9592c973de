#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Idempotent: says nothing and installs nothing when everything is there.
set -euo pipefail

PACKAGES=(
  # build: compiler, CMake, Ninja; Qt 6.4 with moc/uic/rcc and lrelease (LinguistTools)
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-l10n-tools
  # QuaZip's CMake package asks for Qt6 Core5Compat; the server's HTTP and hashing
  libquazip1-qt6-dev qt6-5compat-dev libcpp-httplib-dev libsodium-dev
  # the server's lists and counts use SQLite's own interface
  libsqlite3-dev
  # run: the xcb platform (offscreen comes with libqt6gui6), the SQLite driver,
  # playback over HTTP (souphttpsrc, wavparse, mpg123 are in -good), Chinese glyphs
  qt6-qpa-plugins libqt6sql6-sqlite gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-wqy-microhei
  # tests: the workbook reader, network namespaces (unshare, ip)
  python3-openpyxl util-linux iproute2
  # benchmark scripts: load generator and reference client; a virtual X
  # display, window lookup and peak memory for the client's start and download
  wrk curl xvfb xdotool x11-utils time
)

missing=()
for p in "${PACKAGES[@]}"; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
