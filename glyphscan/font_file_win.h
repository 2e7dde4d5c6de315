// The program's font reader on Windows: reading a font file by its UTF-16 or
// UTF-8 path, and its names as UTF-8, the program's text for names and paths.
#pragma once

#include "font_file.h"
#include "font_naming.h"

#include <optional>
#include <string>

namespace nq::fontfile {

// Maps the file read-only (others may read it meanwhile) and reads it with
// ReadFontImage; nothing when it cannot be opened or mapped, is empty or 4 GiB
// or larger, or is no font file. The view, mapping and file are released
// before it returns.
std::optional<FontFileInfo> ReadFontFile(const std::wstring& path);
std::optional<FontFileInfo> ReadFontFile(const std::string& utf8Path);

// The text as UTF-8: 8-bit text read in the ANSI code page, UTF-16 as it is.
std::string ToUtf8(const FontText& text);

// A face's four names as UTF-8.
struct FaceNames {
    std::string FullName, Copyright, Trademark, Family;
};
FaceNames FaceNamesUtf8(const FontFace& face);

// The file's display name as UTF-8: its faces' full names joined with " & ".
std::string DisplayName(const FontFileInfo& info);

} // namespace nq::fontfile
