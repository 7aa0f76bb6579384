// Fuzz target: an INI file's text, read as GetPrivateProfileString and GetPrivateProfileInt
// read the help command's settings, and the text itself read as a number.
#include "platform/inifile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"HelpPath", "HelpFilePirority", "Number"}) {
        const auto value = platform::iniValue(text, "Settings", key);
        const std::string cut = platform::iniString(value, "fallback", 255);
        // At most 254 characters of UTF-8, each one to four bytes.
        if (cut.size() > 254 * 4) std::abort();
        platform::iniNumber(platform::iniString(value, "", 30), 7);
    }
    platform::iniNumber(text, 7);
    return 0;
}
