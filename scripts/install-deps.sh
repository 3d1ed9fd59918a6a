#!/usr/bin/env bash
# Installs the Debian packages Lastling needs:
#   scripts/install-deps.sh run    what building and running the game need (make build, run)
#   scripts/install-deps.sh test   that and the tools of the tests, the sanitizer and fuzzing
#                                  runs and the package checks (make test, CI); the default
#   scripts/install-deps.sh --list run|test   prints the packages of that set and installs none
# Idempotent: packages already installed are skipped, and apt is not touched at all when
# nothing is missing.
set -euo pipefail

list=0
if [ "${1:-}" = --list ]; then
  list=1
  shift
fi

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins fonts-dejavu-core qt6-wayland
  qt6-multimedia-dev libcurl4-openssl-dev
  libavahi-client-dev avahi-daemon # the local network's list of tables
  fonts-noto-core fonts-noto-cjk fonts-noto-color-emoji # names and chat in every script
  libnatpmp-dev libminiupnpc-dev     # asking the home router to forward the game port
  libqt6sql6-sqlite # the game history's database
)

test_packages=(
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev # fuzzing
  python3 lz4
  desktop-file-utils appstream systemd dpkg-dev man-db librsvg2-bin lintian iproute2
  pulseaudio pulseaudio-utils
  xvfb openbox xdotool wmctrl x11-utils imagemagick
  weston at-spi2-core python3-pyatspi dbus-x11
  dbus avahi-utils util-linux
  miniupnpd miniupnpd-nftables nftables # a real home router in network namespaces
)

case "${1:-test}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
  echo "usage: $0 [--list] [run|test]" >&2
  exit 2
  ;;
esac

if [ "$list" -eq 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

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
