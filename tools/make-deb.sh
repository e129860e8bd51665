#!/usr/bin/env bash
# Builds the Debian package, build/package/lirra-reader_VERSION_ARCH.deb, from a release
# build with Debian's hardening flags (the program only: no tests, no benchmarks).
# Prints the package's path. Needs dpkg-dev (tools/install-deps.sh --test brings it).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build/package"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DLIRRA_BUILD_TESTS=OFF -DLIRRA_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" >/dev/null
rm -f "$build"/lirra-reader_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/lirra-reader_*.deb
