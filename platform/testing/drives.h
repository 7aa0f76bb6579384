// Test support: a drive image of FAT32, exFAT or NTFS, made and mounted for a test with the
// kernel's driver where the machine has it, else through FUSE (fusefat, exfat-fuse on a loop
// device, ntfs-3g). Whatever it mounted is unmounted when it goes, also when a test fails.
// No Qt here.
#pragma once

#include <string>

namespace platform::testing {

class MountedDrive {
  public:
    enum Kind { Fat32, ExFat, Ntfs };
    // Makes the image in `folder` and mounts it on a folder beside it (read-only when asked).
    MountedDrive(Kind kind, const std::string& folder, bool readOnly = false);
    ~MountedDrive();
    MountedDrive(const MountedDrive&) = delete;
    MountedDrive& operator=(const MountedDrive&) = delete;

    // Where the drive is mounted; empty when it is not, and why() says why.
    const std::string& path() const { return mounted_ ? mountPoint_ : none_; }
    const std::string& why() const { return why_; }
    // Unmounts the drive and mounts it again, so that what it shows comes from the image.
    bool remount(bool readOnly = false);
    // The seconds the last mount took, and the driver it used.
    double mountSeconds() const { return seconds_; }
    const std::string& driver() const { return driver_; }

    // Why no drive can be mounted on this machine (not root, no /dev/fuse); empty when one can.
    static std::string cannotMount();
    // Whether a drive that cannot be mounted fails the test instead of skipping it
    // (CHRONODEX_REQUIRE_DRIVES=1, set where the tests run as root with /dev/fuse).
    static bool required();
    static const char* name(Kind kind);

  private:
    bool mount(bool readOnly);
    void unmount();

    Kind kind_;
    std::string image_, mountPoint_, loop_, why_, driver_, none_;
    bool mounted_ = false;
    double seconds_ = 0;
};

} // namespace platform::testing
