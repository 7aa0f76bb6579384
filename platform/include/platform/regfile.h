// Reading Windows registry export files ("Windows Registry Editor Version 5.00", which
// regedit writes in UTF-16, and "REGEDIT4") into keys and values. Lines that cannot be read
// are skipped; a file without the header gives nothing.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

struct RegValue {
    std::uint32_t type = 0;         // REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3, REG_DWORD 4, ...
    std::vector<std::uint8_t> data; // as the ANSI functions hand it over (texts in UTF-8)
};

// Keys and value names are kept lower-cased: the registry does not tell case apart.
struct RegKey {
    std::map<std::string, RegValue> values; // "" is the key's default value
};
using RegTree = std::map<std::string, RegKey>; // key path below the root, without it

// The keys below the named root (for example "HKEY_LOCAL_MACHINE") in a file's bytes.
RegTree parseRegFile(const std::string& bytes, const std::string& rootName);

std::string asciiLower(std::string text);

} // namespace platform
