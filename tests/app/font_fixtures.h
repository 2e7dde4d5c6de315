// Font files of every format the program lists, built by the tests: OpenType
// CFF, collections, bitmap fonts and a TrueType font whose only names are
// Windows-platform Japanese ones. Their tables hold names, not glyphs: they are
// for listing, naming and registering; the preview tests take real fonts.
#pragma once

#include "font_builder.h"

#include <string>

namespace fixtures {

using fontbuild::Bytes;

// 明朝体, 明朝体 太字 and 明朝体テスト.ttf in UTF-8 and UTF-16.
inline const std::string kMinchoUtf8 = "\xE6\x98\x8E\xE6\x9C\x9D\xE4\xBD\x93";
inline const std::string kMinchoBoldUtf8 = kMinchoUtf8 + " \xE5\xA4\xAA\xE5\xAD\x97";
inline const std::string kJapaneseFileUtf8 =
    kMinchoUtf8 + "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.ttf";
inline const std::u16string kMincho = u"\u660E\u671D\u4F53";
inline const std::u16string kMinchoBold = u"\u660E\u671D\u4F53 \u592A\u5B57";

// A TrueType font with Macintosh names: full name, family, copyright, trademark.
inline Bytes TrueTypeFont(const std::string& family, const std::string& fullName) {
    return fontbuild::FontWithNames(
        fontbuild::MacNames("(c) " + family, family, fullName, family + " is a trademark"));
}

// An OpenType font with CFF outlines ("OTTO").
inline Bytes OpenTypeFont(const std::string& family, const std::string& fullName) {
    return fontbuild::OpenTypeCffWithNames(
        fontbuild::MacNames("(c) " + family, family, fullName, family + " is a trademark"));
}

// A collection of two faces, both with CFF outlines or both TrueType.
inline Bytes TwoFaceCollection(const std::string& first, const std::string& second, bool cff) {
    fontbuild::Collection collection;
    for (const std::string& name : {first, second})
        collection.faces.push_back(fontbuild::FaceWithNames(
            fontbuild::MacNames("(c) " + name, name, name, name + " is a trademark"), cff));
    return fontbuild::BuildCollection(collection);
}

// A bitmap font (".fon") of one face at 10 and 12 points.
inline Bytes BitmapFont(const std::string& face) {
    fontbuild::BitmapFontFile file;
    file.fonts = {{face, "(c) " + face, 10, 13, {}}, {face, "(c) " + face, 12, 16, {}}};
    return fontbuild::BuildBitmapFontFile(file);
}

// A TrueType font whose only names are Windows-platform Japanese ones, as many
// CJK fonts are: glyphscan copies their UTF-16 bytes as if they were 8-bit
// text, the program keeps them.
inline Bytes JapaneseOnlyFont() {
    return fontbuild::FontWithNames(
        {fontbuild::WindowsName(fontbuild::kFamilyId, kMincho, 0x411),
         fontbuild::WindowsName(fontbuild::kFullNameId, kMinchoBold, 0x411)});
}

} // namespace fixtures
