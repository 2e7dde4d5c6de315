// How a font registry value is named and how it names a font file. Portable:
// no Windows calls.
#pragma once

#include "font_descr.h"

#include <string>

// The name of a font's registry value: Name + " (OpenType)" for a file of CFF
// outlines, as Windows names them, else Name + " (TrueType)" (TrueType files,
// TrueType collections and bitmap fonts).
std::string FontValueName(const FontDescr& record);
// The name with the other of the two suffixes. Windows and other installers
// do not always choose as FontValueName does; a value of either name that
// names the font's file registers it.
std::string OtherFontValueName(const FontDescr& record);

// The file a font registry value names. Windows registers its own fonts with
// a bare file name, which lies in the fonts root; a value whose third
// character is a backslash ("C:\...") or that starts with two ("\\server\...")
// is a full path already. Empty stays empty.
std::string RegisteredFontPath(const std::string& value, const std::string& fontsRoot);

// Whether value names the file path (A-Z compared without regard to case). A
// missing value names nothing, not even an empty path.
bool ValueNamesFile(const std::string& value, const std::string& path,
                    const std::string& fontsRoot);
