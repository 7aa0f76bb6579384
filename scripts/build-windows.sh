#!/usr/bin/env bash
# Builds Chronodex for 64-bit Windows on Linux: one static chronodex.exe (MinGW-w64 against a
# static Qt 6.4.2), its test programs, and the zip a Windows user downloads.
# Usage: scripts/build-windows.sh [BUILD_DIR]   (default: build-windows)
#
# Qt for Windows is kept outside the checkout, in
#   ${XDG_CACHE_HOME:-~/.cache}/chronodex/qt-6.4.2-mingw64-static
# and reused while it is there. When it is missing, it is unpacked from the prebuilt archive
# ($CHRONODEX_QT_ARCHIVE, by default ../shared/cache/qt-6.4.2-mingw64-static.tar.xz beside
# the checkout) or, without one, built from Debian's qt6-base source package (about an hour
# on two cores). Set CHRONODEX_JOBS to limit the parallel jobs (default: the core count).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build_dir=${1:-build-windows}
jobs=${CHRONODEX_JOBS:-$(nproc)}
qt_version=6.4.2
cache_dir=${XDG_CACHE_HOME:-$HOME/.cache}/chronodex
qt_dir=$cache_dir/qt-$qt_version-mingw64-static
archive=${CHRONODEX_QT_ARCHIVE:-$repo/../shared/cache/qt-$qt_version-mingw64-static.tar.xz}

# Debian's own Qt of the same version provides the host tools (moc, rcc, uic).
scripts/ensure-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev \
  qt6-base-dev-tools xz-utils

host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_qt" in
  "$qt_version"*) ;;
  *) echo "Debian's qt6-base-dev is $host_qt; the host tools must be Qt $qt_version" >&2; exit 1 ;;
esac

qt_ready() { [ -f "$qt_dir/lib/cmake/Qt6/qt.toolchain.cmake" ]; }

unpack_qt() {
  echo "Unpacking Qt for Windows from $archive"
  local tmp
  tmp=$(mktemp -d "$cache_dir/unpack.XXXXXX")
  tar -xJf "$archive" -C "$tmp"
  mv "$tmp/qt-$qt_version-mingw64-static" "$qt_dir"
  rmdir "$tmp"
}

# Qt's source from Debian, fetched through an apt configuration of our own (its own sources
# list with deb-src and its own lists folder), so the machine's apt set-up stays as it is.
build_qt() {
  echo "Building Qt $qt_version for Windows from Debian's source (about an hour on two cores)"
  scripts/ensure-packages.sh dpkg-dev perl python3
  local work=$cache_dir/qt-build
  rm -rf "$work"
  mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts" \
    "$work/src"
  local uri=http://deb.debian.org/debian
  local suite
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite main" \
    >"$work/apt/sources.list"
  local apt_opts=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
    -o "Dir::Etc::SourceParts=$work/apt/parts" -o "Dir::State::Lists=$work/apt/lists"
    -o "Dir::Cache=$work/apt/cache" -o "APT::Get::List-Cleanup=false")
  apt-get "${apt_opts[@]}" update
  (cd "$work/src" && apt-get "${apt_opts[@]}" source "qt6-base=$host_qt")
  local src
  src=$(find "$work/src" -maxdepth 1 -type d -name "qt6-base-*" | head -n 1)
  [ -n "$src" ] || { echo "apt-get source gave no qt6-base folder" >&2; exit 1; }

  # With OpenGL off, the Windows platform plugin of 6.4.2 still compiles the dynamic-GL
  # branch of isSoftwareGl(), which needs OpenGL; that branch is only for builds with OpenGL.
  sed -i '/^static inline bool isSoftwareGl()$/,/^#endif/ s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

  # The MinGW toolchain of the program, with the install prefix searched too.
  cat >"$work/toolchain.cmake" <<EOF
include("$repo/cmake/mingw-w64.cmake")
list(APPEND CMAKE_FIND_ROOT_PATH "$qt_dir.partial")
EOF
  rm -rf "$qt_dir.partial"
  # wintab.h is left out of Debian's source (its licence): no tablet events.
  cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$qt_dir.partial" \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_tabletevent=OFF -DFEATURE_testlib=ON
  cmake --build "$work/build" --parallel "$jobs"
  cmake --install "$work/build"
  mv "$qt_dir.partial" "$qt_dir"
  rm -rf "$work"
}

mkdir -p "$cache_dir"
if ! qt_ready; then
  if [ -f "$archive" ]; then unpack_qt; else build_qt; fi
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  # Qt's toolchain file names the one Qt was built with; ours is chained in instead.
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt_dir/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
fi
cmake --build "$build_dir" --parallel "$jobs"
(cd "$build_dir" && cpack -G ZIP >/dev/null)
echo "Built $build_dir/bin/chronodex.exe and $build_dir/Chronodex-*-win64.zip"
