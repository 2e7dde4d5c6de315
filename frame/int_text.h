// Integers as the settings and skin files hold them.
// Portable: no Windows calls.
#pragma once

#include <optional>
#include <string>

// Which marks introduce a hexadecimal integer besides plain decimal digits.
enum class HexMarks {
    ZeroX,        // "0x" or "0X": the settings file
    ZeroXOrDollar // also "$": a skin's "values.ini"
};

// The value of text when it is a decimal integer with an optional sign, or a
// hexadecimal one written with one of marks after the sign; surrounding
// blanks are ignored. Nothing for anything else, and for any value outside
// the range of int.
std::optional<int> ParseInt(const std::string& text, HexMarks marks = HexMarks::ZeroX);

// The same with a fallback in place of nothing ("0x" marks only).
int ParseIntOr(const std::string& text, int fallback);
