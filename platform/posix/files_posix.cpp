// Linux stand-in for the Windows file facilities: attributes from stat(), stamps from
// statx() and futimens(), with the same open rule as the Windows program (read and write).
#include "platform/civil.h"
#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace platform {
namespace {

// A name starting with "." is hidden (not "." and ".." themselves). Read off the native
// string: splitting the path into components costs more than the stat() beside it.
bool hiddenName(const std::string& p) {
    const auto slash = p.find_last_of('/');
    const std::string_view name =
        std::string_view(p).substr(slash == std::string::npos ? 0 : slash + 1);
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

std::uint32_t attributesOf(const std::string& path, const struct stat& st) {
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

Instant instantOf(const struct timespec& ts) {
    return Instant{static_cast<std::int64_t>(ts.tv_sec), static_cast<std::int32_t>(ts.tv_nsec)};
}
Instant instantOf(const struct statx_timestamp& ts) {
    return Instant{ts.tv_sec, static_cast<std::int32_t>(ts.tv_nsec)};
}

struct timespec toTimespec(const std::optional<Instant>& t) {
    struct timespec ts {};
    if (t) {
        ts.tv_sec = static_cast<time_t>(t->seconds);
        ts.tv_nsec = t->nanoseconds;
    } else {
        ts.tv_nsec = UTIME_OMIT;
    }
    return ts;
}

WriteOutcome failed(WriteFailure why, int error = 0) {
    WriteOutcome out;
    out.failure = why;
    if (why == WriteFailure::Other) out.message = std::strerror(error);
    return out;
}

// The reason an open or a change of stamps failed, from the system's error number.
WriteOutcome failedWith(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return failed(WriteFailure::Missing);
    case EISDIR:
        return failed(WriteFailure::Directory);
    case EACCES:
    case EPERM:
    case ETXTBSY:
    case EBUSY:
        return failed(WriteFailure::InUse);
    default:
        return failed(WriteFailure::Other, error);
    }
}

// Why a file cannot be written, judged from its status before anything is done to it:
// nothing when it is a regular file with a write bit.
std::optional<WriteOutcome> refusal(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return failed(WriteFailure::Directory);
    if (!S_ISREG(st.st_mode)) return failed(WriteFailure::Other, EINVAL); // FIFOs, sockets...
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return failed(WriteFailure::ReadOnly);
    return std::nullopt;
}

// The reason a path could not be opened for writing (`error`): the path's status says it
// when it refuses the file; otherwise the open's own error.
WriteOutcome cannotOpen(const NativePath& path, int error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return failedWith(errno);
    if (auto refused = refusal(st)) return std::move(*refused);
    return failedWith(error);
}

// How a stamp came back: exactly as asked; or as the nearest time its file system keeps,
// within `resolution` seconds (FAT keeps the modification time to 2 seconds and the access
// time to the day, exFAT the access time to 2 seconds, others a fraction of the second
// they may not hold); or as another date.
StampWrite cameBack(const struct timespec& asked, const struct timespec& after, long resolution) {
    if (after.tv_sec == asked.tv_sec && after.tv_nsec == asked.tv_nsec) return StampWrite::Written;
    const long long diff = static_cast<long long>(after.tv_sec) - asked.tv_sec;
    return diff > -resolution && diff < resolution ? StampWrite::Rounded : StampWrite::Differs;
}

} // namespace

std::optional<std::uint32_t> fileAttributes(const NativePath& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return attributesOf(path, st);
}

bool isNormalFile(const std::filesystem::path& path) {
    const auto attr = fileAttributes(path.native());
    return attr && (*attr & (AttrHidden | AttrSystem | AttrDirectory)) == 0;
}

std::int64_t normalFileLength(const std::filesystem::path& path) {
    if (!isNormalFile(path)) return -1;
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool isDriveRoot(const std::filesystem::path& path) {
    const std::string& p = path.native();
    return !p.empty() && p.find_first_not_of('/') == std::string::npos;
}

FileTimes readFileTimes(const std::filesystem::path& path) {
    FileTimes result;
    struct statx stx {};
    if (path.empty() ||
        ::statx(AT_FDCWD, path.c_str(), 0, STATX_TYPE | STATX_BTIME | STATX_ATIME | STATX_MTIME,
                &stx) != 0 ||
        !S_ISREG(stx.stx_mode))
        return result;
    if (stx.stx_mask & STATX_BTIME) result.created = instantOf(stx.stx_btime);
    if (stx.stx_mask & STATX_ATIME) result.accessed = instantOf(stx.stx_atime);
    if (stx.stx_mask & STATX_MTIME) result.modified = instantOf(stx.stx_mtime);
    result.read = true;
    struct stat st {};
    result.writable = openForReadWrite(path, st).valid();
    return result;
}

std::optional<Instant> directoryCreated(const std::filesystem::path& path) {
    struct statx stx {};
    if (path.empty() || ::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) != 0 ||
        !S_ISDIR(stx.stx_mode) || !(stx.stx_mask & STATX_BTIME))
        return std::nullopt;
    return instantOf(stx.stx_btime);
}

bool canSetCreationTime() {
    return false;
}

WriteOutcome writeFileTimes(const NativePath& path, const StampsToWrite& stamps, bool seenAsFile) {
    // Opening a device can have effects of its own, so an object is opened only when it is a
    // regular file, or was when the caller last looked. Such an object is opened first and
    // judged on the open file: one lookup of its path instead of two. O_NONBLOCK and O_NOCTTY
    // keep a FIFO or a terminal that has taken its place from blocking or becoming the
    // controlling terminal. Any other object is looked at before it is opened.
    struct stat before {};
    if (!seenAsFile) {
        if (::stat(path.c_str(), &before) != 0) return failedWith(errno);
        if (auto refused = refusal(before)) return std::move(*refused);
    }
    Fd fd(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return seenAsFile ? cannotOpen(path, errno) : failedWith(errno);
    if (seenAsFile) {
        if (::fstat(fd.get(), &before) != 0) return failedWith(errno);
        if (auto refused = refusal(before)) return std::move(*refused);
    }

    WriteOutcome out;
    // The stamps exactly, for "Undo last update". Opening the file changes none of them. The
    // creation time is not kept: it is never written here.
    out.before.accessed = instantOf(before.st_atim);
    out.before.modified = instantOf(before.st_mtim);
    out.before.read = out.before.writable = true;
    // A creation time cannot be set from user space.
    if (stamps.created) out.created = StampWrite::CannotSet;
    struct timespec times[2] = {toTimespec(stamps.accessed), toTimespec(stamps.modified)};
    const struct timespec had[2] = {before.st_atim, before.st_mtim};
    StampWrite* results[2] = {&out.accessed, &out.modified};
    bool asked = false;
    for (int i = 0; i < 2; ++i) {
        if (times[i].tv_nsec == UTIME_OMIT) continue;
        *results[i] = StampWrite::Written;
        // A whole second the file already has keeps the file's own fraction of it.
        if (stamps.keepFraction && times[i].tv_nsec == 0 && times[i].tv_sec == had[i].tv_sec)
            times[i].tv_nsec = UTIME_OMIT;
        else
            asked = true;
    }
    if (!asked) return out;
    if (::futimens(fd.get(), times) != 0) return failedWith(errno);

    // ext4 and others clamp times they cannot hold; a file must never keep a date other
    // than the one asked for, so such a write is taken back whole.
    struct stat after {};
    if (::fstat(fd.get(), &after) != 0) return failedWith(errno);
    const struct timespec now[2] = {after.st_atim, after.st_mtim};
    // Judged exactly first; the file system is asked what it keeps only when a stamp came
    // back as another time, which FAT and exFAT may still count as written.
    bool exact = true;
    for (int i = 0; i < 2; ++i)
        exact = exact && (times[i].tv_nsec == UTIME_OMIT ||
                          cameBack(times[i], now[i], 1) == StampWrite::Written);
    if (exact) return out;
    struct statfs fsInfo {};
    const bool known = ::fstatfs(fd.get(), &fsInfo) == 0;
    const bool fat = known && fsInfo.f_type == MSDOS_SUPER_MAGIC;
    const bool exfat = known && fsInfo.f_type == EXFAT_SUPER_MAGIC;
    const long resolution[2] = {fat ? 86400 : exfat ? 2 : 1, fat ? 2 : 1};
    bool differs = false;
    for (int i = 0; i < 2; ++i) {
        if (times[i].tv_nsec == UTIME_OMIT) continue;
        *results[i] = cameBack(times[i], now[i], resolution[i]);
        differs = differs || *results[i] == StampWrite::Differs;
    }
    if (differs) {
        ::futimens(fd.get(), had);
        out.failure = WriteFailure::DateNotHeld;
    }
    return out;
}

FileContents readFileContents(const std::filesystem::path& path, std::size_t limit) {
    FileContents out;
    // O_NOATIME keeps the accessed stamp as it is; the system allows it to the file's owner
    // only. Anyone else's read may move it, and it is put back below where the system lets us.
    constexpr int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    bool noAtime = true;
    int opened = ::open(path.c_str(), flags | O_NOATIME);
    if (opened < 0 && errno == EPERM) {
        noAtime = false;
        opened = ::open(path.c_str(), flags);
    }
    Fd fd(opened);
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0) {
        out.failure = errno == ENOENT || errno == ENOTDIR ? ReadFailure::Missing
                      : errno == EISDIR                   ? ReadFailure::Directory
                                                          : ReadFailure::Unreadable;
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.failure = S_ISDIR(st.st_mode) ? ReadFailure::Directory : ReadFailure::NotAFile;
        return out;
    }
    if (static_cast<std::uint64_t>(st.st_size) > limit) {
        out.failure = ReadFailure::TooLarge;
        return out;
    }
    out.bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < out.bytes.size()) {
        const ssize_t n = ::read(fd.get(), out.bytes.data() + got, out.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) out.failure = ReadFailure::Unreadable;
        if (n <= 0) break; // an error, or the file became shorter while it was read
        got += static_cast<std::size_t>(n);
    }
    out.bytes.resize(got);
    if (!noAtime) {
        const struct timespec keep[2] = {st.st_atim, {0, UTIME_OMIT}};
        ::futimens(fd.get(), keep);
    }
    return out;
}

} // namespace platform
