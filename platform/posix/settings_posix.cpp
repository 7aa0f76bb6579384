// Linux stand-ins for the registry (read-only, from ".reg" export files) and for the INI
// functions. Every lookup reads its file afresh; nothing is cached.
#include "platform/files.h"
#include "platform/inifile.h"
#include "platform/regfile.h"
#include "platform/settings.h"

#include <cstdlib>
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

// A settings file's bytes, through one open checked before anything is read (a FIFO in its
// place never blocks, a link to a device is never read); nothing for a file that is missing,
// unreadable, not a regular file or larger than SettingsFileLimit.
std::optional<std::string> readSettingsFile(const std::filesystem::path& file) {
    FileContents contents = readFileContents(file, SettingsFileLimit);
    if (contents.failure != ReadFailure::None) return std::nullopt;
    return std::move(contents.bytes);
}

// Where a root's file may be, in order of preference: the user's own for HKEY_CURRENT_USER,
// else one in each folder of the system's (XDG_CONFIG_DIRS, else /etc/xdg). Only absolute
// folders count; a relative one in these variables is ignored.
std::vector<std::filesystem::path> registryFiles(std::uint32_t root) {
    const char* name = rootName(root);
    if (!name) return {};
    const std::filesystem::path file =
        std::filesystem::path("chronodex") / (std::string(name) + ".reg");
    auto absolute = [](const char* folder) {
        return folder && *folder && std::filesystem::path(folder).is_absolute();
    };
    if (root == HKeyCurrentUser) {
        if (const char* config = std::getenv("XDG_CONFIG_HOME"); absolute(config))
            return {std::filesystem::path(config) / file};
        if (const char* home = std::getenv("HOME"); home && *home)
            return {std::filesystem::path(home) / ".config" / file};
        return {};
    }
    std::string dirs = "/etc/xdg";
    if (const char* config = std::getenv("XDG_CONFIG_DIRS"); config && *config) dirs = config;
    std::vector<std::filesystem::path> files;
    std::stringstream list(dirs);
    std::string folder;
    while (std::getline(list, folder, ':'))
        if (absolute(folder.c_str())) files.push_back(std::filesystem::path(folder) / file);
    return files;
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
    // The first of the root's files that can be read as one; each is opened once.
    std::optional<std::string> bytes;
    for (const auto& file : registryFiles(root))
        if ((bytes = readSettingsFile(file))) break;
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
    const auto files = registryFiles(root);
    for (const auto& file : files) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) return file;
    }
    return files.empty() ? std::filesystem::path() : files.front();
}

std::string iniReadString(const std::filesystem::path& file, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::uint32_t capacity) {
    const auto text = readSettingsFile(file);
    return iniString(text ? iniValue(*text, section, key) : std::nullopt, fallback, capacity);
}

std::int32_t iniReadInt(const std::filesystem::path& file, const std::string& section,
                        const std::string& key, std::int32_t fallback) {
    // GetPrivateProfileInt reads the text as GetPrivateProfileString gives it, into 30
    // characters, and takes the default when that is empty.
    return iniNumber(iniReadString(file, section, key, "", 30), fallback);
}

} // namespace platform
