// The Windows shell's "open" (ShellExecute). On Linux the Qt layer stands in for it with
// the desktop's opener.
#pragma once

#include <string>

namespace platform {

// Opens a document, folder or web address; the shell's result (above 32 on success).
int shellExecute(const std::string& file, const std::string& parameters, int showMode);

} // namespace platform
