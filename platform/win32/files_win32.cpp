// The Windows file facilities, with wide-character paths so that any name works.
#include "platform/files.h"

#include "wide.h"

namespace platform {
namespace {

SystemTime fromSystemTimeStruct(const SYSTEMTIME& st) {
    return SystemTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

// A stamp's FILETIME from a value; nothing for a value the system cannot store (before 1601).
std::optional<FILETIME> toFileTime(const SystemTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    FILETIME ft{};
    if (t.year < 1601 || t.year > 30827 || !SystemTimeToFileTime(&st, &ft)) return std::nullopt;
    return ft;
}

// Windows refuses write access to a read-only file; the attribute is tested as well, so
// that the rule holds wherever the open itself would let it pass (Wine run as root).
bool readOnly(const std::filesystem::path& path) {
    const DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY);
}

bool sameFileTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

} // namespace

std::optional<std::uint32_t> fileAttributes(const std::filesystem::path& path) {
    const DWORD attr = GetFileAttributesW(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return static_cast<std::uint32_t>(attr);
}

bool isNormalFile(const std::filesystem::path& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes &
            (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

std::int64_t normalFileLength(const std::filesystem::path& path) {
    if (!isNormalFile(path)) return -1;
    Handle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!h.valid() || !GetFileSizeEx(h.get(), &size)) return -1;
    return size.QuadPart;
}

FileTimes readFileTimes(const std::filesystem::path& path) {
    FileTimes result;
    if (readOnly(path)) return result;
    // Read and write access without sharing: read-only files, files in use and folders fail.
    Handle h(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                         nullptr));
    if (!h.valid()) return result;
    FILETIME created{}, accessed{}, written{};
    if (!GetFileTime(h.get(), &created, &accessed, &written)) return result;
    result.opened = true;
    auto convert = [&](const FILETIME& ft, std::optional<SystemTime>& out) {
        SYSTEMTIME st{};
        if (FileTimeToSystemTime(&ft, &st))
            out = fromSystemTimeStruct(st);
        else
            result.conversionFailed = true;
    };
    convert(created, result.created);
    convert(accessed, result.accessed);
    convert(written, result.modified);
    return result;
}

std::optional<SystemTime> directoryCreated(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&data.ftCreationTime, &st)) return std::nullopt;
    return fromSystemTimeStruct(st);
}

bool canSetCreationTime() {
    return true;
}

bool writeFileTimes(const std::filesystem::path& path, const std::optional<SystemTime>& created,
                    const std::optional<SystemTime>& accessed,
                    const std::optional<SystemTime>& modified) {
    if (readOnly(path)) return false;
    // One open, set and close cycle per stamp, in the order created, modified, accessed.
    // A FILETIME of zero leaves its stamp alone; the slots filled by an earlier cycle are
    // written again with the same value.
    FILETIME slots[3] = {}; // creation, last access, last write
    bool ok = true;
    const std::pair<const std::optional<SystemTime>*, FILETIME*> order[3] = {
        {&created, &slots[0]}, {&modified, &slots[2]}, {&accessed, &slots[1]}};
    FILETIME before[3] = {};
    bool haveBefore = false;
    for (const auto& [value, slot] : order) {
        if (!*value) continue;
        Handle h(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr));
        if (!h.valid()) {
            ok = false;
            continue;
        }
        if (!haveBefore) haveBefore = GetFileTime(h.get(), &before[0], &before[1], &before[2]) != 0;
        const auto ft = toFileTime(**value);
        if (!ft) {
            ok = false;
            continue;
        }
        *slot = *ft;
        if (!SetFileTime(h.get(), &slots[0], &slots[1], &slots[2])) ok = false;
    }
    if (!haveBefore) return false;
    // A file system that cannot hold a value (FAT keeps no times before 1980) must not be
    // left with another date than the one asked for: put the previous stamps back.
    Handle h(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr));
    FILETIME after[3] = {};
    if (!h.valid() || !GetFileTime(h.get(), &after[0], &after[1], &after[2])) return false;
    bool exact = true;
    for (int i = 0; i < 3; ++i) {
        const bool asked = slots[i].dwLowDateTime != 0 || slots[i].dwHighDateTime != 0;
        if (asked && !sameFileTime(slots[i], after[i])) exact = false;
    }
    if (!exact) {
        SetFileTime(h.get(), &before[0], &before[1], &before[2]);
        return false;
    }
    return ok;
}

} // namespace platform
