#include "system_error.h"

#include "handles.h"
#include "text.h"

namespace nq {

std::string SystemErrorText(DWORD code) {
    wchar_t* raw = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    std::wstring text = length > 0 && raw ? std::wstring(raw, length) : std::wstring();
    LocalFree(raw);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : Utf8FromWide(text);
}

} // namespace nq
