#include "drives.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::testing {
namespace {

// A shell command's exit status; `out` receives the first line of its output and errors.
int run(const std::string& command, std::string* out = nullptr) {
    std::FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char line[512] = {};
    std::string text;
    while (std::fgets(line, sizeof line, p))
        text += line;
    if (out) *out = text.substr(0, text.find('\n'));
    return ::pclose(p);
}

std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

bool kernelHas(const std::string& fs) {
    return run("grep -qP '\\t" + fs + "$' /proc/filesystems") == 0;
}

} // namespace

const char* MountedDrive::name(Kind kind) {
    return kind == Fat32 ? "FAT32" : kind == ExFat ? "exFAT" : kind == Ntfs ? "NTFS" : "card";
}

std::string MountedDrive::cannotMount() {
    if (::geteuid() != 0) return "mounting a drive image needs root";
    if (::access("/dev/fuse", R_OK | W_OK) != 0)
        return "no /dev/fuse to mount drive images through";
    return {};
}

bool MountedDrive::required() {
    const char* v = std::getenv("CHRONODEX_REQUIRE_DRIVES");
    return v && std::string(v) == "1";
}

MountedDrive::MountedDrive(Kind kind, const std::string& folder) : kind_(kind) {
    image_ = folder + "/" + name(kind) + ".img";
    mountPoint_ = folder + "/" + name(kind);
    ::mkdir(mountPoint_.c_str(), 0755);
    const char* mkfs = kind == Fat32 || kind == Unknown ? "mkfs.vfat -F 32"
                       : kind == ExFat                  ? "mkfs.exfat"
                                                        : "mkntfs -F -Q";
    std::string out;
    if (why_ = cannotMount(); !why_.empty()) return;
    if (run("truncate -s 40M " + quoted(image_), &out) != 0 ||
        run(std::string(mkfs) + " " + quoted(image_), &out) != 0)
        why_ = "cannot make the image: " + out;
    else
        remount();
}

MountedDrive::~MountedDrive() {
    unmount();
    std::remove(image_.c_str());
    ::rmdir(mountPoint_.c_str());
}

bool MountedDrive::remount(bool readOnly) {
    unmount();
    const auto start = std::chrono::steady_clock::now();
    // fusefat writes only when told "rw+" (its writing is "experimental").
    const std::string rw = readOnly ? "ro" : "rw", fatRw = readOnly ? "ro" : "rw+";
    const std::string kernel = kind_ == ExFat ? "exfat" : kind_ == Ntfs ? "ntfs3" : "vfat";
    std::string source = quoted(image_);
    if (kind_ == Unknown) {
        driver_ = "fusefat -o subtype=card,fsname=card," + fatRw;
    } else if (kernelHas(kernel)) {
        driver_ = "mount -t " + kernel + " -o loop," + rw;
    } else if (kind_ == Fat32) {
        driver_ = "fusefat -o " + fatRw;
    } else if (kind_ == Ntfs) {
        driver_ = "ntfs-3g -o " + rw;
    } else { // exfat-fuse takes block devices only
        driver_ = "mount.exfat-fuse -o " + rw;
        if (run("losetup -f --show " + source, &loop_) != 0) {
            why_ = loop_;
            loop_.clear();
            return false;
        }
        source = loop_;
    }
    const std::string point = quoted(mountPoint_);
    mounted_ =
        run(driver_ + " " + source + " " + point, &why_) == 0 && run("mountpoint -q " + point) == 0;
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!mounted_) why_ = "cannot mount the " + std::string(name(kind_)) + " image: " + why_;
    return mounted_;
}

void MountedDrive::unmount() {
    const std::string point = quoted(mountPoint_);
    if (mounted_ && run("umount " + point) != 0) run("umount -l " + point); // busy: detached
    // A FUSE driver writes its last changes to the image after the unmount, then ends; the
    // pattern's first character in brackets keeps the look from finding itself.
    for (int i = 0;
         mounted_ && i < 250 &&
         run("pgrep -f '[" + mountPoint_.substr(0, 1) + "]" + mountPoint_.substr(1) + "'") == 0;
         ++i)
        ::usleep(20000);
    mounted_ = false;
    for (int i = 0; !loop_.empty() && i < 100 && run("losetup -d " + loop_) != 0; ++i)
        ::usleep(20000);
    loop_.clear();
}

} // namespace platform::testing
