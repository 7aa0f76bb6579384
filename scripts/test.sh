#!/usr/bin/env bash
# Installs what is missing, builds Chronodex into the given folder (default: build/) and
# runs every test with CTest on the offscreen platform (the drive tests need root and /dev/fuse
# to mount their images; elsewhere they are skipped and say why).
# Usage: scripts/test.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
scripts/setup.sh "$@"
# The writer's tests on FAT32, exFAT and NTFS images: the tools that make them and the FUSE
# drivers that mount them where the kernel has no driver of its own. Run as root with
# /dev/fuse, a drive that cannot be mounted fails its test instead of skipping it.
scripts/ensure-packages.sh dosfstools exfatprogs ntfs-3g fusefat exfat-fuse fuse3 mount procps
if [ "$(id -u)" -eq 0 ] && [ -e /dev/fuse ]; then
  export CHRONODEX_REQUIRE_DRIVES=${CHRONODEX_REQUIRE_DRIVES:-1}
fi
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
# The drive tests as they ran: mounted and passed, or skipped with the reason.
grep -hE '(PASS|SKIP|FAIL!) +: tst_[A-Za-z]+::(realDrives|unknownDrive)|mounted with' \
  Testing/Temporary/LastTest.log || true
