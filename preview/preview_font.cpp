#include "preview_font.h"

#include "atomic_file.h"
#include "font_file_win.h"
#include "glyphscan.h"
#include "handles.h"
#include "text.h"

#include <cstring>

namespace nq {

namespace {

constexpr std::size_t kFaceNameLength = LF_FACESIZE - 1;
// Larger than any font file; a 32-bit process could not hold more anyway.
constexpr std::size_t kMaxFontFileBytes = std::size_t{1} << 30;
constexpr DWORD kPrivateFlags = FR_PRIVATE | FR_NOT_ENUM;

bool FitsFaceName(const std::string& name) {
    return !name.empty() && WideFromUtf8(name).size() <= kFaceNameLength;
}

} // namespace

PreviewFace PreviewFaceOf(const fontfile::FontFileInfo& info) {
    PreviewFace face;
    if (info.Faces.empty())
        return face;
    const fontfile::FontFace& first = info.Faces.front();
    const fontfile::FaceNames names = fontfile::FaceNamesUtf8(first);
    if (FitsFaceName(names.FullName))
        face.Names.push_back(names.FullName);
    if (names.Family != names.FullName || face.Names.empty())
        face.Names.push_back(names.Family);
    face.BitmapSizes = first.BitmapSizes;
    return face;
}

std::optional<fontfile::BitmapSize>
NearestBitmapSize(const std::vector<fontfile::BitmapSize>& sizes, int points) {
    std::optional<fontfile::BitmapSize> nearest;
    for (const fontfile::BitmapSize& size : sizes) {
        const int distance = std::abs(size.Points - points);
        if (!nearest || distance < std::abs(nearest->Points - points) ||
            (distance == std::abs(nearest->Points - points) && size.Points < nearest->Points))
            nearest = size;
    }
    return nearest;
}

bool PrivateFont::Load(const std::string& image) {
    Reset();
    if (image.empty() || image.size() > MAXDWORD)
        return false;
    DWORD fonts = 0;
    // The system keeps its own copy of the image.
    const HANDLE added = AddFontMemResourceEx(const_cast<char*>(image.data()),
                                              static_cast<DWORD>(image.size()), nullptr, &fonts);
    if (added && fonts > 0) {
        memory_ = added;
        return true;
    }
    if (added)
        RemoveFontMemResourceEx(added);
    return LoadFromTemporaryFile(image);
}

bool PrivateFont::LoadFromTemporaryFile(const std::string& image) {
    Reset();
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return false;
    static unsigned counter = 0;
    // The kind of file is in its first bytes; the name only has to be new.
    const bool executable = image.compare(0, 2, "MZ") == 0;
    const std::wstring path = std::wstring(folder, length) + L"nq-preview-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter) + (executable ? L".fon" : L".ttf");
    {
        const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_TEMPORARY, nullptr));
        DWORD written = 0;
        if (!file)
            return false;
        if (!WriteFile(file.get(), image.data(), static_cast<DWORD>(image.size()), &written,
                       nullptr) ||
            written != image.size()) {
            DeleteFileW(path.c_str());
            return false;
        }
    }
    if (AddFontResourceExW(path.c_str(), kPrivateFlags, nullptr) <= 0) {
        DeleteFileW(path.c_str());
        return false;
    }
    file_ = path;
    return true;
}

void PrivateFont::Reset() {
    if (memory_)
        RemoveFontMemResourceEx(memory_);
    memory_ = nullptr;
    if (!file_.empty()) {
        RemoveFontResourceExW(file_.c_str(), kPrivateFlags, nullptr);
        DeleteFileW(file_.c_str());
        file_.clear();
    }
}

std::optional<std::string> ReadFontFileBytes(const std::string& path) {
    if (const std::optional<std::string> ansiPath = AnsiFromUtf8(path)) {
        const UniqueGlobal block(ReadIntoBuffer(ansiPath->c_str()));
        if (block) {
            const GlobalLockGuard locked(block.get());
            if (locked.data())
                return std::string(static_cast<const char*>(locked.data()),
                                   GlobalSize(block.get()));
        }
    }
    return ReadWholeFile(WideFromUtf8(path), kMaxFontFileBytes);
}

} // namespace nq
