// The Windows registry and INI functions, through their wide-character forms; texts are
// handed over in UTF-8, as the Linux stand-in does.
#include "platform/settings.h"

#include "wide.h"

namespace platform {
namespace {

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace

struct RegistryKey::Impl {
    HKEY key = nullptr;
};

RegistryKey::RegistryKey() : impl_(nullptr) {}
RegistryKey::~RegistryKey() {
    close();
}

// The 64-bit view first; a key that is not there is looked for in the 32-bit view, where a
// 32-bit installer writes below HKEY_LOCAL_MACHINE\SOFTWARE (WOW6432Node). Keys that both
// views share are the same in either.
std::int32_t RegistryKey::open(std::uint32_t root, const std::string& keyPath) {
    close();
    const auto rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root));
    const std::wstring path = widen(keyPath);
    HKEY key = nullptr;
    LONG status = ERROR_FILE_NOT_FOUND;
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        status = RegOpenKeyExW(rootKey, path.c_str(), 0, KEY_QUERY_VALUE | view, &key);
        if (status != ERROR_FILE_NOT_FOUND) break;
    }
    if (status != ERROR_SUCCESS) return status;
    impl_ = new Impl{key};
    return StatusOk;
}

std::int32_t RegistryKey::query(const std::string& valueName, std::vector<std::uint8_t>& data,
                                std::uint32_t capacity, std::uint32_t& size) {
    if (!impl_) return ERROR_INVALID_HANDLE;
    const std::wstring name = widen(valueName);
    DWORD type = 0, bytes = 0;
    LONG status = RegQueryValueExW(impl_->key, name.c_str(), nullptr, &type, nullptr, &bytes);
    if (status != ERROR_SUCCESS) return status;
    std::vector<std::uint8_t> raw(bytes);
    status = RegQueryValueExW(impl_->key, name.c_str(), nullptr, &type, raw.data(), &bytes);
    if (status != ERROR_SUCCESS) return status;
    raw.resize(bytes);
    if (isText(type)) {
        // The ANSI view: the UTF-16 data as 8-bit text, zeros kept one byte each.
        const std::string text =
            narrow(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / 2);
        raw.assign(text.begin(), text.end());
    }
    size = static_cast<std::uint32_t>(raw.size());
    if (capacity < size) return StatusMoreData;
    data = std::move(raw);
    return StatusOk;
}

std::int32_t RegistryKey::close() {
    LONG status = StatusOk;
    if (impl_) {
        status = RegCloseKey(impl_->key);
        delete impl_;
        impl_ = nullptr;
    }
    return status;
}

std::filesystem::path registryFileFor(std::uint32_t) {
    return {};
}

std::string iniReadString(const std::filesystem::path& file, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::uint32_t capacity) {
    std::wstring buffer(capacity, L'\0');
    const DWORD n = GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(),
                                             widen(fallback).c_str(), buffer.data(), capacity,
                                             systemPath(file).c_str());
    return narrow(buffer.data(), n);
}

std::int32_t iniReadInt(const std::filesystem::path& file, const std::string& section,
                        const std::string& key, std::int32_t fallback) {
    return static_cast<std::int32_t>(GetPrivateProfileIntW(
        widen(section).c_str(), widen(key).c_str(), fallback, systemPath(file).c_str()));
}

} // namespace platform
