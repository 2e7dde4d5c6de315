// The program's one conversion layer. Inside the program every name and path
// is UTF-8 in a std::string; every Windows call that takes or gives text uses
// its UTF-16 ("W") form through the functions here. The ANSI code page appears
// only where files written by earlier versions are read and written: plain
// text files and the font names glyphscan.dll reports.
//
// Text files (a collection's "disabled.txt", the sample text file) stay in the
// ANSI code page whenever every line can be spelled in it, byte for byte as
// before; only when a line cannot, the whole file is written as UTF-8 behind a
// byte order mark. Files are read as UTF-8 when they start with that mark, as
// UTF-16 when they start with the UTF-16 mark (as Notepad's "Unicode"), else in
// the ANSI code page.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace nq {

// UTF-8 to UTF-16 and back. An invalid sequence or a lone surrogate becomes
// U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, std::size_t length);
inline std::string Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.data(), text.size());
}

// 8-bit text in the ANSI code page to UTF-8.
std::string Utf8FromAnsi(const std::string& text);
// UTF-8 text in the ANSI code page; nothing when the code page lacks one of
// its characters (no best-fit look-alikes: "\u0101" is not "a").
std::optional<std::string> AnsiFromUtf8(const std::string& text);

// The window's text (a control's caption or an edit box's content) as UTF-8;
// empty when there is none.
std::string WindowText(HWND window);
// Sets the window's text from UTF-8; false when the window refused it.
bool SetWindowTextUtf8(HWND window, const std::string& text);

// A text file's bytes as UTF-8 (see above for how they are read).
std::string TextFromFileBytes(const std::string& bytes);
// UTF-8 text as the bytes of a text file: the ANSI code page when it fits,
// else the UTF-8 byte order mark and the text.
std::string FileBytesFromText(const std::string& text);

} // namespace nq
