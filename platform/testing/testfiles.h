// Test support: file-system objects that each system makes its own way. No Qt here.
#pragma once

#include <cstdint>
#include <filesystem>

namespace platform::testing {

// Makes a new object at `path` that the program counts as a system file: a FIFO on Linux; on
// Windows a file with the system attribute and without the archive bit. False when the system
// did not make it or does not report it that way.
bool makeSystemFile(const std::filesystem::path& path);

// Windows is the one system whose paths take the backslash as their separator.
inline constexpr bool onWindows = std::filesystem::path::preferred_separator == '\\';

// Whether the system has FIFOs (Windows has none), and makes one at `path`.
inline bool hasFifos() {
    return !onWindows;
}
bool makeFifo(const std::filesystem::path& path);

// Sets a file's access and modification stamps (seconds since the epoch, UTC, plus `nsec`
// nanoseconds) through the system's own call; false when the system refuses them.
bool setFileTimes(const std::filesystem::path& path, std::int64_t accessed, std::int64_t modified,
                  long nsec = 0);

// A file's access and modification stamps exactly, through the system's own call: whole
// seconds since the epoch and nanoseconds (in 100 ns steps on Windows); -1 seconds where
// they cannot be read.
struct ExactStamps {
    std::int64_t accessed = -1, accessedNs = 0, modified = -1, modifiedNs = 0;
    bool operator==(const ExactStamps&) const = default;
};
ExactStamps exactStamps(const std::filesystem::path& path);

// Puts a new object at `at` in one step (made beside it, then renamed onto it): kind 0 a
// symbolic link to `target`, 1 a FIFO, 2 a device node, 3 another name of `target` itself.
// False where the system cannot (Windows: never).
bool swapIn(const std::filesystem::path& at, int kind, const std::filesystem::path& target);

// Whether the file system's stamps can hold an instant at all: on Windows a file time runs
// from the year 1601 to 30827 (the last second of 31 December 30827).
inline bool fileTimesHold(std::int64_t seconds) {
    return !onWindows || (seconds >= -11644473600 && seconds <= 910670515199);
}

// Whether a process changes its own time zone by setting TZ (on Windows the zone is the
// system's setting).
inline bool zoneFollowsTZ() {
    return !onWindows;
}

// True when this Windows program runs under Wine.
bool underWine();

} // namespace platform::testing
