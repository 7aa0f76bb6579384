// Linux stand-ins for the registry (read-only, from ".reg" export files) and for the INI
// functions. Every lookup reads its file afresh; nothing is cached.
#include "platform/regfile.h"
#include "platform/settings.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace platform {
namespace {

constexpr std::int32_t StatusInvalidHandle = 6;

const char* rootName(std::uint32_t root) {
    switch (root) {
    case HKeyClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case HKeyCurrentUser:
        return "HKEY_CURRENT_USER";
    case HKeyLocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case HKeyUsers:
        return "HKEY_USERS";
    case HKeyCurrentConfig:
        return "HKEY_CURRENT_CONFIG";
    case HKeyDynData:
        return "HKEY_DYN_DATA";
    default:
        return nullptr;
    }
}

std::optional<std::string> readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The value of a key in an INI file, as written after its "=", or nothing.
std::optional<std::string> iniValue(const std::filesystem::path& file, const std::string& section,
                                    const std::string& key) {
    const auto text = readWhole(file);
    if (!text) return std::nullopt;
    const std::string wantSection = asciiLower(trimmed(section));
    const std::string wantKey = asciiLower(trimmed(key));
    std::stringstream in(*text);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            inSection = close != std::string::npos &&
                        asciiLower(trimmed(line.substr(1, close - 1))) == wantSection;
            continue;
        }
        if (!inSection) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || asciiLower(trimmed(line.substr(0, eq))) != wantKey) continue;
        return trimmed(line.substr(eq + 1));
    }
    return std::nullopt;
}

// The first `chars` characters of UTF-8 text.
std::string firstChars(const std::string& text, std::size_t chars) {
    std::size_t count = 0, i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == chars) break;
            ++count;
        }
    }
    return text.substr(0, i);
}

} // namespace

struct RegistryKey::Impl {
    RegKey key;
};

RegistryKey::RegistryKey() : impl_(nullptr) {}
RegistryKey::~RegistryKey() {
    close();
}

std::int32_t RegistryKey::open(std::uint32_t root, const std::string& keyPath) {
    close();
    const char* name = rootName(root);
    if (!name) return StatusInvalidHandle;
    const auto bytes = readWhole(registryFileFor(root));
    if (!bytes) return StatusNotFound;
    const RegTree tree = parseRegFile(*bytes, name);
    std::string path = asciiLower(keyPath);
    while (!path.empty() && path.front() == '\\')
        path.erase(path.begin());
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    const auto found = tree.find(path);
    if (found == tree.end()) return StatusNotFound;
    impl_ = new Impl{found->second};
    return StatusOk;
}

std::int32_t RegistryKey::query(const std::string& valueName, std::vector<std::uint8_t>& data,
                                std::uint32_t capacity, std::uint32_t& size) {
    if (!impl_) return StatusInvalidHandle;
    const auto found = impl_->key.values.find(asciiLower(valueName));
    if (found == impl_->key.values.end()) return StatusNotFound;
    size = static_cast<std::uint32_t>(found->second.data.size());
    if (capacity < size) return StatusMoreData;
    data = found->second.data;
    return StatusOk;
}

std::int32_t RegistryKey::close() {
    delete impl_;
    impl_ = nullptr;
    return StatusOk;
}

std::filesystem::path registryFileFor(std::uint32_t root) {
    const char* name = rootName(root);
    if (!name) return {};
    const std::filesystem::path file =
        std::filesystem::path("chronodex") / (std::string(name) + ".reg");
    // Only absolute folders count; a relative one in these variables is ignored.
    auto absolute = [](const char* folder) {
        return folder && *folder && std::filesystem::path(folder).is_absolute();
    };
    if (root == HKeyCurrentUser) {
        if (const char* config = std::getenv("XDG_CONFIG_HOME"); absolute(config))
            return std::filesystem::path(config) / file;
        if (const char* home = std::getenv("HOME"); home && *home)
            return std::filesystem::path(home) / ".config" / file;
        return {};
    }
    // The system's folders in order of preference; the first that holds the file wins.
    std::string dirs = "/etc/xdg";
    if (const char* config = std::getenv("XDG_CONFIG_DIRS"); config && *config) dirs = config;
    std::filesystem::path first;
    std::stringstream list(dirs);
    std::string folder;
    while (std::getline(list, folder, ':')) {
        if (!absolute(folder.c_str())) continue;
        const std::filesystem::path candidate = std::filesystem::path(folder) / file;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
        if (first.empty()) first = candidate;
    }
    return first;
}

std::string iniReadString(const std::filesystem::path& file, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::uint32_t capacity) {
    std::string value = iniValue(file, section, key).value_or(trimmed(fallback));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return capacity == 0 ? std::string() : firstChars(value, capacity - 1);
}

std::int32_t iniReadInt(const std::filesystem::path& file, const std::string& section,
                        const std::string& key, std::int32_t fallback) {
    // GetPrivateProfileInt reads the text as GetPrivateProfileString gives it, into 30
    // characters, and takes the default when that is empty. The number is then read as
    // RtlUnicodeStringToInteger reads it in base 0: blanks, one sign, a base prefix "0x",
    // "0o" or "0b", then the digits of that base up to the first other character; it
    // wraps around at 32 bits.
    const std::string text = iniReadString(file, section, key, "", 30);
    if (text.empty()) return fallback;
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        std::uint32_t digit = 36;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'Z')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'z')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<std::int32_t>(negative ? 0u - total : total);
}

} // namespace platform
