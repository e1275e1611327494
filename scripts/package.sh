#!/usr/bin/env bash
# Builds the Debian package build/release/zorvel_<version>_<arch>.deb: the release build of the
# two programs and of their man pages, completion and icons (nothing else: the package needs no
# tests or benchmarks), then CPack, which takes the dependencies from dpkg-shlibdeps.
# Install the result with:  sudo apt-get install ./build/release/zorvel_*.deb
# (`cmake --build build/release --target package` makes the same package after building all.)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=${JOBS:-2}
cmake --preset release >/dev/null
cmake --build build/release -j "$jobs" --target zorvel zorvel-cli zorvel_install_data
rm -f build/release/zorvel_*.deb
(cd build/release && cpack -G DEB >/dev/null)
ls build/release/zorvel_*.deb
