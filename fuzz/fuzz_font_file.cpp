// Arbitrary bytes into the program's font reader. Besides the sanitizers'
// checks, it traps when a result breaks the reader's promises.
#include "font_file.h"
#include "sfnt_core.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace nq::fontfile;

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

void RequireText(const FontText& text) {
    Require(text.Encoding == TextEncoding::kAnsi ? text.Utf16.empty() : text.Ansi.empty());
    Require(text.Ansi.size() <= glyphscan::kMaxText && text.Utf16.size() <= glyphscan::kMaxText);
    for (char c : text.Ansi)
        Require(c != 0);
    for (char16_t unit : text.Utf16)
        Require(unit != 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<FontFileInfo> info = ReadFontImage(data, size);
    if (!info)
        return 0;
    Require(!info->Faces.empty() && info->Faces.size() <= kMaxFaces);
    Require(info->Format == FontFormat::kCollection || info->Format == FontFormat::kBitmap ||
            info->Faces.size() == 1);
    for (const FontFace& face : info->Faces) {
        for (const FontText* text :
             {&face.FullName, &face.Copyright, &face.Trademark, &face.Family})
            RequireText(*text);
        Require(!face.Family.Empty() && !face.FullName.Empty());
        Require(face.CffOutlines == (info->Format == FontFormat::kOpenTypeCff) ||
                info->Format == FontFormat::kCollection);
        Require(face.BitmapSizes.empty() != (info->Format == FontFormat::kBitmap));
    }
    return 0;
}
