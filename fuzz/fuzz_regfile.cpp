// Fuzz target: a registry export file in the machine's settings folder, read as the help
// command reads it (every type code), and parsed whole under two roots.
#include "readsetting.h"

#include "platform/regfile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The settings folder of this run: XDG_CONFIG_DIRS names it, and each input is written there.
std::filesystem::path settingsFile() {
    static const std::filesystem::path file = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("chronodex-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "chronodex");
        ::setenv("XDG_CONFIG_DIRS", folder.c_str(), 1);
        return folder / "chronodex" / "HKEY_LOCAL_MACHINE.reg";
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << bytes;

    // Keys and value names are kept lower-cased, whatever the file wrote.
    const platform::RegTree tree = platform::parseRegFile(bytes, "HKEY_LOCAL_MACHINE");
    for (const auto& [path, key] : tree)
        for (const auto& [name, value] : key.values)
            if (platform::asciiLower(path) != path || platform::asciiLower(name) != name)
                std::abort();
    platform::parseRegFile(bytes, "HKEY_CURRENT_USER");

    // The help command's two lookups, then the first values the file holds in every type.
    const auto lookUp = [](const std::string& keyPath, const std::string& value, const char* type) {
        chronodex::SettingValue read;
        chronodex::ReadSetting("HKLM", keyPath, value, type, std::string("default"), read);
    };
    lookUp("SOFTWARE\\Chronodex\\Settings", "HelpPath", "S");
    lookUp("SOFTWARE\\Chronodex\\Settings", "HelpFilePirority", "B");
    int looked = 0;
    for (const auto& [path, key] : tree)
        for (const auto& [name, value] : key.values)
            if (looked++ < 2)
                for (const char* type : {"S", "M", "E", "B", "D", "Q"})
                    lookUp(path, name, type);
    return 0;
}
