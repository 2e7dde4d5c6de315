#include "text.h"

#include <algorithm>
#include <climits>

namespace nq {

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

namespace {

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

std::string NarrowTo(UINT codePage, const wchar_t* text, std::size_t length) {
    if (!text || length == 0 || length > static_cast<std::size_t>(INT_MAX))
        return {};
    const int count = static_cast<int>(length);
    const int size = WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, count, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring Widen(const std::string& text) {
    return WidenFrom(CP_ACP, text.data(), text.size());
}

std::string Narrow(const wchar_t* text, int length) {
    return length > 0 ? NarrowTo(CP_ACP, text, static_cast<std::size_t>(length)) : std::string();
}

std::wstring WideFromUtf8(const std::string& text) {
    return WidenFrom(CP_UTF8, text.data(), text.size());
}

std::string Utf8FromWide(const wchar_t* text, std::size_t length) {
    return NarrowTo(CP_UTF8, text, length);
}

std::string Utf8FromAnsi(const std::string& text) {
    return Utf8FromWide(WidenFrom(CP_ACP, text.data(), text.size()));
}

} // namespace nq
