// The desktop and file names on Windows: names are UTF-16 text and there is always a desktop.
#include "platform/names.h"
#include "platform/shell.h"

#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace platform {

bool namesAreBytes() {
    return false;
}

NativePath nativePathOf(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::vector<std::u16string> argumentTexts(int argc, char* argv[]) {
    std::vector<std::u16string> texts;
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        if (count == argc)
            for (int i = 0; i < count; ++i)
                texts.emplace_back(reinterpret_cast<const char16_t*>(words[i]));
        LocalFree(words);
    }
    if (texts.size() == static_cast<std::size_t>(argc)) return texts;
    // An argv that was not made from this command line: its text in the ANSI code page.
    texts.clear();
    for (int i = 0; i < argc; ++i) {
        const int size = MultiByteToWideChar(CP_ACP, 0, argv[i], -1, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
        MultiByteToWideChar(CP_ACP, 0, argv[i], -1, wide.data(), size);
        texts.emplace_back(wide.begin(), wide.end() - 1);
    }
    return texts;
}

bool hasDisplay() {
    return true;
}

} // namespace platform
