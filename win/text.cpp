#include "text.h"

#include <algorithm>
#include <climits>

namespace nq {

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16Mark[] = "\xFF\xFE";

std::wstring WidenFrom(UINT codePage, const char* text, std::size_t length) {
    if (length == 0 || length > static_cast<std::size_t>(INT_MAX))
        return {};
    const int count = static_cast<int>(length);
    const int size = MultiByteToWideChar(codePage, 0, text, count, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text, count, wide.data(), size);
    return wide;
}

std::string NarrowTo(UINT codePage, DWORD flags, const wchar_t* text, std::size_t length,
                     BOOL* usedDefault) {
    if (!text || length == 0 || length > static_cast<std::size_t>(INT_MAX))
        return {};
    const int count = static_cast<int>(length);
    const int size =
        WideCharToMultiByte(codePage, flags, text, count, nullptr, 0, nullptr, usedDefault);
    if (size <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text, count, narrow.data(), size, nullptr, usedDefault);
    return narrow;
}

bool StartsWith(const std::string& bytes, const char* mark) {
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

} // namespace

std::wstring WideFromUtf8(const std::string& text) {
    return WidenFrom(CP_UTF8, text.data(), text.size());
}

std::string Utf8FromWide(const wchar_t* text, std::size_t length) {
    return NarrowTo(CP_UTF8, 0, text, length, nullptr);
}

std::string Utf8FromAnsi(const std::string& text) {
    return Utf8FromWide(WidenFrom(CP_ACP, text.data(), text.size()));
}

std::optional<std::string> AnsiFromUtf8(const std::string& text) {
    // ASCII is the same in every ANSI code page.
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text;
    const std::wstring wide = WideFromUtf8(text);
    BOOL usedDefault = FALSE;
    std::string ansi =
        NarrowTo(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide.size(), &usedDefault);
    // The way back must give the same characters: a code page may map
    // several characters to one byte without calling it a default.
    if (usedDefault || WidenFrom(CP_ACP, ansi.data(), ansi.size()) != wide)
        return std::nullopt;
    return ansi;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    return Utf8FromWide(text.data(), static_cast<std::size_t>(std::max(copied, 0)));
}

bool SetWindowTextUtf8(HWND window, const std::string& text) {
    return SetWindowTextW(window, WideFromUtf8(text).c_str()) != FALSE;
}

std::string TextFromFileBytes(const std::string& bytes) {
    if (StartsWith(bytes, kUtf8Mark))
        return Utf8FromWide(WidenFrom(CP_UTF8, bytes.data() + 3, bytes.size() - 3));
    if (StartsWith(bytes, kUtf16Mark)) {
        std::wstring wide((bytes.size() - 2) / 2, L'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return Utf8FromWide(wide);
    }
    return Utf8FromAnsi(bytes);
}

std::string FileBytesFromText(const std::string& text) {
    if (std::optional<std::string> ansi = AnsiFromUtf8(text))
        return std::move(*ansi);
    return kUtf8Mark + text;
}

} // namespace nq
