// Linux stand-in for the Windows file facilities: attributes from stat(), stamps from
// statx() and futimens(), with the same open rule as the Windows program (read and write).
// An object is looked at through a path descriptor (O_PATH), which opens nothing: no device
// is ever opened and a FIFO never blocks. What is then used is that same object, opened
// again through the descriptor, whatever the path names by then.
#include "platform/civil.h"
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>

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

bool hasWriteBit(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
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
    if (!hasWriteBit(st)) attr |= AttrReadOnly;
    return attr;
}

// Whether this user may set the file's stamps as its owner (root may set anyone's).
bool mayOwn(const struct stat& st) {
    return st.st_uid == ::geteuid() || ::geteuid() == 0;
}

FileId idOf(const struct stat& st) {
    return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                  S_ISREG(st.st_mode)};
}

// A file descriptor that is closed when the operation that opened it ends.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

  private:
    int fd_;
};

// The object a path names (a link followed), not opened for use; `st` receives its status.
// An invalid descriptor leaves the reason in errno.
Fd openPath(const char* path, struct stat& st) {
    Fd fd(::open(path, O_PATH | O_CLOEXEC));
    if (fd.valid() && ::fstat(fd.get(), &st) != 0) return Fd(-1);
    return fd;
}

// The object behind a path descriptor, opened for use with `flags` (O_NONBLOCK and O_NOCTTY
// always): through /proc, the very object. Where /proc is not mounted the path is opened
// again and must still name the object (else errno is ESTALE).
Fd reopen(const Fd& pathFd, const struct stat& st, const char* path, int flags) {
    flags |= O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    char self[40];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", pathFd.get());
    Fd fd(::open(self, flags));
    if (fd.valid() || errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0) return fd;
    Fd again(::open(path, flags));
    struct stat now {};
    if (!again.valid() || (::fstat(again.get(), &now) == 0 && idOf(now) == idOf(st))) return again;
    errno = ESTALE;
    return Fd(-1);
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

// The reason a look-up, an open or a change of stamps failed, from the system's error
// number. `owner` is whether this user owns the file (where it is known).
WriteOutcome failedWith(int error, bool owner = true) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return failed(WriteFailure::Missing);
    case EISDIR:
        return failed(WriteFailure::Directory);
    case ENAMETOOLONG:
        return failed(WriteFailure::PathTooLong);
    case EROFS:
        return failed(WriteFailure::ReadOnlyDrive);
    case ESTALE:
        return failed(WriteFailure::Replaced);
    case EACCES:
    case EPERM:
        return failed(owner ? WriteFailure::InUse : WriteFailure::NotOwner);
    case ETXTBSY:
    case EBUSY:
        return failed(WriteFailure::InUse);
    default:
        return failed(WriteFailure::Other, error);
    }
}

// Why an object cannot be written, judged from its status before anything is done to it:
// nothing when it is the object listed (if one is given), a regular file with a write bit.
std::optional<WriteOutcome> refusal(const struct stat& st, const FileId* expected) {
    if (expected && idOf(st) != *expected) return failed(WriteFailure::Replaced);
    if (S_ISDIR(st.st_mode)) return failed(WriteFailure::Directory);
    if (!S_ISREG(st.st_mode)) return failed(WriteFailure::NotAFile); // FIFOs, sockets...
    if (!hasWriteBit(st)) return failed(WriteFailure::ReadOnly);
    return std::nullopt;
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

std::optional<PathStatus> pathStatus(const NativePath& path, bool /*identify: always*/) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return PathStatus{attributesOf(path, st), idOf(st)};
}

std::optional<std::uint32_t> fileAttributes(const NativePath& path) {
    const auto status = pathStatus(path);
    if (!status) return std::nullopt;
    return status->attributes;
}

bool isNormalFile(const std::filesystem::path& path) {
    const auto attr = fileAttributes(path.native());
    return attr && (*attr & (AttrHidden | AttrSystem | AttrDirectory)) == 0;
}

std::int64_t normalFileLength(const std::filesystem::path& path) {
    struct stat st {};
    const Fd pathFd = openPath(path.c_str(), st);
    if (!pathFd.valid() ||
        (attributesOf(path.native(), st) & (AttrHidden | AttrSystem | AttrDirectory)))
        return -1;
    // The length of a file that can be read, as the program's own read of it would give.
    if (!reopen(pathFd, st, path.c_str(), O_RDONLY).valid()) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool isDriveRoot(const std::filesystem::path& path) {
    const std::string& p = path.native();
    return !p.empty() && p.find_first_not_of('/') == std::string::npos;
}

FileTimes readFileTimes(const std::filesystem::path& path, const FileId* expected) {
    FileTimes result;
    struct stat st {};
    const Fd pathFd = path.empty() ? Fd(-1) : openPath(path.c_str(), st);
    result.replaced = pathFd.valid() && expected && idOf(st) != *expected;
    struct statx stx {};
    if (!pathFd.valid() || result.replaced || !S_ISREG(st.st_mode) ||
        ::statx(pathFd.get(), "", AT_EMPTY_PATH, STATX_BTIME | STATX_ATIME | STATX_MTIME, &stx) !=
            0)
        return result;
    if (stx.stx_mask & STATX_BTIME) result.created = instantOf(stx.stx_btime);
    if (stx.stx_mask & STATX_ATIME) result.accessed = instantOf(stx.stx_atime);
    if (stx.stx_mask & STATX_MTIME) result.modified = instantOf(stx.stx_mtime);
    result.read = true;
    // Files without any write bit are not written, whoever runs the program (root included).
    result.writable = hasWriteBit(st) && reopen(pathFd, st, path.c_str(), O_RDWR).valid();
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

// Why a path could not be opened for writing (`error`), told from a look at it afterwards;
// nothing is opened after the look.
WriteOutcome cannotOpen(const char* path, int error) {
    struct stat st {};
    // Without the right to search a folder on the way, nothing can be looked up there.
    if (::stat(path, &st) != 0)
        return errno == EACCES ? failed(WriteFailure::NoSearch) : failedWith(errno);
    if (auto refused = refusal(st, nullptr)) return std::move(*refused);
    return failedWith(error, mayOwn(st));
}

WriteOutcome writeFileTimes(const NativePath& path, const StampsToWrite& stamps,
                            const FileId* expected) {
    struct stat before {};
    Fd fd(-1);
    if (expected && expected->regular) {
        // Listed as a regular file: opened at once and checked on the open file, in one path
        // look-up. Whatever was put in its place is refused unused; O_NONBLOCK and O_NOCTTY
        // keep a FIFO or terminal from blocking or becoming the controlling terminal.
        fd = Fd(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (!fd.valid()) return cannotOpen(path.c_str(), errno);
        if (::fstat(fd.get(), &before) != 0) return failedWith(errno);
        if (auto refused = refusal(before, expected)) return std::move(*refused);
    } else {
        // Anything else is looked at before it is opened: no device is ever opened.
        const Fd pathFd = openPath(path.c_str(), before);
        if (!pathFd.valid()) return cannotOpen(path.c_str(), errno);
        if (auto refused = refusal(before, expected)) return std::move(*refused);
        fd = reopen(pathFd, before, path.c_str(), O_RDWR);
        if (!fd.valid()) return failedWith(errno, mayOwn(before));
    }
    const bool owner = mayOwn(before);

    WriteOutcome out;
    // The stamps exactly, for "Undo last update". Opening the file changes none of them. The
    // creation time is not kept: it is never written here.
    out.before.accessed = instantOf(before.st_atim);
    out.before.modified = instantOf(before.st_mtim);
    out.before.read = out.before.writable = true;
    // A creation time cannot be set from user space.
    if (stamps.created) out.created = StampWrite::CannotSet;
    const struct timespec had[2] = {before.st_atim, before.st_mtim};
    struct timespec times[2] = {toTimespec(stamps.accessed), toTimespec(stamps.modified)};
    StampWrite* results[2] = {&out.accessed, &out.modified};
    bool asked = false;
    for (int i = 0; i < 2; ++i) {
        if (times[i].tv_nsec == UTIME_OMIT) continue;
        *results[i] = StampWrite::Written;
        if (stamps.shiftBy) times[i] = {had[i].tv_sec + *stamps.shiftBy, had[i].tv_nsec};
        // A whole second the file already has keeps the file's own fraction of it.
        if (stamps.keepFraction && times[i].tv_nsec == 0 && times[i].tv_sec == had[i].tv_sec)
            times[i].tv_nsec = UTIME_OMIT;
        else
            asked = true;
    }
    if (!asked) return out;
    if (::futimens(fd.get(), times) != 0) return failedWith(errno, owner);

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

ReadFailure readFileParts(const std::filesystem::path& path,
                          const std::function<void(std::uint64_t length, const ReadAt&)>& read,
                          const FileId* expected) {
    struct stat st {};
    const Fd pathFd = openPath(path.c_str(), st);
    if (!pathFd.valid())
        return errno == ENOENT || errno == ENOTDIR ? ReadFailure::Missing : ReadFailure::Unreadable;
    if (expected && idOf(st) != *expected) return ReadFailure::Replaced;
    if (S_ISDIR(st.st_mode)) return ReadFailure::Directory;
    if (!S_ISREG(st.st_mode)) return ReadFailure::NotAFile;
    // O_NOATIME keeps the accessed stamp as it is; the system allows it to the file's owner
    // only. Anyone else's read may move it, and it is put back below where the system lets us.
    bool noAtime = true;
    Fd fd = reopen(pathFd, st, path.c_str(), O_RDONLY | O_NOATIME);
    if (!fd.valid() && errno == EPERM) {
        noAtime = false;
        fd = reopen(pathFd, st, path.c_str(), O_RDONLY);
    }
    if (!fd.valid()) return errno == ESTALE ? ReadFailure::Replaced : ReadFailure::Unreadable;
    const ReadAt readAt = [&fd](std::uint64_t offset, std::size_t n) -> std::optional<std::string> {
        std::string bytes(n, '\0');
        std::size_t got = 0;
        while (got < n) {
            const ssize_t r =
                ::pread(fd.get(), bytes.data() + got, n - got, static_cast<off_t>(offset + got));
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) return std::nullopt;
            if (r == 0) break; // the end of the file
            got += static_cast<std::size_t>(r);
        }
        bytes.resize(got);
        return bytes;
    };
    read(static_cast<std::uint64_t>(st.st_size), readAt);
    if (!noAtime) {
        const struct timespec keep[2] = {st.st_atim, {0, UTIME_OMIT}};
        ::futimens(fd.get(), keep);
    }
    return ReadFailure::None;
}

FileContents readFileContents(const std::filesystem::path& path, std::size_t limit,
                              const FileId* expected) {
    FileContents out;
    ReadFailure inside = ReadFailure::None;
    out.failure = readFileParts(
        path,
        [&](std::uint64_t length, const ReadAt& readAt) {
            if (length > limit) {
                inside = ReadFailure::TooLarge;
                return;
            }
            // Fewer bytes when the file became shorter while it was read.
            auto bytes = readAt(0, static_cast<std::size_t>(length));
            if (bytes)
                out.bytes = std::move(*bytes);
            else
                inside = ReadFailure::Unreadable;
        },
        expected);
    if (out.failure == ReadFailure::None) out.failure = inside;
    return out;
}

} // namespace platform
