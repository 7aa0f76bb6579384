#include "testfiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace platform::testing {

#ifdef _WIN32
bool makeSystemFile(const std::filesystem::path& path) {
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_SYSTEM, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    // Creating a file sets its archive bit; the system attribute alone clears it.
    return h != INVALID_HANDLE_VALUE && SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_SYSTEM) &&
           GetFileAttributesW(path.c_str()) == FILE_ATTRIBUTE_SYSTEM;
}

bool makeFifo(const std::filesystem::path&) {
    return false;
}

bool setFileTimes(const std::filesystem::path& path, std::int64_t accessed, std::int64_t modified,
                  long nsec) {
    if (!fileTimesHold(accessed) || !fileTimesHold(modified)) return false;
    const auto fileTime = [nsec](std::int64_t seconds) {
        // A file time counts 100 ns from 1601, 11644473600 seconds before 1970.
        const auto ticks = static_cast<ULONGLONG>((seconds + 11644473600) * 10000000 + nsec / 100);
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

ExactStamps exactStamps(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    const auto split = [](const FILETIME& ft, std::int64_t& seconds, std::int64_t& ns) {
        const auto ticks = (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        seconds = std::int64_t(ticks / 10000000) - 11644473600;
        ns = std::int64_t(ticks % 10000000) * 100;
    };
    ExactStamps out;
    split(data.ftLastAccessTime, out.accessed, out.accessedNs);
    split(data.ftLastWriteTime, out.modified, out.modifiedNs);
    return out;
}

bool swapIn(const std::filesystem::path&, int, const std::filesystem::path&) {
    return false;
}

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
#else
bool makeSystemFile(const std::filesystem::path& path) {
    return makeFifo(path);
}

bool makeFifo(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0644) == 0;
}

bool setFileTimes(const std::filesystem::path& path, std::int64_t accessed, std::int64_t modified,
                  long nsec) {
    const struct timespec ts[2] = {{static_cast<time_t>(accessed), nsec},
                                   {static_cast<time_t>(modified), nsec}};
    return ::utimensat(AT_FDCWD, path.c_str(), ts, 0) == 0;
}

ExactStamps exactStamps(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {st.st_atim.tv_sec, st.st_atim.tv_nsec, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

bool swapIn(const std::filesystem::path& at, int kind, const std::filesystem::path& target) {
    const std::string made = at.native() + ".new";
    const int done = kind == 0   ? ::symlink(target.c_str(), made.c_str())
                     : kind == 1 ? ::mkfifo(made.c_str(), 0644)
                     : kind == 2 ? ::mknod(made.c_str(), S_IFCHR | 0644, makedev(1, 3))
                                 : ::link(target.c_str(), made.c_str());
    return done == 0 && ::rename(made.c_str(), at.c_str()) == 0;
}

bool underWine() {
    return false;
}
#endif

} // namespace platform::testing
