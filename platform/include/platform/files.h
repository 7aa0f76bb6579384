// What the program asks of the operating system about files: attributes, lengths and the
// three time stamps. One implementation per system (posix/, win32/); no Qt here.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace platform {

// Attribute bits, as the Windows file system reports them.
enum Attribute : std::uint32_t {
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
};

// A calendar date and time of day as the system hands it over (a SYSTEMTIME without the
// day of the week and the milliseconds). The year may lie beyond what the program can hold.
struct SystemTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const SystemTime&) const = default;
};

// The attribute bits of a path; nothing when the path cannot be read (missing, no access).
std::optional<std::uint32_t> fileAttributes(const std::filesystem::path& path);

// The "directory search for one name": true when the path is an existing file that is
// neither hidden, system nor a directory.
bool isNormalFile(const std::filesystem::path& path);

// The length of a normal file in bytes; -1 for anything else or when it cannot be read.
std::int64_t normalFileLength(const std::filesystem::path& path);

// The three stamps of a file, in the order created, accessed, modified, as the system's
// read of them found them. `opened` is false when the file could not be opened for
// reading and writing without sharing (read-only files and directories included); a stamp
// the system keeps no value for, or could not convert, is empty.
struct FileTimes {
    bool opened = false;
    std::optional<SystemTime> created, accessed, modified;
    // True when a stamp the file system keeps could not be converted; a creation stamp that
    // the file system does not keep at all is simply empty.
    bool conversionFailed = false;
};
FileTimes readFileTimes(const std::filesystem::path& path);

// The creation time of a directory; empty when it cannot be read.
std::optional<SystemTime> directoryCreated(const std::filesystem::path& path);

// Whether this system lets a program set a file's creation stamp.
bool canSetCreationTime();

// Writes the stamps that are given and leaves the others as they are. Returns false when
// the file could not be opened for writing, a stamp could not be set, or the file system
// could not hold a value exactly (the stamps are then put back as they were).
bool writeFileTimes(const std::filesystem::path& path, const std::optional<SystemTime>& created,
                    const std::optional<SystemTime>& accessed,
                    const std::optional<SystemTime>& modified);

// The folder the program runs from is Qt's business; the platform knows the separator.
#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

} // namespace platform
