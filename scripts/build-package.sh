#!/usr/bin/env bash
# Builds the Debian package in a tree of its own and prints the package's path:
#   scripts/build-package.sh [BUILD_DIR]      (default: build-package)
# Only what the package holds is built (no tests, benchmarks or fuzzers), with Debian's
# hardening flags; file times come from SOURCE_DATE_EPOCH, so two builds give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build-package}"

# Like dpkg-buildpackage: the time of the latest changelog entry, unless the caller chose one.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  stamp=$(sed -n 's/^ -- .*>  //p' data/debian/changelog.in | head -n 1)
  SOURCE_DATE_EPOCH=$(date -d "$stamp" +%s)
  export SOURCE_DATE_EPOCH
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# Paths of the source and build trees stay out of the program.
cxxflags+=" -ffile-prefix-map=$PWD/=  -ffile-prefix-map=$PWD/$out/="
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD"
fi
umask 022 # the package's file modes do not depend on the caller's umask

cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
  -DLASTLING_STRIP_INSTALL=ON "-DCMAKE_CXX_FLAGS=$cxxflags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" "${launcher[@]}" >/dev/null
rm -f "$out"/lastling_*.deb
cmake --build "$out" --target package >/dev/null
ls "$out"/lastling_*.deb
