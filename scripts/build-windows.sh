#!/usr/bin/env bash
# Builds Chronodex for 64-bit Windows on Linux: one static chronodex.exe (MinGW-w64 against a
# static Qt 6.4.2), its test programs, the zip a Windows user downloads and the installer
# (NSIS).
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
exiv2_version=$(dpkg-query -W -f='${Version}' libexiv2-dev 2>/dev/null || echo 0.27.6-1)
exiv2_dir=$cache_dir/exiv2-${exiv2_version%-*}-bmff-mingw64-static
archive=${CHRONODEX_QT_ARCHIVE:-$repo/../shared/cache/qt-$qt_version-mingw64-static.tar.xz}

# Debian's own Qt of the same version provides the host tools (moc, rcc, uic).
scripts/ensure-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev \
  qt6-base-dev-tools libexiv2-dev xz-utils nsis

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

# A Debian source package, fetched through an apt configuration of our own (its own sources
# list with deb-src and its own lists folder), so the machine's apt set-up stays as it is.
# Unpacks PACKAGE=VERSION into the folder given and prints the source folder.
fetch_source() {
  local package=$1 version=$2 work=$3
  mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts" \
    "$work/src"
  local suite
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main" \
    >"$work/apt/sources.list"
  local apt_opts=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
    -o "Dir::Etc::SourceParts=$work/apt/parts" -o "Dir::State::Lists=$work/apt/lists"
    -o "Dir::Cache=$work/apt/cache" -o "APT::Get::List-Cleanup=false")
  apt-get "${apt_opts[@]}" update >&2
  (cd "$work/src" && apt-get "${apt_opts[@]}" source "$package=$version" >&2)
  find "$work/src" -maxdepth 1 -type d -name "$package-*" | head -n 1
}

build_qt() {
  echo "Building Qt $qt_version for Windows from Debian's source (about an hour on two cores)"
  scripts/ensure-packages.sh dpkg-dev perl python3
  local work=$cache_dir/qt-build
  rm -rf "$work"
  local src
  src=$(fetch_source qt6-base "$host_qt" "$work")
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

# libexiv2 (the dates photos were taken), static for MinGW-w64 from Debian's source of the
# version Debian's own build uses: no XMP (it would need expat), PNG with Debian's zlib for
# MinGW, and as in Debian's build the ISO base media formats (HEIC, HEIF, AVIF, CR3). About a
# minute on two cores.
build_exiv2() {
  echo "Building libexiv2 $exiv2_version for Windows from Debian's source"
  scripts/ensure-packages.sh dpkg-dev libz-mingw-w64-dev
  local work=$cache_dir/exiv2-build
  rm -rf "$work" "$exiv2_dir.partial"
  local src
  src=$(fetch_source exiv2 "$exiv2_version" "$work")
  [ -n "$src" ] || { echo "apt-get source gave no exiv2 folder" >&2; exit 1; }
  cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$exiv2_dir" -DBUILD_SHARED_LIBS=OFF \
    -DEXIV2_ENABLE_XMP=OFF -DEXIV2_ENABLE_PNG=ON -DEXIV2_ENABLE_NLS=OFF -DEXIV2_ENABLE_BMFF=ON \
    -DEXIV2_ENABLE_DYNAMIC_RUNTIME=OFF -DEXIV2_ENABLE_WIN_UNICODE=ON \
    -DEXIV2_BUILD_SAMPLES=OFF -DEXIV2_BUILD_EXIV2_COMMAND=OFF >/dev/null
  cmake --build "$work/build" --parallel "$jobs"
  cmake --install "$work/build" --prefix "$exiv2_dir.partial" >/dev/null
  # Linked statically, the library needs what its own build linked: zlib and psapi.
  echo "Libs.private: -lz -lpsapi" >>"$exiv2_dir.partial/lib/pkgconfig/exiv2.pc"
  mv "$exiv2_dir.partial" "$exiv2_dir"
  rm -rf "$work"
}

# Third-party builds are made once and kept in the cache; each says how long it took.
mkdir -p "$cache_dir"
SECONDS=0
if [ ! -f "$exiv2_dir/lib/pkgconfig/exiv2.pc" ]; then
  build_exiv2
  echo "libexiv2 for Windows built in $SECONDS s, kept in $exiv2_dir"
fi
SECONDS=0
if ! qt_ready; then
  if [ -f "$archive" ]; then unpack_qt; else build_qt; fi
  echo "Qt for Windows ready in $SECONDS s, kept in $qt_dir"
fi
SECONDS=0

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  # Qt's toolchain file names the one Qt was built with; ours is chained in instead.
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt_dir/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCHRONODEX_MINGW_DEPS="$exiv2_dir"
fi
cmake --build "$build_dir" --parallel "$jobs"
(cd "$build_dir" && cpack -G ZIP >/dev/null)
cmake --build "$build_dir" --target setup
echo "Built $build_dir/bin/chronodex.exe, $build_dir/Chronodex-*-win64.zip and" \
  "$build_dir/Chronodex-*-setup.exe in $SECONDS s"
