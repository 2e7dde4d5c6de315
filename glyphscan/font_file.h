// The program's font reader: what a font file is and the names of each of its
// faces, for every format Windows installs: TrueType (sfnt 1.0), OpenType with
// CFF outlines ("OTTO"), collections ("ttcf", versions 1 and 2) and bitmap fonts
// (".fon": an NE executable with font resources). Files tagged "true" are not
// read: Windows cannot load them.
// Portable: the texts come as they are stored, either 8-bit text in the ANSI
// code page or UTF-16; the Windows side (font_file_win.h) turns them into UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nq::fontfile {

enum class FontFormat {
    kTrueType,    // sfnt version 1.0
    kOpenTypeCff, // "OTTO": CFF outlines
    kCollection,  // "ttcf": one or more faces, TrueType or CFF (".ttc", ".otc")
    kBitmap,      // ".fon": bitmap font resources in an NE executable
};

enum class TextEncoding {
    kAnsi,  // 8-bit bytes, to be read in the ANSI code page
    kUtf16, // UTF-16 code units
};

// One naming string as stored: Ansi when Encoding is kAnsi, else Utf16.
struct FontText {
    TextEncoding Encoding = TextEncoding::kAnsi;
    std::string Ansi;
    std::u16string Utf16;

    bool Empty() const { return Encoding == TextEncoding::kAnsi ? Ansi.empty() : Utf16.empty(); }
    bool operator==(const FontText& other) const {
        return Encoding == other.Encoding && Ansi == other.Ansi && Utf16 == other.Utf16;
    }
};

// A size a bitmap face holds.
struct BitmapSize {
    int Points = 0;      // nominal point size
    int PixelHeight = 0; // character cell height in pixels
};

struct FontFace {
    FontText FullName;  // name ID 4; the family when the font has none
    FontText Copyright; // name ID 0
    FontText Trademark; // name ID 7
    FontText Family;    // name ID 1; never empty
    bool CffOutlines = false;
    std::vector<BitmapSize> BitmapSizes; // bitmap faces only, in resource order
};

struct FontFileInfo {
    FontFormat Format = FontFormat::kTrueType;
    std::vector<FontFace> Faces; // at least one
};

// A file with more faces than this, or a bitmap font with more font resources
// than kMaxFontResources, is taken as corrupt.
constexpr std::uint32_t kMaxFaces = 1024;
constexpr std::uint32_t kMaxFontResources = 4096;

// Reads the font image [data, data + size); its first bytes decide the format,
// not the file's name. Nothing when the image is no font file of the formats
// above, or when any header, directory or naming table it needs is corrupt or
// lies outside the image, or a face has no family name. Never reads outside
// the image.
//
// For an sfnt face the names are chosen exactly as glyphscan's GetFontProps
// chooses them (the 8-bit rule, then the Windows Unicode records when it finds
// no family), and the texts are cut at the same 1023 bytes or code units. Unlike
// GetFontProps, a chosen record stored as UTF-16 keeps its text as UTF-16.
//
// A bitmap font gives one face per distinct face name of its font resources
// (the font directory's names when it has no readable font resource), in
// resource order, each with the copyright of its first resource as its
// copyright and the face name as its full name and family.
std::optional<FontFileInfo> ReadFontImage(const unsigned char* data, std::size_t size);

} // namespace nq::fontfile
