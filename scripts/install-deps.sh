#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lastling needs.
# Idempotent: packages already installed are skipped, and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins fonts-dejavu-core
  libgtest-dev libgmock-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev
  clang libclang-rt-14-dev
  python3 lz4
  desktop-file-utils appstream systemd dpkg-dev man-db librsvg2-bin lintian iproute2
  qt6-multimedia-dev pulseaudio pulseaudio-utils
  xvfb openbox xdotool wmctrl x11-utils imagemagick
  qt6-wayland weston at-spi2-core python3-pyatspi dbus-x11
  avahi-daemon libavahi-client-dev dbus avahi-utils util-linux
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq
$SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq "${missing[@]}"
