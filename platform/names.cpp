#include "platform/names.h"

namespace platform {
namespace {

constexpr char16_t EscapeBase = 0xDC00; // byte b travels as U+DC00 + b (b is 0x80 or more)

// The length of the well-formed UTF-8 sequence at `i`, and its code point; 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF included).
int utf8Sequence(std::string_view s, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    int len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + static_cast<std::size_t>(len) > s.size()) return 0;
    for (int k = 1; k < len; ++k) {
        const unsigned char b = byte(i + static_cast<std::size_t>(k));
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

bool isHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::u16string textOfBytes(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const int len = utf8Sequence(bytes, i, cp);
        if (len == 0) {
            out += static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[i]));
            ++i;
            continue;
        }
        if (cp > 0xFFFF) {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(len);
    }
    return out;
}

std::filesystem::path pathOf(std::u16string_view text) {
    return std::filesystem::path(nativePathOf(text));
}

std::string bytesOfText(std::u16string_view text) {
    // Most names are ASCII throughout: they are copied as they stand, one byte a character,
    // in one loop without a branch a character, which the compiler runs many characters a
    // step. Others are ASCII up to a point: that part is kept, and the rest taken apart.
    std::string out(text.size(), '\0');
    char* to = out.data();
    const char16_t* from = text.data();
    char16_t bits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bits |= from[i];
        to[i] = static_cast<char>(from[i]);
    }
    if (bits < 0x80) return out;
    std::size_t ascii = 0;
    while (text[ascii] < 0x80)
        ++ascii;
    out.resize(ascii);
    out.reserve(text.size() + (text.size() - ascii) * 2);
    for (std::size_t i = ascii; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHigh(c) && i + 1 < text.size() && isLow(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (isEscapedByte(c)) {
            out += static_cast<char>(c - EscapeBase);
        } else if (isHigh(c) || isLow(c)) {
            appendUtf8(out, 0xFFFD); // a lone surrogate that stands for no byte
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

} // namespace platform
