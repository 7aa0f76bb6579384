// The Windows file facilities, with wide-character paths so that any name works, and the
// \\?\ form for long ones.
#include "platform/files.h"

#include "wide.h"

#include <algorithm>
#include <cwctype>

namespace platform {
namespace {

using Ticks = unsigned long long; // a FILETIME as one number: 100 ns since 1601

constexpr Ticks TicksPerSecond = 10'000'000;

Ticks ticks(const FILETIME& ft) {
    return (Ticks(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME fileTime(Ticks t) {
    FILETIME ft{};
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return ft;
}

// FILETIME counts from 1601, the stamps the program keeps from 1970: whole seconds apart.
constexpr std::int64_t SecondsFrom1601 = 11644473600;
// The last second a FILETIME can hold as a date (31 December 30827).
constexpr std::int64_t LastSecond = 910670515199;

// A stamp's FILETIME; nothing for a value the system cannot store (before 1601). The first
// instant of 1601 is FILETIME 0, which SetFileTime takes as "leave this stamp alone" and the
// system reports for a stamp it does not keep: it is written 100 ns later, which shows as the
// same second.
std::optional<Ticks> toTicks(const Instant& t) {
    if (t.seconds < -SecondsFrom1601 || t.seconds > LastSecond) return std::nullopt;
    const Ticks whole = Ticks(t.seconds + SecondsFrom1601) * TicksPerSecond;
    const Ticks value = whole + Ticks(t.nanoseconds / 100);
    return value == 0 ? 1 : value;
}

// A stamp as read; FILETIME 0 is what the system reports for a stamp the file system does
// not keep.
std::optional<Instant> fromFileTime(const FILETIME& ft) {
    const Ticks t = ticks(ft);
    if (t == 0) return std::nullopt;
    return Instant{std::int64_t(t / TicksPerSecond) - SecondsFrom1601,
                   std::int32_t(t % TicksPerSecond) * 100};
}

// The attributes and stamps of a path from its directory entry, without opening it.
bool entryOf(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return !path.empty() && GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
}

// Opened for reading and writing, as the writer needs; `share` as the caller asks.
Handle openForWriting(const std::wstring& path, DWORD share) {
    return Handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr));
}

WriteOutcome failedWith(WriteFailure why, DWORD error = 0) {
    WriteOutcome out;
    out.failure = why;
    if (why == WriteFailure::Other) out.message = systemMessage(error);
    return out;
}

WriteOutcome failedWith(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return failedWith(WriteFailure::Missing);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return failedWith(WriteFailure::InUse);
    case ERROR_WRITE_PROTECT:
        return failedWith(WriteFailure::ReadOnlyDrive);
    case ERROR_FILENAME_EXCED_RANGE:
        return failedWith(WriteFailure::PathTooLong);
    default:
        return failedWith(WriteFailure::Other, error);
    }
}

// Which object an open handle is: its volume's serial number and its index there.
FileId idOf(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) return {};
    return FileId{info.dwVolumeSerialNumber,
                  (Ticks(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                  !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)};
}

// How closely each stamp comes back, in seconds.
struct Resolution {
    Ticks created = 1, accessed = 1, modified = 1;
};

// What the drive of an open file keeps, by its file system's name: FAT keeps the modification
// time to 2 seconds and the access time to the day, exFAT the access time to 2 seconds, both
// the years 1980 to 2107; every other keeps a whole second exactly.
DriveRules rulesOf(HANDLE file) {
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, nullptr, name,
                                       MAX_PATH + 1))
        return {};
    std::string narrow;
    for (const wchar_t* c = name; *c; ++c)
        narrow += *c < 128 ? static_cast<char>(*c) : '?';
    DriveRules rules = rulesForFileSystem(narrow);
    rules.creationSettable = true;
    return rules;
}

// How a stamp came back: exactly, within the file system's resolution, or as another date.
StampWrite cameBack(Ticks asked, Ticks after, Ticks seconds) {
    const Ticks diff = asked > after ? asked - after : after - asked;
    return diff == 0                         ? StampWrite::Written
           : diff < seconds * TicksPerSecond ? StampWrite::Rounded
                                             : StampWrite::Differs;
}

} // namespace

std::optional<std::uint32_t> fileAttributes(const NativePath& path) {
    if (path.empty()) return std::nullopt;
    const DWORD attr = GetFileAttributesW(systemPath(path).c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return static_cast<std::uint32_t>(attr);
}

std::optional<PathStatus> pathStatus(const NativePath& path, bool identify) {
    const auto attributes = fileAttributes(path);
    if (!attributes || !identify)
        return attributes ? std::optional(PathStatus{*attributes, {}}) : std::nullopt;
    // Opened for no access at all (folders too), only to ask which object it is.
    const Handle h(CreateFileW(systemPath(path).c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return PathStatus{*attributes, h.valid() ? idOf(h.get()) : FileId{}};
}

std::optional<EntryStatus> entryStatus(const NativePath& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!entryOf(systemPath(path), data)) return std::nullopt;
    EntryStatus out;
    out.attributes = static_cast<std::uint32_t>(data.dwFileAttributes);
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        out.size = static_cast<std::int64_t>((std::uint64_t(data.nFileSizeHigh) << 32) |
                                             data.nFileSizeLow);
    out.created = fromFileTime(data.ftCreationTime);
    out.accessed = fromFileTime(data.ftLastAccessTime);
    out.modified = fromFileTime(data.ftLastWriteTime);
    return out;
}

bool isNormalFile(const std::filesystem::path& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(systemPath(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes &
            (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

std::int64_t normalFileLength(const std::filesystem::path& path) {
    if (!isNormalFile(path)) return -1;
    Handle h(CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!h.valid() || !GetFileSizeEx(h.get(), &size)) return -1;
    return size.QuadPart;
}

bool isDriveRoot(const std::filesystem::path& path) {
    std::wstring p = path.native();
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
    if (p.rfind(L"\\\\?\\UNC\\", 0) == 0)
        p = L"\\\\" + p.substr(8);
    else if (p.rfind(L"\\\\?\\", 0) == 0 || p.rfind(L"\\\\.\\", 0) == 0)
        p = p.substr(4);
    const bool unc = p.rfind(L"\\\\", 0) == 0;
    if (unc) p = p.substr(2);
    while (!p.empty() && p.back() == L'\\')
        p.pop_back();
    if (unc) { // server\share
        const auto slash = p.find(L'\\');
        return slash != std::wstring::npos && slash > 0 && slash + 1 < p.size() &&
               p.find(L'\\', slash + 1) == std::wstring::npos;
    }
    if (p.empty()) return !path.empty(); // "\" alone: the root of the current drive
    return p.size() == 2 && p[1] == L':' && std::iswalpha(p[0]);
}

FileTimes readFileTimes(const std::filesystem::path& path, const FileId* expected) {
    FileTimes result;
    const std::wstring p = systemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!entryOf(p, data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return result;
    if (expected) {
        const auto status = pathStatus(path.native());
        result.replaced = !status || status->id != *expected;
        if (result.replaced) return result;
    }
    result.created = fromFileTime(data.ftCreationTime);
    result.accessed = fromFileTime(data.ftLastAccessTime);
    result.modified = fromFileTime(data.ftLastWriteTime);
    result.read = true;
    result.creationSettable = true;
    // Windows refuses write access to a read-only file; the attribute is tested as well, so
    // that the rule holds wherever the open itself would let it pass (Wine run as root).
    // Without sharing, as a file that another program has open is not for writing.
    if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        result.unwritable = WriteFailure::ReadOnly;
    else if (!openForWriting(p, 0).valid())
        result.unwritable = failedWith(GetLastError()).failure;
    result.writable = result.unwritable == WriteFailure::None;
    return result;
}

std::optional<Instant> directoryCreated(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!entryOf(systemPath(path), data) || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return fromFileTime(data.ftCreationTime);
}

bool canSetCreationTime() {
    return true;
}

WriteOutcome writeFileTimes(const NativePath& path, const StampsToWrite& stamps,
                            const FileId* expected, Drives* drives) {
    const std::wstring p = systemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA entry{};
    if (!entryOf(p, entry)) return failedWith(GetLastError());
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return failedWith(WriteFailure::Directory);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return failedWith(WriteFailure::ReadOnly);

    // In the system's order: creation, last access, last write.
    const std::optional<Instant>* values[3] = {&stamps.created, &stamps.accessed, &stamps.modified};
    WriteOutcome out;
    StampWrite* results[3] = {&out.created, &out.accessed, &out.modified};
    std::optional<Ticks> asked[3];
    for (int i = 0; i < 3; ++i) {
        if (!*values[i]) continue;
        asked[i] = toTicks(**values[i]);
        if (!asked[i]) { // before 1601: no file system here can hold it
            *results[i] = StampWrite::Differs;
            out.failure = WriteFailure::DateNotHeld;
        }
    }
    if (out.failure != WriteFailure::None) return out;
    if (!asked[0] && !asked[1] && !asked[2]) return out;

    FILETIME before[3] = {};
    Resolution resolution;
    {
        Handle h = openForWriting(p, FILE_SHARE_READ);
        if (!h.valid()) return failedWith(GetLastError());
        if (expected && idOf(h.get()) != *expected) return failedWith(WriteFailure::Replaced);
        if (!GetFileTime(h.get(), &before[0], &before[1], &before[2]))
            return failedWith(GetLastError());
        out.before.created = fromFileTime(before[0]);
        out.before.accessed = fromFileTime(before[1]);
        out.before.modified = fromFileTime(before[2]);
        out.before.read = out.before.writable = true;
        FILETIME wanted[3] = {};
        bool any = false;
        for (int i = 0; i < 3; ++i) {
            if (!asked[i]) continue;
            *results[i] = StampWrite::Written;
            if (stamps.shiftBy) { // the opened file's own stamp, moved
                const auto had = fromFileTime(before[i]);
                asked[i] = had ? toTicks(Instant{had->seconds + *stamps.shiftBy, had->nanoseconds})
                               : std::nullopt;
                if (!asked[i]) { // a stamp not kept, or one moved before 1601
                    *results[i] = StampWrite::Differs;
                    out.failure = WriteFailure::DateNotHeld;
                    return out;
                }
            }
            // A whole second the file already has keeps the file's own fraction of it.
            if (stamps.keepFraction && *asked[i] % TicksPerSecond == 0 &&
                ticks(before[i]) / TicksPerSecond == *asked[i] / TicksPerSecond) {
                asked[i].reset();
                continue;
            }
            wanted[i] = fileTime(*asked[i]);
            any = true;
        }
        if (!any) return out;
        // A year the drive does not keep is refused before anything is written.
        const auto find = [&h] { return rulesOf(h.get()); };
        DriveRules found;
        const DriveRules& rules =
            drives ? drives->of(idOf(h.get()).volume, find) : (found = find());
        resolution = {1, rules.accessedStep, rules.modifiedStep};
        for (int i = 0; i < 3; ++i)
            if (const auto when = asked[i] ? fromFileTime(wanted[i]) : std::nullopt;
                when && !rules.keepsYear(*when)) {
                *results[i] = StampWrite::Differs;
                out.failure = WriteFailure::YearNotKept;
                out.firstYear = rules.firstYear;
                out.lastYear = rules.lastYear;
            }
        if (out.failure != WriteFailure::None) return out;
        if (!SetFileTime(h.get(), asked[0] ? &wanted[0] : nullptr, asked[1] ? &wanted[1] : nullptr,
                         asked[2] ? &wanted[2] : nullptr))
            return failedWith(GetLastError());
    }

    // Read back as the reader sees the file. Each stamp is judged on its own: a stamp the
    // file system does not keep reads as 0 (Wine and some shares show the last-write time
    // in its place) and stops nothing; only a stamp that came back as another date is not
    // written, and then every stamp of the file goes back as it was.
    WIN32_FILE_ATTRIBUTE_DATA after{};
    if (!entryOf(p, after)) return failedWith(GetLastError());
    const Ticks now[3] = {ticks(after.ftCreationTime), ticks(after.ftLastAccessTime),
                          ticks(after.ftLastWriteTime)};
    const Ticks seconds[3] = {resolution.created, resolution.accessed, resolution.modified};
    bool differs = false;
    for (int i = 0; i < 3; ++i) {
        if (!asked[i]) continue;
        const bool standIn = i == 0 && now[0] == now[2] &&
                             cameBack(*asked[0], now[2], seconds[0]) == StampWrite::Differs;
        if (now[i] == 0 || standIn) {
            *results[i] = StampWrite::NotKept;
        } else {
            *results[i] = cameBack(*asked[i], now[i], seconds[i]);
            differs = differs || *results[i] == StampWrite::Differs;
        }
    }
    if (differs) {
        Handle h = openForWriting(p, FILE_SHARE_READ);
        auto previous = [&](int i) {
            return asked[i] && ticks(before[i]) != 0 ? &before[i] : nullptr;
        };
        if (h.valid()) SetFileTime(h.get(), previous(0), previous(1), previous(2));
        out.failure = WriteFailure::DateNotHeld;
    }
    return out;
}

ReadFailure readFileParts(const std::filesystem::path& path,
                          const std::function<void(std::uint64_t length, const ReadAt&)>& read,
                          const FileId* expected) {
    const std::wstring p = systemPath(path);
    // Writing attributes is asked for only to tell the system not to move the accessed stamp
    // while this handle reads; where that is refused, the file is read without it and its
    // accessed stamp put back afterwards where the system lets us.
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const auto open = [&](DWORD access) {
        return CreateFileW(p.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    };
    HANDLE opened = open(GENERIC_READ | FILE_WRITE_ATTRIBUTES);
    if (opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        opened = open(GENERIC_READ);
    Handle h(opened);
    // The accessed stamp as it was, put back on every way out: not every system honours "do
    // not update", and Wine moves the stamp even when it is only asked the handle's type.
    struct KeepAccessed {
        HANDLE h;
        FILETIME t{};
        bool known = h != INVALID_HANDLE_VALUE && GetFileTime(h, nullptr, &t, nullptr);
        ~KeepAccessed() {
            if (known) SetFileTime(h, nullptr, &t, nullptr);
        }
    } keepAccessed{opened};
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valid() || !GetFileInformationByHandle(h.get(), &info)) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(p.c_str());
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadFailure::Missing
               : attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                   ? ReadFailure::Directory
                   : ReadFailure::Unreadable;
    }
    if (GetFileType(h.get()) != FILE_TYPE_DISK ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? ReadFailure::Directory
                                                                  : ReadFailure::NotAFile;
    const Ticks size = (Ticks(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (expected && idOf(h.get()) != *expected) return ReadFailure::Replaced;
    FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF}; // "do not update" for the rest of this handle
    SetFileTime(h.get(), nullptr, &keep, nullptr);
    const ReadAt readAt = [&h](std::uint64_t offset, std::size_t n) -> std::optional<std::string> {
        std::string bytes(n, '\0');
        std::size_t got = 0;
        while (got < n) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>((offset + got) & 0xFFFFFFFFu);
            at.OffsetHigh = static_cast<DWORD>((offset + got) >> 32);
            DWORD r = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n - got, 1u << 30));
            if (!ReadFile(h.get(), bytes.data() + got, chunk, &r, &at)) {
                if (GetLastError() == ERROR_HANDLE_EOF) break;
                return std::nullopt;
            }
            if (r == 0) break; // the end of the file
            got += r;
        }
        bytes.resize(got);
        return bytes;
    };
    read(static_cast<std::uint64_t>(size), readAt);
    return ReadFailure::None;
}

} // namespace platform
