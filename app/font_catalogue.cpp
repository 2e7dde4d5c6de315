#include "font_catalogue.h"

#include "font_file_win.h"
#include "font_registration.h"
#include "glyphscan.h"
#include "registry.h"
#include "search_filter.h"
#include "text.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cwchar>

// gdi32 exports this without a declaration in the SDK headers.
extern "C" __declspec(dllimport) BOOL WINAPI
    GetFontResourceInfoW(LPCWSTR fileName, LPDWORD bufferSize, LPVOID buffer, DWORD queryType);

namespace {

constexpr DWORD kDescriptionQuery = 1;
constexpr DWORD kDescriptionBytes = 260;

std::string LowerExtension(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : LowerAZ(fileName.substr(dot));
}

// The extensions glyphscan's GetFontProps was always asked about.
bool GlyphscanExtension(const std::string& extension) {
    return extension == ".ttf" || extension == ".fon";
}

std::string BufferText(const FontNameBuffers::value_type& buffer) {
    return nq::Utf8FromAnsi(std::string(buffer.data(), strnlen(buffer.data(), buffer.size())));
}

// The naming strings of GetFontProps; false when it does not read the file or
// its path cannot be spelled in the ANSI code page it takes.
bool ReadWithGlyphscan(const std::string& path, FontNameBuffers& names, FontDescr& record) {
    const std::optional<std::string> ansiPath = nq::AnsiFromUtf8(path);
    if (!ansiPath || GetFontProps(ansiPath->c_str(), names[0].data(), names[1].data(),
                                  names[2].data(), names[3].data()) == 0)
        return false;
    record.Name = BufferText(names[0]);
    record.Copyright = BufferText(names[1]);
    record.Trademark = BufferText(names[2]);
    record.Family = BufferText(names[3]);
    return true;
}

// Whether GetFontProps may have given a text that is not the stored one. Its
// texts are exact where they are printable ASCII. Other bytes may be a UTF-16
// name (Japanese, say) that its 8-bit rule copied byte for byte, and a '?' a
// character its conversion of a UTF-16 name into the ANSI code page lost; the
// program's reader, which chooses the same records, then gives them as stored.
bool MayMisreadText(const FontDescr& record) {
    // The two names the font is shown and found by; a copyright sign in a
    // copyright is common and exact.
    for (const std::string* text : {&record.Name, &record.Family})
        for (const char c : *text)
            if (c == '?' || static_cast<unsigned char>(c) < 0x20 ||
                static_cast<unsigned char>(c) >= 0x7F)
                return true;
    return false;
}

void TakeNames(const nq::fontfile::FontFileInfo& info, FontDescr& record) {
    nq::fontfile::FaceNames first = nq::fontfile::FaceNamesUtf8(info.Faces.front());
    record.Name = nq::fontfile::DisplayName(info);
    record.Copyright = std::move(first.Copyright);
    record.Trademark = std::move(first.Trademark);
    record.Family = std::move(first.Family);
}

void TakeFormat(const nq::fontfile::FontFileInfo& info, FontDescr& record) {
    record.Format = info.Format;
    record.FaceCount = static_cast<int>(info.Faces.size());
    record.CffOutlines =
        std::strcmp(nq::fontfile::RegistrySuffix(info), nq::fontfile::kOpenTypeSuffix) == 0;
}

} // namespace

bool IsFontFileName(const std::string& fileName) {
    const std::string extension = LowerExtension(fileName);
    return extension == ".ttf" || extension == ".otf" || extension == ".ttc" ||
           extension == ".otc" || extension == ".fon";
}

std::string FontResourceDescription(const std::string& path) {
    std::array<wchar_t, kDescriptionBytes / sizeof(wchar_t)> description{};
    DWORD size = kDescriptionBytes;
    const std::wstring widePath = nq::WideFromUtf8(path);
    if (!GetFontResourceInfoW(widePath.c_str(), &size, description.data(), kDescriptionQuery))
        return {};
    // The buffer was zero-filled, and its last character stays the terminator
    // even if the platform filled everything before it.
    description.back() = L'\0';
    return nq::Utf8FromWide(description.data(), wcslen(description.data()));
}

bool RegistryNamesFile(HKEY key, const FontDescr& record, const FontScope& scope) {
    return key && (ValueNamesFile(nq::ReadKeyString(key, FontValueName(record)), record.Path,
                                  scope.Root()) ||
                   ValueNamesFile(nq::ReadKeyString(key, OtherFontValueName(record)), record.Path,
                                  scope.Root()));
}

namespace {

// A value name as the registry compares them: upper case. Most names are
// ASCII, which is folded here; others go to the system.
std::wstring FoldedValueName(std::wstring name) {
    bool ascii = true;
    for (wchar_t& c : name) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
        else if (c >= 0x80)
            ascii = false;
    }
    if (!ascii)
        CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

} // namespace

RegisteredFonts::RegisteredFonts(const FontScope& scope) {
    const nq::UniqueRegKey key = scope.OpenFontKeyToRead();
    DWORD count = 0, longestName = 0, longestData = 0;
    if (!key ||
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    values_.reserve(count);
    std::vector<wchar_t> name(longestName + 1);
    std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 1);
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        const LONG status = RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr,
                                          &type, reinterpret_cast<BYTE*>(data.data()), &dataBytes);
        if (status == ERROR_MORE_DATA) {
            // A value grew since the key was measured: room, and the same value again.
            name.resize(name.size() * 2);
            data.resize(std::max<std::size_t>(data.size() * 2, dataBytes / sizeof(wchar_t) + 1));
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        ++index;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            continue;
        // The stored data need not end in a terminator, or may hold several.
        const std::wstring text(data.data(), dataBytes / sizeof(wchar_t));
        values_.emplace(FoldedValueName(std::wstring(name.data(), nameLength)),
                        nq::Utf8FromWide(text.substr(0, text.find(L'\0'))));
    }
}

bool RegisteredFonts::NamesFile(const FontDescr& record, const FontScope& scope) const {
    for (const std::string& valueName : {FontValueName(record), OtherFontValueName(record)}) {
        const auto value = values_.find(FoldedValueName(nq::WideFromUtf8(valueName)));
        if (ValueNamesFile(value == values_.end() ? std::string() : value->second, record.Path,
                           scope.Root()))
            return true;
    }
    return false;
}

void CheckInstalled(FontDescr& record, const FontScope& scope) {
    const nq::UniqueRegKey key = scope.OpenFontKeyToRead();
    record.Installed = RegistryNamesFile(key.get(), record, scope);
}

std::unique_ptr<FontDescr> ReadFontFileNames(const std::string& path, FontNameBuffers& names) {
    auto record = std::make_unique<FontDescr>();
    record->Path = path;
    const bool bitmapName = LowerExtension(path) == ".fon";
    bool read = GlyphscanExtension(LowerExtension(path)) && ReadWithGlyphscan(path, names, *record);
    if (!read || MayMisreadText(*record)) {
        // What glyphscan cannot read, or may have misread.
        if (const std::optional<nq::fontfile::FontFileInfo> info =
                nq::fontfile::ReadFontFile(path)) {
            if (!read)
                TakeFormat(*info, *record);
            TakeNames(*info, *record);
            read = true;
        }
    }
    std::string description = FontResourceDescription(path);
    if (!read && description.empty())
        return nullptr;
    if (!read && bitmapName)
        record->Format = nq::fontfile::FontFormat::kBitmap;
    if (!description.empty())
        record->Name = std::move(description);
    return record;
}

std::unique_ptr<FontDescr> ReadFontRecord(const std::string& path, const FontScope& scope,
                                          FontNameBuffers& names) {
    std::unique_ptr<FontDescr> record = ReadFontFileNames(path, names);
    if (record)
        CheckInstalled(*record, scope);
    return record;
}

std::vector<FontFileEntry> FontFilesIn(const std::string& folder) {
    std::vector<FontFileEntry> files;
    const std::wstring wideFolder = nq::WideFromUtf8(folder);
    WIN32_FIND_DATAW entry;
    // Without the short names, which the listing never reads.
    nq::UniqueFind find(FindFirstFileExW((wideFolder + L"*.*").c_str(), FindExInfoBasic, &entry,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return files;
    do {
        if (entry.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        if (wideFolder.size() + wcslen(entry.cFileName) >= MAX_PATH)
            continue;
        const std::string fileName = nq::Utf8FromWide(entry.cFileName, wcslen(entry.cFileName));
        if (fileName == "." || fileName == ".." || !IsFontFileName(fileName))
            continue;
        nq::catalogue::FileStamp stamp;
        stamp.Size = (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow;
        stamp.LastWrite = (std::uint64_t{entry.ftLastWriteTime.dwHighDateTime} << 32) |
                          entry.ftLastWriteTime.dwLowDateTime;
        files.push_back({folder + fileName, stamp});
    } while (FindNextFileW(find.get(), &entry));
    return files;
}

void ScanFontFolder(const std::string& folder, const FontScope& scope,
                    const std::function<void(std::unique_ptr<FontDescr>)>& onFont) {
    // One set of naming buffers and one opening of the font key serve the whole listing.
    FontNameBuffers names{};
    const RegisteredFonts registered(scope);
    for (const FontFileEntry& file : FontFilesIn(folder))
        if (std::unique_ptr<FontDescr> record = ReadFontFileNames(file.Path, names)) {
            record->Installed = registered.NamesFile(*record, scope);
            onFont(std::move(record));
        }
}
