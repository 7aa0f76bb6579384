// The desktop and file names on Linux: names are bytes, a display is named by the
// environment, and documents open with the desktop's opener (xdg-open), which the program
// does not wait for.
#include "platform/names.h"
#include "platform/shell.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

bool namesAreBytes() {
    return true;
}

NativePath nativePathOf(std::u16string_view text) {
    return bytesOfText(text);
}

std::vector<std::u16string> argumentTexts(int argc, char* argv[]) {
    std::vector<std::u16string> texts;
    for (int i = 0; i < argc; ++i)
        texts.push_back(textOfBytes(argv[i]));
    return texts;
}

bool hasDisplay() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}

Opener::Opener(const std::string& file) {
    const bool address = file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0;
    struct stat st {};
    if (!address && ::stat(file.c_str(), &st) != 0) {
        started_ = 2; // nothing to open; nothing starts
        return;
    }
    // The opener's own messages go nowhere, and it reads nothing of ours.
    posix_spawn_file_actions_t quiet;
    if (::posix_spawn_file_actions_init(&quiet) != 0) return;
    for (int fd = 0; fd < 3; ++fd)
        ::posix_spawn_file_actions_addopen(&quiet, fd, "/dev/null", O_RDWR, 0);
    char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(file.c_str()), nullptr};
    pid_t process = -1;
    const int failed = ::posix_spawnp(&process, "xdg-open", &quiet, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&quiet);
    if (failed) return; // no opener installed
    process_ = process;
    started_ = 0;
    ended_ = static_cast<int>(::syscall(SYS_pidfd_open, process, 0));
    // A system too old to tell when a process ends: the opener is left to itself, taken as
    // having opened the document.
    if (ended_ < 0) started_ = 42;
}

Opener::~Opener() {
    if (ended_ >= 0) ::close(ended_);
}

int Opener::answer() {
    int status = 0;
    while (::waitpid(process_, &status, 0) < 0)
        if (errno != EINTR) return 31;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 42 : 31;
}

} // namespace platform
