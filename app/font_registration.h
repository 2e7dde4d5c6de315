// How a font registry value names a font file. Portable: no Windows calls.
#pragma once

#include <string>

// The file a font registry value names. Windows registers its own fonts with
// a bare file name, which lies in the fonts root; a value whose third
// character is a backslash ("C:\...") or that starts with two ("\\server\...")
// is a full path already. Empty stays empty.
std::string RegisteredFontPath(const std::string& value, const std::string& fontsRoot);

// Whether value names the file path (A-Z compared without regard to case). A
// missing value names nothing, not even an empty path.
bool ValueNamesFile(const std::string& value, const std::string& path,
                    const std::string& fontsRoot);
