#include "testfiles.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform::testing {

bool makeSystemFile(const std::filesystem::path& path) {
    return makeFifo(path);
}

bool hasFifos() {
    return true;
}

bool makeFifo(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0644) == 0;
}

bool setFileTimes(const std::filesystem::path& path, std::int64_t accessed, std::int64_t modified,
                  long nsec) {
    const struct timespec ts[2] = {{static_cast<time_t>(accessed), nsec},
                                   {static_cast<time_t>(modified), nsec}};
    return ::utimensat(AT_FDCWD, path.c_str(), ts, 0) == 0;
}

bool fileTimesHold(std::int64_t) {
    return true;
}

bool zoneFollowsTZ() {
    return true;
}

bool underWine() {
    return false;
}

} // namespace platform::testing
