// The Windows profile (INI file) functions with UTF-8 paths, keys and values.
//
// An INI file stays in the ANSI code page, byte for byte as the ANSI profile
// functions write it, as long as everything written into it can be spelled
// there. The first value that cannot turns the whole file into UTF-16 with a
// byte order mark, the Unicode form the profile functions of every Windows
// read and write (the ANSI ones included), and it stays so from then on.
#pragma once

// Also where the windows.h macro of this name renames both sides alike.
#include <windows.h>

#include <string>

namespace nq {

// The value of key in section of the INI file path, or fallback when the file,
// the section or the key is missing. Values of any length are read whole.
std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                              const std::string& fallback);

// Writes key=value into section of the INI file path, creating the file and
// the section when needed; false when the file could not be written.
bool WriteProfileString(const std::string& path, const char* section, const char* key,
                        const std::string& value);

} // namespace nq
