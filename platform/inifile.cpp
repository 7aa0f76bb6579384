#include "platform/inifile.h"

#include "platform/regfile.h"

#include <sstream>

namespace platform {
namespace {

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The first `chars` characters of UTF-8 text.
std::string firstChars(const std::string& text, std::size_t chars) {
    std::size_t count = 0, i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == chars) break;
            ++count;
        }
    }
    return text.substr(0, i);
}

} // namespace

std::optional<std::string> iniValue(const std::string& text, const std::string& section,
                                    const std::string& key) {
    const std::string wantSection = asciiLower(trimmed(section));
    const std::string wantKey = asciiLower(trimmed(key));
    std::stringstream in(text);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            inSection = close != std::string::npos &&
                        asciiLower(trimmed(line.substr(1, close - 1))) == wantSection;
            continue;
        }
        if (!inSection) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || asciiLower(trimmed(line.substr(0, eq))) != wantKey) continue;
        return trimmed(line.substr(eq + 1));
    }
    return std::nullopt;
}

std::string iniString(std::optional<std::string> value, const std::string& fallback,
                      std::uint32_t capacity) {
    std::string text = value ? std::move(*value) : trimmed(fallback);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return capacity == 0 ? std::string() : firstChars(text, capacity - 1);
}

std::int32_t iniNumber(const std::string& text, std::int32_t fallback) {
    if (text.empty()) return fallback;
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        std::uint32_t digit = 36;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'Z')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'z')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<std::int32_t>(negative ? 0u - total : total);
}

} // namespace platform
