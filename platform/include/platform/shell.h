// The desktop: whether there is one to open a window on, and its opener for documents,
// folders and web addresses (the Windows shell's "open"; on Linux xdg-open).
#pragma once

#include <string>

namespace platform {

bool hasDisplay();

#ifdef _WIN32
// Opens a document, folder or web address (UTF-8); the shell's result: 42 when it opened,
// 2 for a local file or folder that does not exist (nothing is started), another value up to
// 32 when nothing could open it.
int shellExecute(const std::string& file, const std::string& parameters, int showMode);
#else
// The desktop's opener on Linux, xdg-open, started without waiting for it. It may run for as
// long as the document stays open, and tells whether it opened it only when it ends (exit
// status 0); `ended` becomes readable then, and `answer` tells what it was.
class Opener {
  public:
    // Starts the opener for a document, folder or web address (as the system names it).
    explicit Opener(const std::string& file);
    // An opener still running is left to run on its own.
    ~Opener();
    Opener(const Opener&) = delete;
    Opener& operator=(const Opener&) = delete;

    // 0 while the opener runs; else the answer, given at once: 2 for a local file or folder
    // that does not exist (nothing is started), 31 when the opener could not be started.
    int started() const { return started_; }
    // A descriptor that becomes readable when the opener has ended (-1 when not started).
    int ended() const { return ended_; }
    // Once it has ended: 42 when it opened the document, else 31.
    int answer();

  private:
    int started_ = 31;
    int process_ = -1;
    int ended_ = -1;
};
#endif

} // namespace platform
