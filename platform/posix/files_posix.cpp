// Linux stand-in for the Windows file facilities: attributes from stat(), stamps from
// statx() and futimens(), with the same open rule as the Windows program (read and write).
#include "platform/civil.h"
#include "platform/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A name starting with "." is hidden (not "." and ".." themselves). Read off the native
// string: splitting the path into components costs more than the stat() beside it.
bool hiddenName(const std::filesystem::path& path) {
    const std::string& p = path.native();
    const auto slash = p.find_last_of('/');
    const std::string_view name =
        std::string_view(p).substr(slash == std::string::npos ? 0 : slash + 1);
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

std::uint32_t attributesOf(const std::filesystem::path& path, const struct stat& st) {
    std::uint32_t attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= AttrDirectory;
    else if (S_ISREG(st.st_mode))
        attr |= AttrArchive;
    else
        attr |= AttrSystem; // FIFOs, sockets and devices count as system files
    if (hiddenName(path)) attr |= AttrHidden;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attr |= AttrReadOnly;
    return attr;
}

// A file descriptor that is closed when the operation that opened it ends.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

  private:
    int fd_;
};

// Opens a file the way the program's reader and writer do on Windows: for reading and
// writing. Directories, other non-regular files and files without any write bit fail,
// whoever runs the program (root included). O_NONBLOCK keeps a FIFO from blocking.
// Only regular files are ever opened: opening a device can have effects of its own. `st`
// receives the file's status as it was before the operation.
Fd openForReadWrite(const std::filesystem::path& path, struct stat& st) {
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return Fd(-1);
    return Fd(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
}

std::optional<SystemTime> fromStatx(const struct statx_timestamp& ts) {
    return civilFromSeconds(ts.tv_sec); // fractions of a second are dropped
}

struct timespec toTimespec(const std::optional<SystemTime>& t) {
    struct timespec ts {};
    if (t) {
        ts.tv_sec = static_cast<time_t>(secondsFromCivil(*t));
        ts.tv_nsec = 0;
    } else {
        ts.tv_nsec = UTIME_OMIT;
    }
    return ts;
}

} // namespace

std::optional<std::uint32_t> fileAttributes(const std::filesystem::path& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return attributesOf(path, st);
}

bool isNormalFile(const std::filesystem::path& path) {
    const auto attr = fileAttributes(path);
    return attr && (*attr & (AttrHidden | AttrSystem | AttrDirectory)) == 0;
}

std::int64_t normalFileLength(const std::filesystem::path& path) {
    if (!isNormalFile(path)) return -1;
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

FileTimes readFileTimes(const std::filesystem::path& path) {
    FileTimes result;
    struct stat st {};
    Fd fd = openForReadWrite(path, st);
    if (!fd.valid()) return result;
    struct statx stx {};
    if (::statx(fd.get(), "", AT_EMPTY_PATH, STATX_BTIME | STATX_ATIME | STATX_MTIME, &stx) != 0)
        return result;
    result.opened = true;
    if (stx.stx_mask & STATX_BTIME) result.created = fromStatx(stx.stx_btime);
    if (stx.stx_mask & STATX_ATIME) result.accessed = fromStatx(stx.stx_atime);
    if (stx.stx_mask & STATX_MTIME) result.modified = fromStatx(stx.stx_mtime);
    return result;
}

std::optional<SystemTime> directoryCreated(const std::filesystem::path& path) {
    struct statx stx {};
    if (path.empty() || ::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) != 0 ||
        !S_ISDIR(stx.stx_mode) || !(stx.stx_mask & STATX_BTIME))
        return std::nullopt;
    return fromStatx(stx.stx_btime);
}

bool canSetCreationTime() {
    return false;
}

bool writeFileTimes(const std::filesystem::path& path, const std::optional<SystemTime>& /*created*/,
                    const std::optional<SystemTime>& accessed,
                    const std::optional<SystemTime>& modified) {
    if (!accessed && !modified) return true;
    struct stat before {};
    Fd fd = openForReadWrite(path, before);
    if (!fd.valid()) return false;
    const struct timespec times[2] = {toTimespec(accessed), toTimespec(modified)};
    if (::futimens(fd.get(), times) != 0) return false;
    // ext4 and others clamp times they cannot hold; a file must never keep a date that
    // differs from the one asked for, so such a write is taken back.
    struct stat after {};
    const bool exact =
        ::fstat(fd.get(), &after) == 0 &&
        (!accessed || (after.st_atim.tv_sec == times[0].tv_sec && after.st_atim.tv_nsec == 0)) &&
        (!modified || (after.st_mtim.tv_sec == times[1].tv_sec && after.st_mtim.tv_nsec == 0));
    if (!exact) {
        const struct timespec previous[2] = {before.st_atim, before.st_mtim};
        ::futimens(fd.get(), previous);
        return false;
    }
    return true;
}

} // namespace platform
