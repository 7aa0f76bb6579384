// The desktop and file names on Linux: names are bytes, a display is named by the
// environment, and documents open with the desktop's opener (xdg-open).
#include "platform/names.h"
#include "platform/shell.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
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

int shellExecute(const std::string& file, const std::string& /*parameters*/, int /*showMode*/) {
    return xdgOpen(file, 1500);
}

int xdgOpen(const std::string& file, int patienceMs) {
    const bool address = file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0;
    struct stat st {};
    if (!address && ::stat(file.c_str(), &st) != 0) return 2; // nothing to open; nothing starts
    // The opener may run for as long as the document stays open. A go-between waits for it as
    // long as it is given: an opener that ends in that time with a failure (no application for
    // the document, no opener at all) is a failure; one still running has opened the document
    // and is left to itself (it belongs to init once the go-between ends, so no zombie stays).
    const pid_t between = ::fork();
    if (between < 0) return 31;
    if (between == 0) {
        const pid_t opener = ::fork();
        if (opener < 0) ::_exit(1);
        if (opener == 0) {
            // The opener's own messages go nowhere, and it holds none of our pipes open.
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0)
                for (int fd = 0; fd < 3; ++fd)
                    ::dup2(null, fd);
            ::execlp("xdg-open", "xdg-open", file.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int waited = 0; waited < patienceMs; waited += 100) {
            int status = 0;
            if (::waitpid(opener, &status, WNOHANG) == opener)
                ::_exit(WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1);
            const struct timespec pause { 0, 100 * 1000 * 1000 };
            ::nanosleep(&pause, nullptr);
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(between, &status, 0) < 0)
        if (errno != EINTR) return 31;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 42 : 31;
}

} // namespace platform
