#include "fon_reader.h"

#include <cstring>

// Bounds: as in the sfnt core, positions are 64-bit and checked before a read. A
// resource is cut at the end of the image, and a face name at the end of its
// resource; a face name that starts outside its resource counts as missing.

namespace nq::fontfile {
namespace {

using glyphscan::Image;

constexpr std::uint64_t kMzHeaderSize = 64;
constexpr std::uint64_t kNewHeaderOffsetAt = 0x3C; // e_lfanew
constexpr std::uint64_t kNeHeaderSize = 64;
constexpr std::uint64_t kResourceTableAt = 0x24; // in the NE header, from its start
constexpr std::uint64_t kTypeInfoSize = 8;
constexpr std::uint64_t kNameInfoSize = 12;
constexpr std::uint16_t kTypeFontDirectory = 0x8007; // RT_FONTDIR
constexpr std::uint16_t kTypeFont = 0x8008;          // RT_FONT
// Shifts past this would move a 16-bit offset beyond any file of 4 GiB.
constexpr std::uint16_t kMaxAlignShift = 16;

// The font header's fields, from the start of the header.
constexpr std::uint64_t kCopyrightAt = 6;
constexpr std::uint64_t kCopyrightSize = 60;
constexpr std::uint64_t kPointsAt = 68;
constexpr std::uint64_t kPixelHeightAt = 88;
constexpr std::uint64_t kFaceAt = 105; // dfFace: offset of the face name in the resource
constexpr std::uint64_t kDirectoryEntryHeaderSize = 113; // dfVersion to dfReserved

// A zero-terminated text inside [at, end), cut at end and at the slot's length.
std::string TextAt(const Image& image, std::uint64_t at, std::uint64_t end) {
    const std::size_t available = at < end ? image.Available(at, end - at) : 0;
    if (available == 0)
        return {};
    const unsigned char* text = image.At(at);
    const void* zero = std::memchr(text, 0, available);
    std::size_t length =
        zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - text) : available;
    if (length > glyphscan::kMaxText)
        length = glyphscan::kMaxText;
    return std::string(reinterpret_cast<const char*>(text), length);
}

FontText Ansi(std::string text) {
    FontText result;
    result.Ansi = std::move(text);
    return result;
}

// Adds a size to the face of that name, or a new face; false when that makes
// more faces than a font file may have.
bool AddFace(FontFileInfo& info, const std::string& face_name, const std::string& copyright,
             BitmapSize size) {
    if (face_name.empty())
        return true;
    for (FontFace& face : info.Faces)
        if (face.Family.Ansi == face_name) {
            face.BitmapSizes.push_back(size);
            return true;
        }
    if (info.Faces.size() >= kMaxFaces)
        return false;
    FontFace face;
    face.Family = Ansi(face_name);
    face.FullName = face.Family;
    face.Copyright = Ansi(copyright);
    face.BitmapSizes.push_back(size);
    info.Faces.push_back(std::move(face));
    return true;
}

BitmapSize SizeAt(const Image& image, std::uint64_t header) {
    return {image.U16Le(header + kPointsAt), image.U16Le(header + kPixelHeightAt)};
}

// One RT_FONT resource of length bytes at offset; false when it makes too many faces.
bool ReadFontResource(const Image& image, std::uint64_t offset, std::uint64_t length,
                      FontFileInfo& info) {
    if (length < kFaceAt + 4 || !image.Holds(offset, kFaceAt + 4))
        return true;
    const std::uint64_t end = offset + length;
    const std::uint32_t face_at = image.U32Le(offset + kFaceAt);
    if (face_at >= length)
        return true;
    return AddFace(info, TextAt(image, offset + face_at, end),
                   TextAt(image, offset + kCopyrightAt, offset + kCopyrightAt + kCopyrightSize),
                   SizeAt(image, offset));
}

// The font directory: a count, then per font its ordinal, its header up to
// dfReserved, the device name and the face name. False when it makes too many faces.
bool ReadFontDirectory(const Image& image, std::uint64_t offset, std::uint64_t length,
                       FontFileInfo& info) {
    const std::uint64_t end = offset + length;
    if (length < 2 || !image.Holds(offset, 2))
        return true;
    const std::uint16_t count = image.U16Le(offset);
    std::uint64_t at = offset + 2;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint64_t header = at + 2;
        const std::uint64_t strings = header + kDirectoryEntryHeaderSize;
        if (strings > end || !image.Holds(at, strings - at))
            return true;
        const std::string device = TextAt(image, strings, end);
        const std::uint64_t face_at = strings + device.size() + 1;
        if (face_at >= end || !image.Holds(face_at, 1))
            return true;
        const std::string face = TextAt(image, face_at, end);
        if (!AddFace(info, face,
                     TextAt(image, header + kCopyrightAt, header + kCopyrightAt + kCopyrightSize),
                     SizeAt(image, header)))
            return false;
        at = face_at + face.size() + 1;
    }
    return true;
}

} // namespace

std::optional<FontFileInfo> ReadBitmapFont(const Image& image) {
    if (!image.Holds(0, kMzHeaderSize) || image.At(0)[0] != 'M' || image.At(0)[1] != 'Z')
        return std::nullopt;
    const std::uint64_t ne = image.U32Le(kNewHeaderOffsetAt);
    if (!image.Holds(ne, kNeHeaderSize) || image.At(ne)[0] != 'N' || image.At(ne)[1] != 'E')
        return std::nullopt;
    const std::uint64_t table = ne + image.U16Le(ne + kResourceTableAt);
    if (!image.Holds(table, 2))
        return std::nullopt;
    const std::uint16_t shift = image.U16Le(table);
    if (shift > kMaxAlignShift)
        return std::nullopt;

    FontFileInfo fonts, directory;
    fonts.Format = directory.Format = FontFormat::kBitmap;
    std::uint32_t font_resources = 0;
    // Each type entry moves on by at least its own size, so the walk ends at
    // the end of the image at the latest.
    for (std::uint64_t at = table + 2;;) {
        if (!image.Holds(at, 2))
            return std::nullopt;
        const std::uint16_t type = image.U16Le(at);
        if (type == 0)
            break;
        if (!image.Holds(at, kTypeInfoSize))
            return std::nullopt;
        const std::uint16_t count = image.U16Le(at + 2);
        at += kTypeInfoSize;
        for (std::uint16_t i = 0; i < count; ++i, at += kNameInfoSize) {
            if (!image.Holds(at, kNameInfoSize))
                return std::nullopt;
            const std::uint64_t offset = static_cast<std::uint64_t>(image.U16Le(at)) << shift;
            const std::uint64_t length = static_cast<std::uint64_t>(image.U16Le(at + 2)) << shift;
            bool sound = true;
            if (type == kTypeFont)
                sound = ++font_resources <= kMaxFontResources &&
                        ReadFontResource(image, offset, length, fonts);
            else if (type == kTypeFontDirectory)
                sound = ReadFontDirectory(image, offset, length, directory);
            if (!sound)
                return std::nullopt;
        }
    }
    FontFileInfo& found = fonts.Faces.empty() ? directory : fonts;
    if (found.Faces.empty())
        return std::nullopt;
    return std::move(found);
}

} // namespace nq::fontfile
