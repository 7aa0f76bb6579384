#!/usr/bin/env bash
# Makes the Debian package chronodex_<version>_<arch>.deb from a normal build (default
# folder: build-package/, configured for /usr) and prints what it holds;
# scripts/check-package.sh then checks it as Debian would.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}
# dpkg-shlibdeps (dpkg-dev) computes the package's dependencies; file helps it read the program.
scripts/ensure-packages.sh dpkg-dev file
# Built with the flags Debian builds its own packages with, hardening included (read when the
# folder is first configured).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
scripts/setup.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
(cd "$build_dir" && cpack -G DEB)
deb=$(ls "$build_dir"/chronodex_*.deb)
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
echo "Made $deb; install it with: sudo apt-get install ./$deb"
