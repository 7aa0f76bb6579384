// ShellExecute: documents, folders and web addresses open with the user's application.
#include "platform/shell.h"

#include "wide.h"

#include <shellapi.h>

namespace platform {

int shellExecute(const std::string& file, const std::string& parameters, int showMode) {
    const auto result =
        ShellExecuteW(nullptr, L"open", widen(file).c_str(),
                      parameters.empty() ? nullptr : widen(parameters).c_str(), nullptr, showMode);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

} // namespace platform
