// Reading one named setting from the registry or from an INI file, with a default for when
// it is absent. Standard C++ only.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace chronodex {

// A setting: text, boolean, or a 16-, 32- or 64-bit integer. A default comes back unchanged,
// kind included, when nothing was read.
using SettingValue = std::variant<std::string, bool, std::int16_t, std::int32_t, std::int64_t>;

// The root handle of a registry root name (long or short, any letter case), 1 when the name
// is an existing normal file (an INI file), or 0.
std::uint32_t RootKeyFromName(const std::string& RootName);

inline constexpr std::int32_t StatusUnknownLocation = 99;

// Reads ValueName below KeyPath of a registry root, or from section KeyPath of an INI file.
// Type codes (any letter case): "S" text, "M" list of texts, "E" text with unexpanded
// references, "B" 2-byte, "D" 4-byte and "Q" 8-byte numbers; any other reads nothing.
// Returns 0 when the lookup ran through, 99 for a location that is neither a root nor an
// existing file, or the system's code (2 for a missing key or value, 234 when a value does
// not fit a "B", "D" or "Q" read). ValueRead holds DefaultValue whenever nothing was read.
std::int32_t ReadSetting(const std::string& RootOrFile, const std::string& KeyPath,
                         const std::string& ValueName, const std::string& ValueType,
                         const SettingValue& DefaultValue, SettingValue& ValueRead);

// A setting as a number (a boolean is 0 or 1; a text its leading integer) and as text.
std::int64_t settingNumber(const SettingValue& value);
std::string settingText(const SettingValue& value);

} // namespace chronodex
