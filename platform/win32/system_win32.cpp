// The desktop and file names on Windows: names are UTF-16 text and there is always a desktop.
#include "platform/names.h"
#include "platform/shell.h"

namespace platform {

bool namesAreBytes() {
    return false;
}

NativePath nativePathOf(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

bool hasDisplay() {
    return true;
}

} // namespace platform
