#include "testfiles.h"

#include <windows.h>

namespace platform::testing {

bool makeSystemFile(const std::filesystem::path& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_SYSTEM, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    // Creating a file sets its archive bit; the system attribute alone clears it.
    if (!SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_SYSTEM)) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM) &&
           !(attributes & FILE_ATTRIBUTE_ARCHIVE);
}

bool hasFifos() {
    return false;
}

bool makeFifo(const std::filesystem::path&) {
    return false;
}

namespace {

constexpr std::int64_t SecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t LastSecondOf30827 = 910670515199; // 31 December 30827, 23:59:59

} // namespace

bool fileTimesHold(std::int64_t seconds) {
    return seconds >= -SecondsFrom1601To1970 && seconds <= LastSecondOf30827;
}

bool setFileTimes(const std::filesystem::path& path, std::int64_t accessed, std::int64_t modified,
                  long nsec) {
    if (!fileTimesHold(accessed) || !fileTimesHold(modified)) return false;
    const auto fileTime = [nsec](std::int64_t seconds) {
        const auto ticks =
            static_cast<ULONGLONG>((seconds + SecondsFrom1601To1970) * 10000000 + nsec / 100);
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const FILETIME a = fileTime(accessed), m = fileTime(modified);
    const bool ok = SetFileTime(h, nullptr, &a, &m);
    CloseHandle(h);
    return ok;
}

bool zoneFollowsTZ() {
    return false;
}

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace platform::testing
