#include "drives.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::testing {
namespace {

// A command's exit status and first line of output; its errors go into the output too.
int run(const std::string& command, std::string* out = nullptr) {
    std::FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char line[512] = {};
    std::string text;
    while (std::fgets(line, sizeof line, p))
        text += line;
    const int status = ::pclose(p);
    if (out) *out = text.substr(0, text.find('\n'));
    return status;
}

std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

bool kernelHas(const std::string& fs) {
    std::ifstream table("/proc/filesystems");
    std::string line;
    while (std::getline(table, line))
        if (line.size() > fs.size() && line.compare(line.size() - fs.size(), fs.size(), fs) == 0 &&
            (line[line.size() - fs.size() - 1] == '\t'))
            return true;
    return false;
}

bool isMounted(const std::string& where) {
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    const std::string key = " " + where + " ";
    while (std::getline(table, line))
        if (line.find(key) != std::string::npos) return true;
    return false;
}

// Whether a process runs with `word` on its command line: a FUSE driver serving a mount point
// until it has written everything to its image.
bool driverRuns(const std::string& word) {
    // The pattern's first character in brackets does not match the command that looks.
    return run("pgrep -f " + quoted("[" + word.substr(0, 1) + "]" + word.substr(1))) == 0;
}

} // namespace

const char* MountedDrive::name(Kind kind) {
    return kind == Fat32 ? "FAT32" : kind == ExFat ? "exFAT" : "NTFS";
}

std::string MountedDrive::cannotMount() {
    if (::geteuid() != 0) return "mounting a drive image needs root";
    if (::access("/dev/fuse", R_OK | W_OK) != 0 && !kernelHas("vfat"))
        return "no /dev/fuse to mount drive images through";
    return {};
}

bool MountedDrive::required() {
    const char* v = std::getenv("CHRONODEX_REQUIRE_DRIVES");
    return v && std::string(v) == "1";
}

MountedDrive::MountedDrive(Kind kind, const std::string& folder, bool readOnly) : kind_(kind) {
    image_ = folder + "/" + name(kind) + ".img";
    mountPoint_ = folder + "/" + name(kind);
    if (why_ = cannotMount(); !why_.empty()) return;
    ::mkdir(mountPoint_.c_str(), 0755);
    const char* mkfs = kind == Fat32   ? "mkfs.vfat -F 32 -n CHRONODEX"
                       : kind == ExFat ? "mkfs.exfat -L CHRONODEX"
                                       : "mkntfs -F -Q -L CHRONODEX";
    std::string out;
    if (run("truncate -s 40M " + quoted(image_), &out) != 0 ||
        run(std::string(mkfs) + " " + quoted(image_), &out) != 0) {
        why_ = std::string("cannot make the ") + name(kind) + " image: " + out;
        return;
    }
    mount(readOnly);
}

MountedDrive::~MountedDrive() {
    unmount();
    std::remove(image_.c_str());
    ::rmdir(mountPoint_.c_str());
}

bool MountedDrive::remount(bool readOnly) {
    unmount();
    return why_.empty() || why_.rfind("cannot make", 0) != 0 ? mount(readOnly) : false;
}

bool MountedDrive::mount(bool readOnly) {
    const auto start = std::chrono::steady_clock::now();
    const std::string ro = readOnly ? "ro" : "rw";
    const std::string kernel = kind_ == Fat32 ? "vfat" : kind_ == ExFat ? "exfat" : "ntfs3";
    std::string command;
    if (kernelHas(kernel)) {
        driver_ = kernel;
        command = "mount -t " + kernel + " -o loop," + ro + " " + quoted(image_) + " " +
                  quoted(mountPoint_);
    } else if (kind_ == Fat32) {
        driver_ = "fusefat";
        command = "fusefat -o " + std::string(readOnly ? "ro " : "rw+ ") + quoted(image_) + " " +
                  quoted(mountPoint_);
    } else if (kind_ == Ntfs) {
        driver_ = "ntfs-3g";
        command = "ntfs-3g -o " + ro + " " + quoted(image_) + " " + quoted(mountPoint_);
    } else { // exfat-fuse takes block devices only
        driver_ = "exfat-fuse";
        if (loop_.empty() && run("losetup -f --show " + quoted(image_), &loop_) != 0) {
            why_ = "no loop device for the exFAT image: " + loop_;
            loop_.clear();
            return false;
        }
        command = "mount.exfat-fuse -o " + ro + " " + loop_ + " " + quoted(mountPoint_);
    }
    std::string out;
    mounted_ = run(command, &out) == 0 && isMounted(mountPoint_);
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!mounted_)
        why_ =
            "cannot mount the " + std::string(name(kind_)) + " image with " + driver_ + ": " + out;
    return mounted_;
}

void MountedDrive::unmount() {
    if (mounted_) {
        ::sync();
        // The FUSE driver writes its last changes when it is told to unmount; a busy mount is
        // detached (lazy) rather than left behind.
        if (run("umount " + quoted(mountPoint_)) != 0) run("umount -l " + quoted(mountPoint_));
        for (int i = 0; i < 250 && (isMounted(mountPoint_) || driverRuns(mountPoint_)); ++i)
            ::usleep(20000);
        mounted_ = false;
    }
    if (!loop_.empty()) {
        // The driver lets go of the loop device once it has written everything.
        for (int i = 0; i < 100 && run("losetup -d " + loop_) != 0; ++i)
            ::usleep(20000);
        loop_.clear();
    }
}

} // namespace platform::testing
