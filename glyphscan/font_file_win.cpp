#include "font_file_win.h"

#include "handles.h"
#include "text.h"

#include <windows.h>

namespace nq::fontfile {

std::optional<FontFileInfo> ReadFontFile(const std::wstring& path) {
    const nq::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    // A view of a file of 4 GiB or more would not fit a 32-bit process.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > MAXDWORD)
        return std::nullopt;
    const nq::UniqueKernelHandle mapping(
        CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping)
        return std::nullopt;
    const nq::UniqueView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view)
        return std::nullopt;
    return ReadFontImage(static_cast<const unsigned char*>(view.get()),
                         static_cast<std::size_t>(size.QuadPart));
}

std::optional<FontFileInfo> ReadFontFile(const std::string& utf8Path) {
    return ReadFontFile(nq::WideFromUtf8(utf8Path));
}

std::string ToUtf8(const FontText& text) {
    if (text.Encoding == TextEncoding::kAnsi)
        return nq::Utf8FromAnsi(text.Ansi);
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows keeps UTF-16 in wchar_t");
    return nq::Utf8FromWide(reinterpret_cast<const wchar_t*>(text.Utf16.data()), text.Utf16.size());
}

FaceNames FaceNamesUtf8(const FontFace& face) {
    return {ToUtf8(face.FullName), ToUtf8(face.Copyright), ToUtf8(face.Trademark),
            ToUtf8(face.Family)};
}

std::string DisplayName(const FontFileInfo& info) {
    std::vector<std::string> names;
    names.reserve(info.Faces.size());
    for (const FontFace& face : info.Faces)
        names.push_back(ToUtf8(face.FullName));
    return JoinFaceNames(names);
}

} // namespace nq::fontfile
