#include "readsetting.h"

#include "platform/files.h"
#include "platform/settings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace chronodex {
namespace {

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Texts cross as UTF-8, whatever the system's own encoding of names.
std::filesystem::path fromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// A "Q" value passes through a fixed-point number with four decimal places, which holds
// no more than this.
constexpr std::int64_t largestQuad = 922337203685477;

} // namespace

std::uint32_t RootKeyFromName(const std::string& RootName) {
    static constexpr std::array<std::tuple<const char*, const char*, std::uint32_t>, 6> roots{{
        {"HKEY_CLASSES_ROOT", "HKCR", platform::HKeyClassesRoot},
        {"HKEY_CURRENT_USER", "HKCU", platform::HKeyCurrentUser},
        {"HKEY_LOCAL_MACHINE", "HKLM", platform::HKeyLocalMachine},
        {"HKEY_USERS", "HKU", platform::HKeyUsers},
        {"HKEY_CURRENT_CONFIG", "HKCC", platform::HKeyCurrentConfig},
        {"HKEY_DYN_DATA", "HKDD", platform::HKeyDynData},
    }};
    const std::string name = upper(RootName);
    for (const auto& [longName, shortName, handle] : roots)
        if (name == longName || name == shortName) return handle;
    try {
        return !RootName.empty() && platform::isNormalFile(fromUtf8(RootName)) ? 1 : 0;
    } catch (...) {
        return 0; // a name the system cannot take counts as not found
    }
}

std::int32_t ReadSetting(const std::string& RootOrFile, const std::string& KeyPath,
                         const std::string& ValueName, const std::string& ValueType,
                         const SettingValue& DefaultValue, SettingValue& ValueRead) {
    ValueRead = DefaultValue;
    const std::uint32_t root = RootKeyFromName(RootOrFile);
    if (root == 0) return StatusUnknownLocation;
    const std::string type = upper(ValueType);

    if (root == 1) {
        const auto file = fromUtf8(RootOrFile);
        if (type == "S")
            ValueRead =
                platform::iniReadString(file, KeyPath, ValueName, settingText(DefaultValue), 255);
        else
            ValueRead = platform::iniReadInt(file, KeyPath, ValueName, 0);
        return platform::StatusOk;
    }

    platform::RegistryKey key;
    const std::int32_t opened = key.open(root, KeyPath);
    if (opened != platform::StatusOk) return opened;
    std::vector<std::uint8_t> data;
    std::uint32_t size = 0;
    if (type == "S" || type == "M" || type == "E") {
        std::int32_t status = key.query(ValueName, data, 0, size);
        if (status == platform::StatusMoreData) status = key.query(ValueName, data, size, size);
        if (status != platform::StatusOk) {
            key.close();
            return status;
        }
        if (!data.empty())
            ValueRead = std::string(data.begin(), data.end() - 1); // without the last zero
    } else if (type == "B" || type == "D" || type == "Q") {
        const std::uint32_t width = type == "B" ? 2 : type == "D" ? 4 : 8;
        const std::int32_t status = key.query(ValueName, data, width, size);
        if (status != platform::StatusOk) {
            key.close();
            return status;
        }
        std::array<std::uint8_t, 8> buffer{};
        // An empty value ("hex:" with no bytes) reads as 0.
        std::copy_n(data.begin(), std::min<std::size_t>(data.size(), width), buffer.begin());
        std::uint64_t bits = 0;
        for (std::uint32_t i = 0; i < width; ++i)
            bits |= std::uint64_t(buffer[i]) << (8 * i);
        if (width == 2) {
            ValueRead = static_cast<std::int16_t>(bits);
        } else if (width == 4) {
            ValueRead = static_cast<std::int32_t>(bits);
        } else {
            const auto n = static_cast<std::int64_t>(bits);
            if (n >= -largestQuad && n <= largestQuad) ValueRead = n;
        }
    }
    return key.close();
}

std::int64_t settingNumber(const SettingValue& value) {
    return std::visit(
        [](const auto& v) -> std::int64_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                try {
                    return std::stoll(v);
                } catch (...) {
                    return 0;
                }
            } else {
                return static_cast<std::int64_t>(v);
            }
        },
        value);
}

std::string settingText(const SettingValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return v;
            else if constexpr (std::is_same_v<T, bool>)
                return v ? "True" : "False";
            else
                return std::to_string(v);
        },
        value);
}

} // namespace chronodex
