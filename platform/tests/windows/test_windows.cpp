// The Windows implementation on real files, the real registry and INI files: the calls the
// program makes on Windows, run here under Wine. Wine keeps no creation times; that one
// check is skipped there, with the reason.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>

#include "datetime.h"
#include "readsetting.h"

#include "inirows.h"
#include "platform/files.h"
#include "platform/localtime.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/sound.h"

#include "wide.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::SystemTime;

namespace {

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A scratch folder of its own, removed again at the end of the test.
struct Scratch {
    fs::path dir;
    explicit Scratch(const fs::path& under = fs::temp_directory_path()) {
        dir = under / ("chronodex-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir);
    }
    ~Scratch() {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(dir, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(dir, ec);
    }
    fs::path file(const std::wstring& name, std::size_t size = 0) const {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << std::string(size, 'x');
        return p;
    }
};

// Scratch dates between 1902 and 2037, which every file system here keeps.
const SystemTime a{2001, 2, 3, 4, 5, 6};
const SystemTime b{1999, 12, 31, 23, 59, 59};
const SystemTime c{2030, 7, 8, 9, 10, 11};

std::string utf8(const fs::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

} // namespace

using platform::StampWrite;
using platform::WriteFailure;

TEST_CASE("access and modification stamps written through Win32 read back exactly") {
    Scratch s;
    const fs::path f = s.file(L"stamps.txt");
    const auto out = platform::writeFileTimes(f, std::nullopt, a, b);
    CHECK(out.written());
    CHECK(out.accessed == StampWrite::Written);
    CHECK(out.modified == StampWrite::Written);
    CHECK(out.created == StampWrite::NotAsked);
    const auto t = platform::readFileTimes(f);
    REQUIRE(t.read);
    CHECK(t.writable);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == b);
}

TEST_CASE("a stamp that is not given stays as it was") {
    Scratch s;
    const fs::path f = s.file(L"keep.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, b).written());
    const auto out = platform::writeFileTimes(f, std::nullopt, std::nullopt, c);
    CHECK(out.written());
    CHECK(out.accessed == StampWrite::NotAsked);
    const auto t = platform::readFileTimes(f);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == c);
}

// Where the file system keeps no creation time (Wine shows the last-write time in its
// place), asking for it with the modification time still writes the modification time.
TEST_CASE("each stamp is judged on its own: a creation time not kept stops nothing") {
    Scratch s;
    const fs::path f = s.file(L"born.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a).written());
    const auto out = platform::writeFileTimes(f, c, std::nullopt, b);
    CHECK(out.written());
    CHECK(out.modified == StampWrite::Written);
    const auto t = platform::readFileTimes(f);
    CHECK(*t.modified == b);
    CHECK(*t.accessed == a);
    if (underWine()) {
        CHECK(out.created == StampWrite::NotKept);
    } else {
        MESSAGE("this file system keeps creation times");
        CHECK(out.created == StampWrite::Written);
        CHECK(*t.created == c);
    }
}

TEST_CASE("a stamp that comes back as another date puts every stamp back") {
    Scratch s;
    const fs::path f = s.file(L"clamped.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a).written());
    // Wine keeps stamps in the Linux file system, and ext4 (where the scratch folder lies
    // when it runs here) cannot hold 1850; NTFS can.
    const SystemTime old{1850, 6, 15, 10, 30, 0};
    const auto out = platform::writeFileTimes(f, std::nullopt, b, old);
    const auto t = platform::readFileTimes(f);
    if (out.modified == StampWrite::Written) {
        MESSAGE("skipped: this file system holds 1850; only FAT or ext4 show the put-back");
        CHECK(*t.modified == old);
        return;
    }
    CHECK(out.failure == WriteFailure::DateNotHeld);
    CHECK(out.modified == StampWrite::Differs);
    CHECK(out.accessed == StampWrite::Written); // written, then put back with the other
    CHECK(*t.accessed == a);
    CHECK(*t.modified == a);
}

// 1601-01-01 00:00:00 is FILETIME 0, which SetFileTime takes as "leave it alone".
TEST_CASE("the first second of 1601 is written and read back") {
    std::optional<Scratch> onTmpfs;
    if (underWine()) {
        // Wine's stamps live in the Linux file system; only tmpfs holds 1601.
        std::error_code ec;
        if (!fs::is_directory(L"Z:\\dev\\shm", ec)) {
            MESSAGE("skipped: no tmpfs folder (/dev/shm) to hold 1601 under Wine");
            return;
        }
        onTmpfs.emplace(fs::path(L"Z:\\dev\\shm"));
    } else {
        onTmpfs.emplace();
    }
    const fs::path f = onTmpfs->file(L"1601.txt");
    const SystemTime first{1601, 1, 1, 0, 0, 0};
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a).written());
    const auto out = platform::writeFileTimes(f, std::nullopt, first, first);
    CHECK(out.written());
    CHECK(out.accessed == StampWrite::Written);
    CHECK(out.modified == StampWrite::Written);
    const auto t = platform::readFileTimes(f);
    REQUIRE(t.read);
    CHECK(*t.accessed == first);
    CHECK(*t.modified == first);
    // On disk it is the smallest FILETIME that is not 0.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    REQUIRE(GetFileAttributesExW(f.c_str(), GetFileExInfoStandard, &data));
    CHECK(data.ftLastWriteTime.dwLowDateTime == 1);
    CHECK(data.ftLastWriteTime.dwHighDateTime == 0);
}

TEST_CASE("a read-only file shows its stamps but is not written") {
    Scratch s;
    const fs::path f = s.file(L"ro.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a).written());
    REQUIRE(SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto ro = platform::readFileTimes(f);
    CHECK(ro.read);
    CHECK_FALSE(ro.writable);
    CHECK(*ro.modified == a);
    const auto out = platform::writeFileTimes(f, std::nullopt, b, b);
    CHECK(out.failure == WriteFailure::ReadOnly);
    SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
    const auto t = platform::readFileTimes(f);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == a);
}

TEST_CASE("a file in use shows its stamps, is not writable and is reported in use") {
    Scratch s;
    const fs::path f = s.file(L"held.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a).written());
    const HANDLE held = CreateFileW(f.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    const auto t = platform::readFileTimes(f);
    CHECK(t.read);
    CHECK_FALSE(t.writable);
    CHECK(*t.modified == a);
    CHECK(platform::writeFileTimes(f, std::nullopt, b, b).failure == WriteFailure::InUse);
    CloseHandle(held);
    CHECK(*platform::readFileTimes(f).modified == a);
}

TEST_CASE("a directory and a vanished file are refused with their reasons") {
    Scratch s;
    const auto dir = platform::readFileTimes(s.dir);
    CHECK_FALSE(dir.read);
    CHECK_FALSE(dir.writable);
    CHECK(platform::writeFileTimes(s.dir, std::nullopt, a, a).failure == WriteFailure::Directory);
    CHECK(platform::directoryCreated(s.dir).has_value());
    CHECK_FALSE(platform::directoryCreated(s.dir / L"missing").has_value());
    const fs::path gone = s.file(L"gone.txt");
    fs::remove(gone);
    CHECK_FALSE(platform::readFileTimes(gone).read);
    CHECK(platform::writeFileTimes(gone, std::nullopt, a, a).failure == WriteFailure::Missing);
    CHECK(platform::writeFileTimes(s.dir / L"no folder" / L"x.txt", std::nullopt, a, a).failure ==
          WriteFailure::Missing);
    // Anything else comes with the system's own words.
    const auto odd = platform::writeFileTimes(s.dir / L"a<b>.txt", std::nullopt, a, a);
    CHECK(odd.failure == WriteFailure::Other);
    CHECK_FALSE(odd.message.empty());
}

TEST_CASE("a year before 1601 cannot be written and changes nothing") {
    Scratch s;
    const fs::path f = s.file(L"old.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a).written());
    const auto out =
        platform::writeFileTimes(f, std::nullopt, b, SystemTime{1600, 12, 31, 23, 59, 59});
    CHECK(out.failure == WriteFailure::DateNotHeld);
    CHECK(out.modified == StampWrite::Differs);
    const auto t = platform::readFileTimes(f);
    CHECK(*t.modified == a);
    CHECK(*t.accessed == a);
}

TEST_CASE("drive roots") {
    struct Row {
        const wchar_t* path;
        bool root;
    };
    const Row rows[] = {
        {L"C:\\", true},
        {L"C:", true},
        {L"c:/", true},
        {L"C:\\\\", true},
        {L"\\\\?\\C:\\", true},
        {L"\\\\server\\share", true},
        {L"\\\\server\\share\\", true},
        {L"\\\\?\\UNC\\server\\share\\", true},
        {L"C:\\Windows", false},
        {L"C:\\Windows\\", false},
        {L"\\\\server", false},
        {L"\\\\server\\share\\dir", false},
        {L"CC:\\", false},
        {L"", false},
    };
    for (const Row& row : rows) {
        CAPTURE(fs::path(row.path).string());
        CHECK(platform::isDriveRoot(row.path) == row.root);
    }
}

// "C:" is the current folder of drive C to the system; the program never means that.
TEST_CASE("a bare drive name is the drive's root, never its current folder") {
    Scratch s;
    // Wine reports a folder's last-write time as its creation time; give the scratch
    // folder a date of its own, so that it shows if "C:" reaches it.
    const HANDLE dir = CreateFileW(s.dir.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    REQUIRE(dir != INVALID_HANDLE_VALUE);
    SYSTEMTIME st{};
    st.wYear = 1999;
    st.wMonth = 12;
    st.wDay = 31;
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    CHECK(SetFileTime(dir, &ft, &ft, &ft));
    CloseHandle(dir);
    const std::wstring drive = s.dir.wstring().substr(0, 2); // the scratch folder's drive
    REQUIRE(drive[1] == L':');
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    REQUIRE(SetCurrentDirectoryW(s.dir.c_str()));
    const auto bare = platform::directoryCreated(drive);
    const auto root = platform::directoryCreated(drive + L"\\");
    const auto folder = platform::directoryCreated(s.dir);
    SetCurrentDirectoryW(previous);
    REQUIRE(folder);
    REQUIRE(root);
    CHECK(*folder == SystemTime{1999, 12, 31, 0, 0, 0});
    CHECK(bare == root);
}

TEST_CASE("paths of 260 characters and more work in every file call") {
    Scratch s;
    fs::path deep = s.dir;
    for (wchar_t c : {L'a', L'b', L'c'})
        deep /= std::wstring(100, c);
    REQUIRE(CreateDirectoryW((L"\\\\?\\" + (s.dir / std::wstring(100, L'a')).wstring()).c_str(),
                             nullptr));
    REQUIRE(CreateDirectoryW(
        (L"\\\\?\\" + (s.dir / std::wstring(100, L'a') / std::wstring(100, L'b')).wstring())
            .c_str(),
        nullptr));
    REQUIRE(CreateDirectoryW((L"\\\\?\\" + deep.wstring()).c_str(), nullptr));
    const fs::path f = deep / L"long.txt";
    REQUIRE(f.wstring().size() >= 320);
    const HANDLE h = CreateFileW((L"\\\\?\\" + f.wstring()).c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_NEW, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(h, "12345", 5, &wrote, nullptr);
    CloseHandle(h);

    CHECK(platform::fileAttributes(f).has_value());
    CHECK(platform::isNormalFile(f));
    CHECK(platform::normalFileLength(f) == 5);
    CHECK(platform::writeFileTimes(f, std::nullopt, a, b).written());
    const auto t = platform::readFileTimes(f);
    CHECK(t.read);
    CHECK(t.writable);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == b);
    CHECK(platform::directoryCreated(deep).has_value());
    // The same file reached with "/" and ".." in the long form.
    const fs::path roundabout =
        fs::path(deep.wstring() + L"/../" + std::wstring(100, L'c') + L"/long.txt");
    CHECK(platform::normalFileLength(roundabout) == 5);
    // INI files too.
    const fs::path ini = deep / L"long.ini";
    const HANDLE hi = CreateFileW((L"\\\\?\\" + ini.wstring()).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, 0, nullptr);
    REQUIRE(hi != INVALID_HANDLE_VALUE);
    WriteFile(hi, "[S]\nK=12\n", 9, &wrote, nullptr);
    CloseHandle(hi);
    if (underWine()) {
        MESSAGE("skipped: Wine's INI functions take no path this long, in either form");
    } else {
        CHECK(platform::iniReadInt(ini, "S", "K", 0) == 12);
        CHECK(platform::iniReadString(ini, "S", "K", "", 255) == "12");
    }
    if (underWine())
        MESSAGE("Wine takes long paths without the prefix too; only Windows refuses them");
    // Cleared here: the C++ library's own file calls take no long paths.
    DeleteFileW((L"\\\\?\\" + f.wstring()).c_str());
    DeleteFileW((L"\\\\?\\" + ini.wstring()).c_str());
    for (fs::path d = deep; d != s.dir; d = d.parent_path())
        RemoveDirectoryW((L"\\\\?\\" + d.wstring()).c_str());
}

TEST_CASE("the prefixed form of long paths") {
    const std::wstring a100(100, L'a');
    const std::wstring longDrive = L"C:\\" + a100 + L"\\" + a100 + L"\\" + a100;
    CHECK(platform::systemPath(L"C:") == L"C:\\");
    CHECK(platform::systemPath(L"C:\\short\\name.txt") == L"C:\\short\\name.txt");
    CHECK(platform::systemPath(longDrive) == L"\\\\?\\" + longDrive);
    CHECK(platform::systemPath(L"C:/" + a100 + L"/" + a100 + L"/x/../" + a100) ==
          L"\\\\?\\C:\\" + a100 + L"\\" + a100 + L"\\" + a100);
    CHECK(platform::systemPath(L"\\\\server\\share\\" + a100 + L"\\" + a100 + L"\\" + a100) ==
          L"\\\\?\\UNC\\server\\share\\" + a100 + L"\\" + a100 + L"\\" + a100);
    CHECK(platform::systemPath(L"\\\\?\\" + longDrive) == L"\\\\?\\" + longDrive);
}

TEST_CASE("attributes, the search for one normal file, and lengths") {
    Scratch s;
    const fs::path plain = s.file(L"plain.txt", 4096);
    const fs::path hidden = s.file(L"hidden.txt", 10);
    const fs::path unicode = s.file(L"\u00e9t\u00e9 \u65e5\u672c.txt", 7);
    REQUIRE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    CHECK((*platform::fileAttributes(s.dir) & platform::AttrDirectory) != 0);
    CHECK((*platform::fileAttributes(hidden) & platform::AttrHidden) != 0);
    CHECK_FALSE(platform::fileAttributes(s.dir / L"missing").has_value());
    CHECK(platform::isNormalFile(plain));
    CHECK_FALSE(platform::isNormalFile(hidden));
    CHECK_FALSE(platform::isNormalFile(s.dir));
    CHECK(platform::normalFileLength(plain) == 4096);
    CHECK(platform::normalFileLength(unicode) == 7);
    CHECK(platform::normalFileLength(hidden) == -1);
    CHECK(platform::normalFileLength(s.dir) == -1);
}

TEST_CASE("the registry through ReadSetting") {
    const std::wstring keyPath =
        L"Software\\ChronodexTest\\" + std::to_wstring(GetCurrentProcessId());
    HKEY key = nullptr;
    REQUIRE(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) == ERROR_SUCCESS);
    auto setValue = [&](const wchar_t* name, DWORD type, const void* data, DWORD size) {
        REQUIRE(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) ==
                ERROR_SUCCESS);
    };
    const std::wstring text(300, L'x');
    setValue(L"Text", REG_SZ, text.c_str(), DWORD((text.size() + 1) * 2));
    const wchar_t multi[] = L"a\0bc\0";
    setValue(L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
    const wchar_t expand[] = L"%TEMP%\\x";
    setValue(L"Expand", REG_EXPAND_SZ, expand, sizeof(expand));
    const wchar_t twenty[] = L"12345678901234567890";
    setValue(L"Twenty", REG_SZ, twenty, sizeof(twenty));
    const unsigned char two[] = {0x01, 0x80};
    setValue(L"Short", REG_BINARY, two, 2);
    const DWORD dword = 42;
    setValue(L"Word", REG_DWORD, &dword, 4);
    const unsigned long long quad = 1000000000000ULL;
    setValue(L"Quad", REG_QWORD, &quad, 8);
    setValue(L"Empty", REG_SZ, nullptr, 0);
    RegCloseKey(key);

    const std::string k = "Software\\ChronodexTest\\" + std::to_string(GetCurrentProcessId());
    chronodex::SettingValue v;
    CHECK(chronodex::ReadSetting("HKCU", k, "Text", "S", std::string("d"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string(300, 'x')));
    CHECK(chronodex::ReadSetting("hkey_current_user", k, "Multi", "M", std::string("d"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string("a\0bc\0", 5)));
    CHECK(chronodex::ReadSetting("HKCU", k, "Expand", "E", std::string("d"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string("%TEMP%\\x")));
    CHECK(chronodex::ReadSetting("HKCU", k, "Empty", "S", std::string("d"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string("d")));
    CHECK(chronodex::ReadSetting("HKCU", k, "Short", "B", true, v) == 0);
    CHECK(v == chronodex::SettingValue(std::int16_t(-32767)));
    CHECK(chronodex::ReadSetting("HKCU", k, "Word", "D", true, v) == 0);
    CHECK(v == chronodex::SettingValue(std::int32_t(42)));
    CHECK(chronodex::ReadSetting("HKCU", k, "Quad", "q", true, v) == 0);
    CHECK(v == chronodex::SettingValue(std::int64_t(1000000000000LL)));
    CHECK(chronodex::ReadSetting("HKCU", k, "Twenty", "D", true, v) == 234);
    CHECK(v == chronodex::SettingValue(true));
    CHECK(chronodex::ReadSetting("HKCU", k, "Missing", "B", true, v) == 2);
    CHECK(v == chronodex::SettingValue(true));
    CHECK(chronodex::ReadSetting("HKCU", k + "\\Nothing", "Word", "D", true, v) == 2);
    CHECK(chronodex::ReadSetting("HKCU", k, "Word", "X", true, v) == 0);
    CHECK(v == chronodex::SettingValue(true));

    RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str());
}

TEST_CASE("INI files: texts cut to 254 characters, leading integers, defaults") {
    Scratch s;
    const fs::path ini = s.dir / L"settings.ini";
    std::ofstream(ini) << "[Settings]\nLong=" << std::string(300, 'y') << "\nNumber=42abc\n"
                       << "Quoted=\"in quotes\"\n";
    const std::string file = utf8(ini);
    chronodex::SettingValue v;
    CHECK(chronodex::ReadSetting(file, "settings", "LONG", "S", std::string("d"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string(254, 'y')));
    CHECK(chronodex::ReadSetting(file, "Settings", "Quoted", "S", std::string("d"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string("in quotes")));
    CHECK(chronodex::ReadSetting(file, "Settings", "Number", "D", true, v) == 0);
    CHECK(v == chronodex::SettingValue(std::int32_t(42)));
    CHECK(chronodex::ReadSetting(file, "Settings", "None", "S", std::string("fallback"), v) == 0);
    CHECK(v == chronodex::SettingValue(std::string("fallback")));
    CHECK(chronodex::ReadSetting(utf8(s.dir / L"missing.ini"), "S", "K", "S", std::string("d"),
                                 v) == 99);
}

TEST_CASE("the date-time value converts system times of every year it holds") {
    CHECK(chronodex::fromSystemTime(SystemTime{1601, 1, 1, 0, 0, 0}).has_value());
    CHECK_FALSE(chronodex::fromSystemTime(SystemTime{30000, 1, 1, 0, 0, 0}).has_value());
    CHECK(chronodex::BuildDate(2024, 4, 31, 0, 0, 0) == chronodex::DateTime{2024, 5, 1, 0, 0, 0});
}

TEST_CASE("the shell refuses a document that does not exist; the sound request returns") {
    CHECK(platform::shellExecute("C:\\no\\such\\Help.odt", "", 1) <= 32);
    platform::SoundPlayer player;
    CHECK(player.play("C:\\no\\such\\sound.wav", false));
    // No name plays the warning sound; whether it sounds, only a machine with sound tells.
    CHECK(player.play("", false));
}

TEST_CASE("the version resource names the product and its version") {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(self, &ignored);
    REQUIRE(size > 0);
    std::string block(size, '\0');
    REQUIRE(GetFileVersionInfoW(self, 0, size, block.data()));
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            return std::wstring();
        return std::wstring(text, length ? length - 1 : 0);
    };
    CHECK(value(L"ProductName") == L"Chronodex");
    CHECK(value(L"ProductVersion") == L"0.0.3");
    CHECK(value(L"FileDescription") ==
          L"Set/Edit the date and time a file was created, modified and last accessed.");
    CHECK(value(L"Comments").rfind(L"This version is not yet finished.", 0) == 0);
    CHECK(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 64, 64, 0) !=
          nullptr);
}

TEST_CASE("INI numbers: the rows the Linux stand-in is held to") {
    Scratch s;
    const fs::path ini = s.dir / L"numbers.ini";
    std::ofstream(ini, std::ios::binary) << platform::testing::iniIntFile();
    for (const auto& row : platform::testing::iniIntRows) {
        CAPTURE(row.key);
        CHECK(platform::iniReadInt(ini, "Numbers", row.key, platform::testing::iniFallback) ==
              row.expected);
    }
}

// Local time with the rules of each date, in the zone that TZ names: Wine takes its zone
// from TZ. CTest runs this once per zone (test_windows_localtime_*).
TEST_CASE("local time both ways by the rules of the date") {
    struct Row {
        SystemTime local;
        std::optional<SystemTime> utc; // empty: the local time does not exist
    };
    const char* tz = std::getenv("TZ");
    const std::string zone = tz ? tz : "";
    std::vector<Row> rows;
    if (zone == "America/New_York") {
        rows = {
            {{2026, 7, 1, 12, 0, 0}, SystemTime{2026, 7, 1, 16, 0, 0}},   // summer
            {{2026, 1, 15, 9, 5, 0}, SystemTime{2026, 1, 15, 14, 5, 0}},  // winter
            {{2026, 3, 8, 2, 30, 0}, std::nullopt},                       // skipped hour
            {{2026, 11, 1, 1, 30, 0}, SystemTime{2026, 11, 1, 5, 30, 0}}, // first of two
            {{2026, 11, 1, 2, 0, 0}, SystemTime{2026, 11, 1, 7, 0, 0}},   // after the repeat
            {{9999, 7, 1, 12, 0, 0}, SystemTime{9999, 7, 1, 16, 0, 0}},
            // Before 1601 the system converts nothing; the zone's earliest rules apply.
            {{1600, 12, 31, 19, 0, 0}, SystemTime{1601, 1, 1, 0, 0, 0}},
            {{1200, 1, 15, 9, 5, 0}, SystemTime{1200, 1, 15, 14, 5, 0}},
        };
    } else if (zone == "Europe/London") {
        rows = {
            {{2026, 7, 1, 12, 0, 0}, SystemTime{2026, 7, 1, 11, 0, 0}},
            {{2026, 12, 6, 12, 0, 0}, SystemTime{2026, 12, 6, 12, 0, 0}},
        };
    } else if (zone == "Australia/Adelaide") {
        rows = {
            {{2026, 1, 15, 12, 0, 0}, SystemTime{2026, 1, 15, 1, 30, 0}},
            {{2026, 7, 1, 12, 0, 0}, SystemTime{2026, 7, 1, 2, 30, 0}},
            {{2026, 10, 4, 2, 15, 0}, std::nullopt},
        };
    } else {
        MESSAGE("skipped: no rows for the zone \"" << zone
                                                   << "\"; CTest runs this with TZ set per zone");
        return;
    }
    for (const Row& row : rows) {
        CAPTURE(row.local.year);
        CAPTURE(row.local.month);
        CAPTURE(row.local.day);
        CAPTURE(row.local.hour);
        const auto result = platform::localToUtc(row.local);
        if (!row.utc) {
            CHECK_FALSE(result.utc);
            CHECK(result.skipped);
            continue;
        }
        REQUIRE(result.utc);
        CHECK_FALSE(result.skipped);
        CHECK(*result.utc == *row.utc);
        const auto back = platform::utcToLocal(*row.utc);
        REQUIRE(back);
        CHECK(*back == row.local);
    }
}
