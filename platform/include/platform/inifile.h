// Reading the text of INI files as the Windows profile functions read the files: sections and
// keys without regard to letter case. No Qt here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The value of a key in a section of an INI file's text, as written after its "=" with the
// blanks around it dropped; nothing when the section or the key is missing.
std::optional<std::string> iniValue(const std::string& text, const std::string& section,
                                    const std::string& key);

// A value as GetPrivateProfileString gives it: the fallback when there is none, surrounding
// quotes dropped, cut to capacity - 1 characters.
std::string iniString(std::optional<std::string> value, const std::string& fallback,
                      std::uint32_t capacity);

// A number as RtlUnicodeStringToInteger reads one in base 0: blanks, one sign, a base prefix
// "0x", "0o" or "0b", then the digits of that base up to the first other character, wrapping
// around at 32 bits; the fallback for an empty text.
std::int32_t iniNumber(const std::string& text, std::int32_t fallback);

} // namespace platform
