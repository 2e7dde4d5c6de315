#include "font_catalogue.h"

#include "font_registration.h"
#include "glyphscan.h"
#include "search_filter.h"
#include "text.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <cwchar>

// gdi32 exports this without a declaration in the SDK headers.
extern "C" __declspec(dllimport) BOOL WINAPI
    GetFontResourceInfoW(LPCWSTR fileName, LPDWORD bufferSize, LPVOID buffer, DWORD queryType);

namespace {

constexpr DWORD kDescriptionQuery = 1;
constexpr DWORD kDescriptionBytes = 260;

bool IsFontFileName(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string extension = LowerAZ(fileName.substr(dot));
    return extension == ".ttf" || extension == ".fon";
}

std::string BufferText(const FontNameBuffers::value_type& buffer) {
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

} // namespace

std::string FontResourceDescription(const std::string& path) {
    std::array<wchar_t, kDescriptionBytes / sizeof(wchar_t)> description{};
    DWORD size = kDescriptionBytes;
    const std::wstring widePath = nq::Widen(path);
    if (!GetFontResourceInfoW(widePath.c_str(), &size, description.data(), kDescriptionQuery))
        return {};
    // The buffer was zero-filled, and its last character stays the terminator
    // even if the platform filled everything before it.
    description.back() = L'\0';
    return nq::Narrow(description.data(), static_cast<int>(wcslen(description.data())));
}

void CheckInstalled(FontDescr& record, const FontScope& scope) {
    record.Installed =
        ValueNamesFile(scope.FontValue(FontValueName(record)), record.Path, scope.Root());
}

std::unique_ptr<FontDescr> ReadFontRecord(const std::string& path, const FontScope& scope,
                                          FontNameBuffers& names) {
    if (GetFontProps(path.c_str(), names[0].data(), names[1].data(), names[2].data(),
                     names[3].data()) == 0)
        return nullptr;
    auto record = std::make_unique<FontDescr>();
    record->Path = path;
    record->Name = BufferText(names[0]);
    record->Copyright = BufferText(names[1]);
    record->Trademark = BufferText(names[2]);
    record->Family = BufferText(names[3]);
    std::string description = FontResourceDescription(path);
    if (!description.empty())
        record->Name = std::move(description);
    CheckInstalled(*record, scope);
    return record;
}

void ScanFontFolder(const std::string& folder, const FontScope& scope,
                    const std::function<void(std::unique_ptr<FontDescr>)>& onFont) {
    // One set of naming buffers serves the whole listing.
    FontNameBuffers names{};
    WIN32_FIND_DATAA entry;
    nq::UniqueFind find(FindFirstFileA((folder + "*.*").c_str(), &entry));
    if (!find)
        return;
    do {
        if (entry.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        const std::string fileName = entry.cFileName;
        if (fileName == "." || fileName == ".." || !IsFontFileName(fileName))
            continue;
        if (std::unique_ptr<FontDescr> record = ReadFontRecord(folder + fileName, scope, names))
            onFont(std::move(record));
    } while (FindNextFileA(find.get(), &entry));
}
