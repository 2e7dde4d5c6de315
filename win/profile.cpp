#include "profile.h"

#include "atomic_file.h"
#include "text.h"

#include <windows.h>

#include <vector>

namespace nq {

namespace {

constexpr char kUtf16Mark[] = "\xFF\xFE";
// Settings files are a few hundred bytes; anything past this is no settings file.
constexpr std::size_t kMaxIniBytes = 16 << 20;

// Makes the INI file at path a UTF-16 one, its content kept; true when it is.
bool MakeUnicodeIni(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path, kMaxIniBytes);
    if (bytes && bytes->compare(0, 2, kUtf16Mark) == 0)
        return true;
    if (!bytes && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false; // there, but not readable: leave it as it is
    const std::wstring text = bytes ? WideFromUtf8(TextFromFileBytes(*bytes)) : std::wstring();
    std::string unicode(kUtf16Mark, 2);
    unicode.reserve(2 + 2 * text.size());
    for (const wchar_t c : text) {
        unicode += static_cast<char>(c & 0xFF);
        unicode += static_cast<char>((c >> 8) & 0xFF);
    }
    return ReplaceFileContent(path, unicode);
}

} // namespace

std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                              const std::string& fallback) {
    const std::wstring widePath = WideFromUtf8(path), wideSection = WideFromUtf8(section),
                       wideKey = WideFromUtf8(key), wideFallback = WideFromUtf8(fallback);
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideFallback.c_str(),
                                     buffer.data(), size, widePath.c_str());
        // A full buffer (size - 1 characters) may mean the value was cut.
        if (length + 1 < size || buffer.size() >= (1u << 24))
            return Utf8FromWide(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

bool WriteProfileString(const std::string& path, const char* section, const char* key,
                        const std::string& value) {
    const std::wstring widePath = WideFromUtf8(path);
    if (!AnsiFromUtf8(value) && !MakeUnicodeIni(widePath))
        return false;
    return WritePrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
                                      WideFromUtf8(value).c_str(), widePath.c_str()) != FALSE;
}

} // namespace nq
