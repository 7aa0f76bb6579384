// Test support: a drive image of FAT32, exFAT or NTFS, made and mounted for a test with the
// kernel's driver where the machine has it, else through FUSE (fusefat, exfat-fuse on a loop
// device, ntfs-3g). Whatever it mounted is unmounted when it goes, also when a test fails.
// No Qt here.
#pragma once

#include <string>

namespace platform::testing {

class MountedDrive {
  public:
    // Unknown: a FAT32 image under FUSE with names that do not tell its kind.
    enum Kind { Fat32, ExFat, Ntfs, Unknown };
    // Makes the image in `folder` and mounts it on a folder beside it.
    MountedDrive(Kind kind, const std::string& folder);
    ~MountedDrive();
    MountedDrive(const MountedDrive&) = delete;
    MountedDrive& operator=(const MountedDrive&) = delete;

    // Where the drive is mounted; empty when it is not, and why() says why.
    std::string path() const { return mounted_ ? mountPoint_ : std::string(); }
    const std::string& why() const { return why_; }
    // Unmounts the drive and mounts it again (read-only when asked), so that what it shows
    // comes from the image. The seconds that took, and the command that mounted it.
    bool remount(bool readOnly = false);
    double mountSeconds() const { return seconds_; }
    const std::string& driver() const { return driver_; }

    // Why no drive can be mounted on this machine (not root, no /dev/fuse); empty when one can.
    static std::string cannotMount();
    // Whether a drive that cannot be mounted fails the test instead of skipping it
    // (CHRONODEX_REQUIRE_DRIVES=1, set where the tests run as root with /dev/fuse).
    static bool required();
    static const char* name(Kind kind);

  private:
    void unmount();
    Kind kind_;
    std::string image_, mountPoint_, loop_, why_, driver_;
    bool mounted_ = false;
    double seconds_ = 0;
};

} // namespace platform::testing
