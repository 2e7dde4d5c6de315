// Integers as the settings and skin files hold them.
// Portable: no Windows calls.
#pragma once

#include <optional>
#include <string>

// The value of text when it is a decimal integer with an optional sign, or a
// hexadecimal one written with a leading "0x" (or "0X"); surrounding blanks
// are ignored. Anything else, and any value outside the range of int, gives
// fallback.
int ParseIntOr(const std::string& text, int fallback);

// The same without a fallback: nothing when text is no such integer.
std::optional<int> ParseInt(const std::string& text);
