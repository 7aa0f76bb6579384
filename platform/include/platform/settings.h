// Read-only access to the registry and to INI files, with the status codes of the Windows
// registry functions. On Linux the registry is a stand-in fed from Windows ".reg" export
// files, one per root. No Qt here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

inline constexpr std::int32_t StatusOk = 0;
inline constexpr std::int32_t StatusNotFound = 2;   // ERROR_FILE_NOT_FOUND
inline constexpr std::int32_t StatusMoreData = 234; // ERROR_MORE_DATA

// The predefined roots.
inline constexpr std::uint32_t HKeyClassesRoot = 0x80000000;
inline constexpr std::uint32_t HKeyCurrentUser = 0x80000001;
inline constexpr std::uint32_t HKeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t HKeyUsers = 0x80000003;
inline constexpr std::uint32_t HKeyCurrentConfig = 0x80000005;
inline constexpr std::uint32_t HKeyDynData = 0x80000006;

// The largest settings file read (a .reg export or an INI file). One that is larger, or is
// not a regular file at all (a FIFO, a link to a device), counts as missing.
inline constexpr std::size_t SettingsFileLimit = std::size_t(1) << 20;

// One open key, queried and then closed within one lookup. Texts cross as UTF-8.
class RegistryKey {
  public:
    RegistryKey();
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens a key below a root for querying values; 0 or the system's error code. Windows
    // looks in the registry's 64-bit view first, then in its 32-bit view.
    std::int32_t open(std::uint32_t root, const std::string& keyPath);
    // Reads a value's data into `data`, which holds at most `capacity` bytes. Returns 0,
    // 2 when the value does not exist, or 234 when it does not fit (then `size` tells how
    // many bytes it needs). Texts come as the ANSI functions give them: with their
    // terminating zero, list texts separated by zeros and closed by two.
    std::int32_t query(const std::string& valueName, std::vector<std::uint8_t>& data,
                       std::uint32_t capacity, std::uint32_t& size);
    std::int32_t close();

  private:
    struct Impl;
    Impl* impl_;
};

// Where the Linux stand-in reads a root from: HKEY_CURRENT_USER from the user's
// configuration folder, every other root from the first folder of the system's (the
// folders of XDG_CONFIG_DIRS in order, else /etc/xdg) that holds it, as
// chronodex/<ROOT NAME>.reg (for example ~/.config/chronodex/HKEY_CURRENT_USER.reg and
// /etc/xdg/chronodex/HKEY_LOCAL_MACHINE.reg). A lookup reads the first of these files that
// it can read as one, each through a single open.
std::filesystem::path registryFileFor(std::uint32_t root);

// The text of a key in an INI file as GetPrivateProfileString gives it: sections and keys
// without regard to letter case, surrounding quotes dropped, cut to capacity - 1
// characters; the default when the file, section or key is missing.
std::string iniReadString(const std::filesystem::path& file, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::uint32_t capacity);

// A key's number as GetPrivateProfileInt gives it: the default when the key is missing or
// empty; else the leading integer with an optional sign and base prefix (0x, 0o, 0b), 0
// when the text does not start with one.
std::int32_t iniReadInt(const std::filesystem::path& file, const std::string& section,
                        const std::string& key, std::int32_t fallback);

} // namespace platform
