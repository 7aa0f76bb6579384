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
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
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

// Drives seen through FUSE tell their kind by the mount table or their first sector only.
constexpr long FuseMagic = 0x65735546, NtfsMagic = 0x5346544e, Ntfs3Magic = 0x7366746e;

// One line of the mount table: the file system's type ("fuse.fusefat", "fuseblk") and the
// source it was mounted from, octal escapes undone.
struct Mount {
    std::string type, source;
};

std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t at) { return field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// The mount table's line of a device (its numbers as /proc/self/mountinfo writes them).
std::optional<Mount> mountOf(dev_t device) {
    std::FILE* table = std::fopen("/proc/self/mountinfo", "re");
    if (!table) return std::nullopt;
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, " %u:%u ", ::major(device), ::minor(device));
    std::optional<Mount> found;
    char* line = nullptr;
    std::size_t size = 0;
    while (!found && ::getline(&line, &size, table) > 0) {
        const std::string_view l(line);
        const auto at = l.find(wanted), dash = l.find(" - ");
        if (at == std::string_view::npos || dash == std::string_view::npos || at > dash) continue;
        const std::string rest(l.substr(dash + 3));
        const auto space = rest.find(' ');
        const auto end = rest.find(' ', space + 1);
        found = Mount{unescaped(rest.substr(0, space)),
                      unescaped(rest.substr(space + 1, end - space - 1))};
    }
    std::free(line);
    std::fclose(table);
    return found;
}

// The kind of file system a device or image starts with, from its boot sector: "NTFS" and
// "EXFAT" at byte 3, "FAT" at byte 82 (FAT32) or 54 (FAT12, FAT16). Empty when unreadable.
std::string bootSectorKind(const std::string& source) {
    if (source.empty() || source[0] != '/') return {};
    char sector[512] = {};
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return {};
    const ssize_t n = ::pread(fd, sector, sizeof sector, 0);
    ::close(fd);
    if (n != static_cast<ssize_t>(sizeof sector)) return {};
    const std::string_view s(sector, sizeof sector);
    if (s.substr(3, 8) == "NTFS    ") return "ntfs";
    if (s.substr(3, 8) == "EXFAT   ") return "exfat";
    if (s.substr(82, 3) == "FAT" || s.substr(54, 3) == "FAT") return "vfat";
    return {};
}

// NTFS keeps a file's creation time; ntfs-3g hands it over as this attribute: 100 ns steps
// since 1601-01-01, a little-endian 64-bit number.
constexpr const char* CreationAttribute = "system.ntfs_crtime";
constexpr std::int64_t SecondsBefore1970 = 11644473600;

std::optional<Instant> fromNtfsTime(const unsigned char (&bytes)[8], ssize_t length) {
    if (length != 8) return std::nullopt;
    std::uint64_t ticks = 0;
    for (int i = 7; i >= 0; --i)
        ticks = ticks << 8 | bytes[i];
    return Instant{static_cast<std::int64_t>(ticks / 10000000) - SecondsBefore1970,
                   static_cast<std::int32_t>(ticks % 10000000) * 100};
}

std::optional<Instant> creationOf(int fd) {
    unsigned char bytes[8];
    return fromNtfsTime(bytes, ::fgetxattr(fd, CreationAttribute, bytes, sizeof bytes));
}

// Through a path descriptor, which the attribute calls do not take: by its /proc name.
std::optional<Instant> creationOfPath(int pathFd) {
    char self[40];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", pathFd);
    unsigned char bytes[8];
    return fromNtfsTime(bytes, ::getxattr(self, CreationAttribute, bytes, sizeof bytes));
}

// Sets the creation, modified and accessed times at once, to 100 ns, as ntfs-3g takes them
// in another attribute: setting the creation time alone makes it lose any later change of
// the others made while the drive stays mounted. False when the drive refuses them or one
// lies before 1601.
bool setNtfsTimes(int fd, const Instant& created, const Instant& modified,
                  const Instant& accessed) {
    unsigned char bytes[24];
    unsigned char* b = bytes;
    for (const Instant* t : {&created, &modified, &accessed}) {
        if (t->seconds < -SecondsBefore1970) {
            errno = EINVAL;
            return false;
        }
        std::uint64_t ticks =
            static_cast<std::uint64_t>(t->seconds + SecondsBefore1970) * 10000000 +
            static_cast<std::uint64_t>(t->nanoseconds / 100);
        for (int i = 0; i < 8; ++i, ticks >>= 8)
            *b++ = static_cast<unsigned char>(ticks & 0xff);
    }
    return ::fsetxattr(fd, "system.ntfs_times", bytes, sizeof bytes, 0) == 0;
}

// The rules of the drive an open file lies on: by the kernel's name for its file system, or
// behind FUSE by the driver's name in the mount table, else by the device's first sector.
DriveRules rulesOf(int fd, const struct stat& st) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) return {};
    DriveRules rules;
    switch (fs.f_type) {
    case MSDOS_SUPER_MAGIC:
        return rulesForFileSystem("vfat");
    case EXFAT_SUPER_MAGIC:
        return rulesForFileSystem("exfat");
    case NtfsMagic:
    case Ntfs3Magic:
        rules = rulesForFileSystem("ntfs");
        break;
    case FuseMagic:
        if (const auto mount = mountOf(st.st_dev)) {
            rules = rulesForFileSystem(mount->type);
            if (rules.kind == DriveRules::Kind::Other)
                rules = rulesForFileSystem(bootSectorKind(mount->source));
            if (rules.kind == DriveRules::Kind::Other) {
                rules.kind = DriveRules::Kind::UnknownFuse;
                rules.driver = mount->type + " on " + mount->source;
            }
        } else {
            rules.kind = DriveRules::Kind::UnknownFuse;
            rules.driver = "fuse";
        }
        break;
    default:
        return rules;
    }
    // The creation time is set where ntfs-3g offers it; the kernel's drivers do not.
    rules.creationSettable = fs.f_type == FuseMagic && rules.kind == DriveRules::Kind::Ntfs &&
                             creationOf(fd).has_value();
    return rules;
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
    if (stx.stx_mask & STATX_BTIME) {
        result.created = instantOf(stx.stx_btime);
    } else if ((result.created = creationOfPath(pathFd.get()))) {
        result.creationSettable = true; // NTFS through ntfs-3g
    }
    if (stx.stx_mask & STATX_ATIME) result.accessed = instantOf(stx.stx_atime);
    if (stx.stx_mask & STATX_MTIME) result.modified = instantOf(stx.stx_mtime);
    result.read = true;
    // Files without any write bit are not written, whoever runs the program (root included).
    // A drive mounted read-only is named before the file's own bit.
    result.writable = hasWriteBit(st) && reopen(pathFd, st, path.c_str(), O_RDWR).valid();
    if (result.writable) return result;
    const int error = errno;
    struct statfs fs {};
    result.unwritable = ::fstatfs(pathFd.get(), &fs) == 0 && (fs.f_flags & ST_RDONLY)
                            ? WriteFailure::ReadOnlyDrive
                        : !hasWriteBit(st) ? WriteFailure::ReadOnly
                                           : failedWith(error, mayOwn(st)).failure;
    return result;
}

std::optional<EntryStatus> entryStatus(const NativePath& path) {
    struct statx stx {};
    if (path.empty() ||
        ::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0)
        return std::nullopt;
    struct stat st {};
    st.st_mode = stx.stx_mode;
    EntryStatus out;
    out.attributes = attributesOf(path, st);
    if (S_ISREG(st.st_mode)) out.size = static_cast<std::int64_t>(stx.stx_size);
    if (stx.stx_mask & STATX_BTIME) out.created = instantOf(stx.stx_btime);
    if (stx.stx_mask & STATX_ATIME) out.accessed = instantOf(stx.stx_atime);
    if (stx.stx_mask & STATX_MTIME) out.modified = instantOf(stx.stx_mtime);
    return out;
}

std::optional<Instant> directoryCreated(const std::filesystem::path& path) {
    struct statx stx {};
    if (path.empty() || ::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) != 0 ||
        !S_ISDIR(stx.stx_mode) || !(stx.stx_mask & STATX_BTIME))
        return std::nullopt;
    return instantOf(stx.stx_btime);
}

bool canSetCreationTime() {
    return true; // on NTFS drives mounted with ntfs-3g
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
                            const FileId* expected, Drives* drives) {
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
    // What the drive keeps is known before anything is written: a FUSE driver may answer
    // with the very stamp it was told and keep another.
    const auto find = [&] { return rulesOf(fd.get(), before); };
    DriveRules found;
    const DriveRules& rules = drives ? drives->of(before.st_dev, find) : (found = find());

    WriteOutcome out;
    // The stamps exactly, for "Undo last update". Opening the file changes none of them.
    out.before.accessed = instantOf(before.st_atim);
    out.before.modified = instantOf(before.st_mtim);
    if (rules.creationSettable) out.before.created = creationOf(fd.get());
    out.before.read = out.before.writable = true;
    // Where the drive takes creation times, one it cannot read for this file is not set.
    const bool allAtOnce = out.before.creationSettable = out.before.created.has_value();
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
    // The creation time, where asked, the same way; a drive that cannot take one refuses
    // the file, unless it was asked only where it can be set.
    std::optional<Instant> created = stamps.created;
    if (created && !allAtOnce) {
        if (stamps.createdWhereSettable) {
            created.reset();
        } else {
            out.created = StampWrite::CannotSet;
            out.failure = WriteFailure::NoCreation;
            return out;
        }
    }
    if (created) {
        out.created = StampWrite::Written;
        const auto& had = out.before.created;
        if (stamps.shiftBy && had)
            created = Instant{had->seconds + *stamps.shiftBy, had->nanoseconds};
        if (stamps.keepFraction && had && created->nanoseconds == 0 &&
            created->seconds == had->seconds)
            created.reset();
    }
    // A year the drive does not keep is refused before anything is written.
    for (int i = 0; i < 2; ++i)
        if (times[i].tv_nsec != UTIME_OMIT && !rules.keepsYear(instantOf(times[i]))) {
            *results[i] = StampWrite::Differs;
            out.failure = WriteFailure::YearNotKept;
        }
    if (out.failure != WriteFailure::None) {
        out.firstYear = rules.firstYear;
        out.lastYear = rules.lastYear;
        return out;
    }
    if (!asked && !created) return out;
    // Where the creation time is set, all three are set in one call.
    const auto ntfsTimes = [&](const std::optional<Instant>& c, const struct timespec(&t)[2]) {
        const auto pick = [&](int i) {
            return instantOf(t[i].tv_nsec == UTIME_OMIT ? had[i] : t[i]);
        };
        return setNtfsTimes(fd.get(), c.value_or(*out.before.created), pick(1), pick(0));
    };
    // FUSE drivers are handed both stamps: some do not take one alone.
    struct timespec given[2] = {times[0], times[1]};
    for (int i = 0; i < 2; ++i)
        if (rules.kind != DriveRules::Kind::Other && given[i].tv_nsec == UTIME_OMIT)
            given[i] = had[i];
    if (allAtOnce ? !ntfsTimes(created, times) : ::futimens(fd.get(), given) != 0) {
        if (!allAtOnce || errno != EINVAL) return failedWith(errno, owner); // before 1601
        out.created = StampWrite::Differs;
        out.failure = WriteFailure::DateNotHeld;
        return out;
    }

    // ext4 and others clamp times they cannot hold; a file must never keep a date other
    // than the one asked for, so such a write is taken back whole. Each stamp is judged
    // by what its drive keeps.
    struct stat after {};
    if (::fstat(fd.get(), &after) != 0) return failedWith(errno);
    const struct timespec now[2] = {after.st_atim, after.st_mtim};
    const long resolution[2] = {static_cast<long>(rules.accessedStep),
                                static_cast<long>(rules.modifiedStep)};
    bool differs = false;
    for (int i = 0; i < 2; ++i) {
        if (times[i].tv_nsec == UTIME_OMIT) continue;
        *results[i] = cameBack(times[i], now[i], resolution[i]);
        // A driver that answers with what it was told still keeps only whole steps.
        if (*results[i] == StampWrite::Written && resolution[i] == 2 &&
            (times[i].tv_sec % 2 != 0 || times[i].tv_nsec != 0))
            *results[i] = StampWrite::Rounded;
        differs = differs || *results[i] == StampWrite::Differs;
    }
    if (created && creationOf(fd.get()) != created) {
        out.created = StampWrite::Differs;
        differs = true;
    }
    if (differs) {
        const struct timespec omit[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
        if (allAtOnce)
            ntfsTimes(out.before.created, omit);
        else
            ::futimens(fd.get(), had);
        out.failure = WriteFailure::DateNotHeld;
        if (rules.kind == DriveRules::Kind::UnknownFuse) out.message = rules.driver;
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

} // namespace platform
