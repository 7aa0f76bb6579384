// The Windows file facilities, with wide-character paths so that any name works, and the
// \\?\ form for long ones.
#include "platform/files.h"

#include "wide.h"

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

// A stamp's FILETIME from a value; nothing for a value the system cannot store (before
// 1601). The first instant of 1601 is FILETIME 0, which SetFileTime takes as "leave this
// stamp alone" and the system reports for a stamp it does not keep: it is written 100 ns
// later, which shows as the same second.
std::optional<Ticks> toTicks(const SystemTime& t) {
    const SYSTEMTIME st = toSystemTimeStruct(t);
    FILETIME ft{};
    if (t.year < 1601 || t.year > 30827 || !SystemTimeToFileTime(&st, &ft)) return std::nullopt;
    return ticks(ft) == 0 ? 1 : ticks(ft);
}

// A stamp as read: FILETIME 0 is what the system reports for a stamp the file system does
// not keep; one that no SYSTEMTIME can hold lies beyond the year 30827.
std::optional<SystemTime> fromFileTime(const FILETIME& ft, FileTimes::Beyond& beyond) {
    if (ticks(ft) == 0) return std::nullopt;
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&ft, &st)) {
        beyond = FileTimes::Beyond::TooLate;
        return std::nullopt;
    }
    return fromSystemTimeStruct(st);
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
    default:
        return failedWith(WriteFailure::Other, error);
    }
}

// How closely each stamp comes back, by file system: FAT keeps the modification time to
// 2 seconds and the access time to the day, exFAT the access time to 2 seconds; every
// other keeps a whole second exactly.
struct Resolution {
    Ticks created = 1, accessed = 1, modified = 1; // in seconds
};

Resolution resolutionOf(HANDLE file) {
    wchar_t name[MAX_PATH + 1] = {};
    Resolution r;
    if (!GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, nullptr, name,
                                       MAX_PATH + 1))
        return r;
    const std::wstring fs(name);
    if (fs.rfind(L"FAT", 0) == 0) {
        r.modified = 2;
        r.accessed = 86400;
    } else if (fs == L"exFAT") {
        r.accessed = 2;
    }
    return r;
}

bool within(Ticks asked, Ticks after, Ticks seconds) {
    const Ticks diff = asked > after ? asked - after : after - asked;
    return diff < seconds * TicksPerSecond;
}

} // namespace

std::optional<std::uint32_t> fileAttributes(const NativePath& path) {
    if (path.empty()) return std::nullopt;
    const DWORD attr = GetFileAttributesW(systemPath(path).c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return static_cast<std::uint32_t>(attr);
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

FileTimes readFileTimes(const std::filesystem::path& path) {
    FileTimes result;
    const std::wstring p = systemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!entryOf(p, data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return result;
    result.created = fromFileTime(data.ftCreationTime, result.beyond);
    result.accessed = fromFileTime(data.ftLastAccessTime, result.beyond);
    result.modified = fromFileTime(data.ftLastWriteTime, result.beyond);
    result.read = result.beyond == FileTimes::Beyond::None;
    // Windows refuses write access to a read-only file; the attribute is tested as well, so
    // that the rule holds wherever the open itself would let it pass (Wine run as root).
    // Without sharing, as a file that another program has open is not for writing.
    result.writable =
        !(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) && openForWriting(p, 0).valid();
    return result;
}

std::optional<SystemTime> directoryCreated(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileTimes::Beyond beyond = FileTimes::Beyond::None;
    if (!entryOf(systemPath(path), data) || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return fromFileTime(data.ftCreationTime, beyond);
}

bool canSetCreationTime() {
    return true;
}

WriteOutcome writeFileTimes(const NativePath& path, const std::optional<SystemTime>& created,
                            const std::optional<SystemTime>& accessed,
                            const std::optional<SystemTime>& modified, bool /*seenAsFile*/) {
    const std::wstring p = systemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA entry{};
    if (!entryOf(p, entry)) return failedWith(GetLastError());
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return failedWith(WriteFailure::Directory);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return failedWith(WriteFailure::ReadOnly);

    // In the system's order: creation, last access, last write.
    const std::optional<SystemTime>* values[3] = {&created, &accessed, &modified};
    StampWrite* results[3] = {nullptr, nullptr, nullptr};
    WriteOutcome out;
    results[0] = &out.created;
    results[1] = &out.accessed;
    results[2] = &out.modified;
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
        if (!GetFileTime(h.get(), &before[0], &before[1], &before[2]))
            return failedWith(GetLastError());
        out.before.created = fromFileTime(before[0], out.before.beyond);
        out.before.accessed = fromFileTime(before[1], out.before.beyond);
        out.before.modified = fromFileTime(before[2], out.before.beyond);
        out.before.read = out.before.beyond == FileTimes::Beyond::None;
        out.before.writable = true;
        FILETIME wanted[3] = {};
        for (int i = 0; i < 3; ++i)
            if (asked[i]) wanted[i] = fileTime(*asked[i]);
        if (!SetFileTime(h.get(), asked[0] ? &wanted[0] : nullptr, asked[1] ? &wanted[1] : nullptr,
                         asked[2] ? &wanted[2] : nullptr))
            return failedWith(GetLastError());
        resolution = resolutionOf(h.get());
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
        const bool standIn = i == 0 && now[0] == now[2] && !within(*asked[0], now[2], seconds[0]);
        if (now[i] == 0 || standIn) {
            *results[i] = StampWrite::NotKept;
        } else if (within(*asked[i], now[i], seconds[i])) {
            *results[i] = StampWrite::Written;
        } else {
            *results[i] = StampWrite::Differs;
            differs = true;
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

} // namespace platform
