// How this system names files, and the program's text for such names. Windows names are
// UTF-16 text. POSIX names are bytes that need not be UTF-8: bytes that are not UTF-8 travel
// in the program's text as the lone surrogates U+DC80 to U+DCFF, one per byte, so that every
// name goes back to the system exactly as the system gave it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// True where names are bytes (POSIX), false where they are UTF-16 text (Windows).
bool namesAreBytes();

// The path the system knows for the program's text of a name.
std::filesystem::path pathOf(std::u16string_view text);

// The same path as the system's own string (bytes on POSIX, wide text on Windows), without
// the parts std::filesystem::path splits it into: for calls made once per entry of a list.
using NativePath = std::filesystem::path::string_type;
NativePath nativePathOf(std::u16string_view text);

// The program's text of a name given as bytes, and those bytes back (used where names are
// bytes; any text round-trips through them unchanged).
std::u16string textOfBytes(std::string_view bytes);
std::string bytesOfText(std::u16string_view text);

// The program's text of each of main's arguments, exactly as the system gave it: where names
// are bytes, argv's bytes; on Windows the wide text of the command line that argv was made
// from (argv holds it in the ANSI code page, which cannot hold every name).
std::vector<std::u16string> argumentTexts(int argc, char* argv[]);

// Appends the UTF-8 bytes of one code point.
void appendUtf8(std::string& out, char32_t cp);

// True for a character of the text that stands for a byte which is not UTF-8 (the second
// half of a character beyond 16 bits excluded: the caller skips whole pairs).
constexpr bool isEscapedByte(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

} // namespace platform
