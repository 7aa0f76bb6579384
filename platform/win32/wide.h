// UTF-8 and UTF-16 at the edge of the wide-character Windows functions.
#pragma once

#include "platform/files.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace platform {

inline std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

inline std::string narrow(const wchar_t* text, std::size_t length) {
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// The form of a path that every Win32 file call is given.
// - A bare drive ("C:") means that drive's current folder to the system, which this program
//   never means: it is taken as the drive's root, C:\ .
// - A path that reaches the classic length limit (MAX_PATH, less the 12 characters a
//   folder's name must leave) gets the \\?\ prefix (\\?\UNC\ for a share), which lifts
//   the limit. Such a path is taken as it stands, so it is made absolute and normal first
//   (the wide GetFullPathNameW takes long paths).
inline std::wstring systemPath(const std::wstring& p) {
    if (p.size() == 2 && p[1] == L':') return p + L'\\';
    if (p.size() < MAX_PATH - 12 || p.rfind(L"\\\\?\\", 0) == 0 || p.rfind(L"\\\\.\\", 0) == 0)
        return p;
    const DWORD need = GetFullPathNameW(p.c_str(), 0, nullptr, nullptr);
    if (need == 0) return p;
    std::wstring full(need, L'\0');
    const DWORD length = GetFullPathNameW(p.c_str(), need, full.data(), nullptr);
    if (length == 0 || length >= need) return p;
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return p;
}

// The system's own text for an error code, without its closing line break.
inline std::string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    if (text) LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    if (message.empty()) return "Error " + std::to_string(error);
    return narrow(message.data(), message.size());
}

// A handle that is closed when the operation that opened it ends.
class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

  private:
    HANDLE h_;
};

// A date-time as Windows hands it over and takes it, without the day of the week and the
// milliseconds.
inline SystemTime fromSystemTimeStruct(const SYSTEMTIME& st) {
    return SystemTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}
inline SYSTEMTIME toSystemTimeStruct(const SystemTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

} // namespace platform
