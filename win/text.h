// Window text and the conversions between the ANSI code page and UTF-16, in
// one place.
#pragma once

#include <windows.h>

#include <string>

namespace nq {

// The window's text (a control's caption or an edit box's content); empty
// when there is none.
std::string WindowText(HWND window);

// ANSI code page to UTF-16 and back; characters the code page lacks become '?'.
std::wstring Widen(const std::string& text);
std::string Narrow(const wchar_t* text, int length);
inline std::string Narrow(const std::wstring& text) {
    return Narrow(text.data(), static_cast<int>(text.size()));
}

// UTF-8, the program's own text for names and paths, to UTF-16 and back. An
// invalid sequence or a lone surrogate becomes U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, std::size_t length);
inline std::string Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.data(), text.size());
}
// 8-bit text in the ANSI code page to UTF-8.
std::string Utf8FromAnsi(const std::string& text);

} // namespace nq
