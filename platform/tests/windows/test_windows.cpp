// The Windows implementation on real files, the real registry and INI files: the calls the
// program makes on Windows, run here under Wine. Wine keeps no creation times; that one
// check is skipped there, with the reason.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>

#include "datetime.h"
#include "readsetting.h"

#include "platform/files.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/sound.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

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
    Scratch() {
        dir = fs::temp_directory_path() /
              ("chronodex-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir);
    }
    ~Scratch() {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(dir, ec))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
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

TEST_CASE("access and modification stamps written through Win32 read back exactly") {
    Scratch s;
    const fs::path f = s.file(L"stamps.txt");
    CHECK(platform::writeFileTimes(f, std::nullopt, a, b));
    const auto t = platform::readFileTimes(f);
    REQUIRE(t.opened);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == b);
}

TEST_CASE("a stamp that is not given stays as it was") {
    Scratch s;
    const fs::path f = s.file(L"keep.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, b));
    CHECK(platform::writeFileTimes(f, std::nullopt, std::nullopt, c));
    const auto t = platform::readFileTimes(f);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == c);
}

TEST_CASE("creation stamp") {
    if (underWine()) {
        MESSAGE("skipped: Wine keeps no creation times (it reports the modification time)");
        return;
    }
    Scratch s;
    const fs::path f = s.file(L"born.txt");
    CHECK(platform::writeFileTimes(f, c, std::nullopt, std::nullopt));
    CHECK(*platform::readFileTimes(f).created == c);
}

TEST_CASE("a read-only file is refused by the reader and keeps its stamps") {
    Scratch s;
    const fs::path f = s.file(L"ro.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a));
    REQUIRE(SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY));
    CHECK_FALSE(platform::readFileTimes(f).opened);
    CHECK_FALSE(platform::writeFileTimes(f, std::nullopt, b, b));
    SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
    const auto t = platform::readFileTimes(f);
    CHECK(*t.accessed == a);
    CHECK(*t.modified == a);
}

TEST_CASE("a directory is refused by the reader; its creation time is read") {
    Scratch s;
    CHECK_FALSE(platform::readFileTimes(s.dir).opened);
    CHECK(platform::directoryCreated(s.dir).has_value());
    CHECK_FALSE(platform::directoryCreated(s.dir / L"missing").has_value());
}

TEST_CASE("a year before 1601 cannot be written and changes nothing") {
    Scratch s;
    const fs::path f = s.file(L"old.txt");
    REQUIRE(platform::writeFileTimes(f, std::nullopt, a, a));
    SYSTEMTIME st{};
    st.wYear = 1600;
    st.wMonth = 1;
    st.wDay = 1;
    FILETIME ft{};
    CHECK_FALSE(SystemTimeToFileTime(&st, &ft));
    CHECK_FALSE(
        platform::writeFileTimes(f, std::nullopt, std::nullopt, SystemTime{1600, 1, 1, 0, 0, 0}));
    CHECK(*platform::readFileTimes(f).modified == a);
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
