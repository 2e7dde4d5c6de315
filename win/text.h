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

} // namespace nq
