#include "list_controls.h"

#include "text.h"

namespace nq {

int ListBox::Count() const {
    const LRESULT count = SendMessageA(window_, LB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

int ListBox::Add(const std::string& text, LPARAM data) {
    const std::wstring wide = WideFromUtf8(text);
    const LRESULT row =
        SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (row < 0)
        return -1;
    SendMessageA(window_, LB_SETITEMDATA, static_cast<WPARAM>(row), data);
    return static_cast<int>(row);
}

void ListBox::Delete(int row) const {
    SendMessageA(window_, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
}

void ListBox::Clear() const {
    SendMessageA(window_, LB_RESETCONTENT, 0, 0);
}

std::wstring ListBox::WideText(int row) const {
    const LRESULT length = SendMessageW(window_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window_, LB_GETTEXT, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

std::string ListBox::Text(int row) const {
    return Utf8FromWide(WideText(row));
}

int ListBox::Insert(int row, const std::string& text) const {
    const std::wstring wide = WideFromUtf8(text);
    const LRESULT at = SendMessageW(window_, LB_INSERTSTRING, static_cast<WPARAM>(row),
                                    reinterpret_cast<LPARAM>(wide.c_str()));
    return at < 0 ? -1 : static_cast<int>(at);
}

LPARAM ListBox::Data(int row) const {
    if (row < 0 || row >= Count())
        return 0;
    const LRESULT data = SendMessageA(window_, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    return data == LB_ERR ? 0 : data;
}

void ListBox::SetData(int row, LPARAM data) const {
    SendMessageA(window_, LB_SETITEMDATA, static_cast<WPARAM>(row), data);
}

int ListBox::Selection() const {
    const LRESULT row = SendMessageA(window_, LB_GETCURSEL, 0, 0);
    return row < 0 ? -1 : static_cast<int>(row);
}

int ListBox::Caret() const {
    const LRESULT row = SendMessageA(window_, LB_GETCARETINDEX, 0, 0);
    return row < 0 || row >= Count() ? -1 : static_cast<int>(row);
}

int ListBox::RowAt(POINT clientPoint) const {
    const LRESULT hit = SendMessageA(
        window_, LB_ITEMFROMPOINT, 0,
        MAKELPARAM(static_cast<WORD>(clientPoint.x), static_cast<WORD>(clientPoint.y)));
    // The high word is set when the point lies outside every row.
    if (HIWORD(hit) != 0 || clientPoint.x < 0 || clientPoint.y < 0)
        return -1;
    const int row = LOWORD(hit);
    return row < Count() ? row : -1;
}

void ComboBox::Add(const std::string& text) const {
    SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

int ComboBox::Selection() const {
    const LRESULT row = SendMessageA(window_, CB_GETCURSEL, 0, 0);
    return row < 0 ? -1 : static_cast<int>(row);
}

std::string ComboBox::Text(int row) const {
    const LRESULT length = SendMessageW(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window_, CB_GETLBTEXT, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return Utf8FromWide(text);
}

} // namespace nq
