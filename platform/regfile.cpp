#include "platform/regfile.h"

#include "platform/names.h"

#include <optional>
#include <sstream>

namespace platform {
namespace {

// UTF-16LE bytes to UTF-8; an odd last byte and unpaired surrogates are dropped.
std::string utf16leToUtf8(const std::uint8_t* p, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        std::uint32_t u = p[i] | (p[i + 1] << 8);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < n) {
            const std::uint32_t low = p[i + 2] | (p[i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u < 0xE000) continue;
        appendUtf8(out, u);
    }
    return out;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A quoted text at `pos` with \\ and \" escapes; `pos` moves past the closing quote.
std::optional<std::string> quoted(const std::string& line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '\\' && pos + 1 < line.size()) {
            out += line[++pos];
        } else if (c == '"') {
            ++pos;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> hexBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        item = trim(item);
        if (item.empty()) continue;
        if (item.size() > 2) return std::nullopt;
        std::size_t used = 0;
        unsigned long v = 0;
        try {
            v = std::stoul(item, &used, 16);
        } catch (...) {
            return std::nullopt;
        }
        if (used != item.size()) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

std::optional<RegValue> valueData(const std::string& text, bool unicode) {
    RegValue v;
    if (!text.empty() && text[0] == '"') {
        std::size_t pos = 0;
        const auto s = quoted(text, pos);
        if (!s || !trim(text.substr(pos)).empty()) return std::nullopt;
        v.type = 1;
        v.data.assign(s->begin(), s->end());
        v.data.push_back(0);
        return v;
    }
    const std::string lower = asciiLower(text);
    if (lower.rfind("dword:", 0) == 0) {
        const std::string digits = trim(text.substr(6));
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return std::nullopt;
        const auto n = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
        v.type = 4;
        for (int i = 0; i < 4; ++i)
            v.data.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
        return v;
    }
    std::string body;
    if (lower.rfind("hex:", 0) == 0) {
        v.type = 3;
        body = text.substr(4);
    } else if (lower.rfind("hex(", 0) == 0) {
        const auto close = text.find("):");
        if (close == std::string::npos) return std::nullopt;
        try {
            v.type = static_cast<std::uint32_t>(std::stoul(text.substr(4, close - 4), nullptr, 16));
        } catch (...) {
            return std::nullopt;
        }
        body = text.substr(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = hexBytes(body);
    if (!bytes) return std::nullopt;
    // Text kinds are stored in UTF-16 by version 5 files; the ANSI view hands them over
    // as 8-bit text.
    if (unicode && (v.type == 1 || v.type == 2 || v.type == 7)) {
        const std::string text8 = utf16leToUtf8(bytes->data(), bytes->size());
        v.data.assign(text8.begin(), text8.end());
    } else {
        v.data = std::move(*bytes);
    }
    return v;
}

} // namespace

std::string asciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

RegTree parseRegFile(const std::string& raw, const std::string& rootName) {
    std::string text;
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
        static_cast<unsigned char>(raw[1]) == 0xFE)
        text = utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(raw.data()) + 2, raw.size() - 2);
    else if (raw.rfind("\xEF\xBB\xBF", 0) == 0)
        text = raw.substr(3);
    else
        text = raw;

    // Logical lines: a value line ending in "\" goes on on the next one.
    std::vector<std::string> lines;
    {
        std::stringstream in(text);
        std::string line, pending;
        while (std::getline(in, line)) {
            line = trim(line);
            if (!line.empty() && line.back() == '\\' && line.front() != '[') {
                pending += line.substr(0, line.size() - 1);
                continue;
            }
            lines.push_back(pending + line);
            pending.clear();
        }
        if (!pending.empty()) lines.push_back(pending);
    }

    RegTree tree;
    std::size_t first = 0;
    while (first < lines.size() && lines[first].empty())
        ++first;
    if (first == lines.size()) return tree;
    const bool unicode = lines[first] == "Windows Registry Editor Version 5.00";
    if (!unicode && lines[first] != "REGEDIT4") return tree;

    const std::string root = asciiLower(rootName);
    RegKey* current = nullptr;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            current = nullptr;
            if (line.back() != ']' || line.size() < 3 || line[1] == '-') continue;
            std::string path = asciiLower(line.substr(1, line.size() - 2));
            const auto slash = path.find('\\');
            const std::string head = path.substr(0, slash);
            if (head != root) continue;
            path = slash == std::string::npos ? std::string() : path.substr(slash + 1);
            while (!path.empty() && path.back() == '\\')
                path.pop_back();
            current = &tree[path];
            continue;
        }
        if (!current) continue;
        std::size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else {
            const auto q = quoted(line, pos);
            if (!q) continue;
            name = *q;
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos >= line.size() || line[pos] != '=') continue;
        const std::string data = trim(line.substr(pos + 1));
        if (data == "-") continue; // a deletion, which a read-only view has nothing to do with
        if (auto value = valueData(data, unicode))
            current->values[asciiLower(name)] = std::move(*value);
    }
    return tree;
}

} // namespace platform
