// How a font file is named where Windows lists it: the display name of a file
// with several faces and the suffix of its value in the fonts registry key.
#pragma once

#include "font_file.h"

#include <string>
#include <vector>

namespace nq::fontfile {

inline constexpr char kTrueTypeSuffix[] = " (TrueType)";
inline constexpr char kOpenTypeSuffix[] = " (OpenType)";

// A file's display name from its faces' full names, in face order: a
// collection's is every name joined with " & " ("Cambria & Cambria Math").
std::string JoinFaceNames(const std::vector<std::string>& full_names);

// The registry value's suffix: " (OpenType)" for CFF outlines (an OpenType CFF
// file, or a collection whose faces all have CFF outlines), else " (TrueType)",
// which TrueType files, TrueType collections and bitmap fonts share.
const char* RegistrySuffix(const FontFileInfo& info);

} // namespace nq::fontfile
