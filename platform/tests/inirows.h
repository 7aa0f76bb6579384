// INI numbers as GetPrivateProfileInt gives them. The Linux stand-in's tests and the Windows
// tests read the same file through the same rows, so both systems give the same numbers.
#pragma once

#include <cstdint>
#include <string>

namespace platform::testing {

struct IniIntRow {
    const char* key;
    const char* text; // as written after "=" (nullptr: the key is not in the file)
    std::int32_t expected;
};

inline constexpr std::int32_t iniFallback = 7;

inline constexpr IniIntRow iniIntRows[] = {
    {"Plain", "42", 42},
    {"TrailingText", "42abc", 42},
    {"Negative", "-7", -7},
    {"Plus", "+12", 12},
    {"Hex", "0x10", 16},
    {"HexLetters", "0x1fZ", 31},
    {"HexCapitalX", "0X10", 0},
    {"Octal", "0o17", 15},
    {"Binary", "0b1012", 5},
    {"LeadingZero", "010", 10},
    {"NegativeHex", "-0x10", -16},
    {"Quoted", "\"25\"", 25},
    {"Blanks", "   33   ", 33},
    {"BlankAfterSign", "- 5", 0},
    {"Word", "hello", 0},
    {"Empty", "", iniFallback},
    {"Missing", nullptr, iniFallback},
    {"Wraps", "4294967297", 1},
    {"Unsigned", "3000000000", -1294967296},
    {"LongText", "000000000000000000000000000042", 4}, // read into 30 characters: 29 digits
};

// The file the rows are read from, section [Numbers].
inline std::string iniIntFile() {
    std::string text = "[Other]\nPlain=1\n[Numbers]\n";
    for (const IniIntRow& row : iniIntRows)
        if (row.text) text += std::string(row.key) + "=" + row.text + "\n";
    return text;
}

} // namespace platform::testing
