// The desktop: whether there is one to open a window on, and its opener for documents,
// folders and web addresses (the Windows shell's "open"; on Linux xdg-open).
#pragma once

#include <string>

namespace platform {

bool hasDisplay();

// Opens a document, folder or web address (UTF-8); the shell's result: 42 when it opened,
// 2 for a local file or folder that does not exist (nothing is started), another value up to
// 32 when nothing could open it.
int shellExecute(const std::string& file, const std::string& parameters, int showMode);

#ifndef _WIN32
// What shellExecute does on Linux: xdg-open, given `patienceMs` to fail before an opener
// that is still running counts as having opened the document (shellExecute gives it 1.5 s).
int xdgOpen(const std::string& file, int patienceMs);
#endif

} // namespace platform
