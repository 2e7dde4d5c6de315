#include "input_dialog.h"

#include "text.h"

#include <vector>

namespace input_dialog {

namespace {

// Builds a dialog template in memory (no resource file): DWORD-aligned records
// of WORDs, strings in UTF-16.
class TemplateBuilder {
  public:
    void Dword(DWORD v) {
        Word(LOWORD(v));
        Word(HIWORD(v));
    }
    void Word(WORD v) { words_.push_back(v); }
    void Text(const wchar_t* text) {
        do
            words_.push_back(static_cast<WORD>(*text));
        while (*text++);
    }
    void AlignDword() {
        if (words_.size() % 2 != 0)
            words_.push_back(0);
    }
    // One control: x, y, cx, cy in dialog units; cls the predefined class atom.
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
              const wchar_t* text) {
        AlignDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(cls);
        Text(text);
        Word(0); // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

struct DialogState {
    const std::string& Caption;
    const std::string& Prompt;
    const std::string& Initial;
    std::string Entered;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<const DialogState*>(lParam);
        nq::SetWindowTextUtf8(dialog, state->Caption);
        nq::SetWindowTextUtf8(GetDlgItem(dialog, kPromptId), state->Prompt);
        HWND edit = GetDlgItem(dialog, kEditId);
        nq::SetWindowTextUtf8(edit, state->Initial);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
            state->Entered = nq::WindowText(GetDlgItem(dialog, kEditId));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::optional<std::string> Run(HWND owner, const std::string& caption, const std::string& prompt,
                               const std::string& initial) {
    TemplateBuilder t;
    // The texts are set from the UTF-8 strings once the dialog exists.
    t.Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.Dword(0);
    t.Word(4); // controls
    t.Word(0);
    t.Word(0);
    t.Word(200); // width and height in dialog units
    t.Word(64);
    t.Word(0); // no menu
    t.Word(0); // the standard dialog class
    t.Text(L"");
    t.Word(8);
    t.Text(L"MS Shell Dlg");
    t.Item(SS_LEFT | SS_NOPREFIX, 8, 8, 184, 10, kPromptId, kStaticAtom, L"");
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 21, 184, 13, kEditId, kEditAtom, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 42, 50, 14, IDOK, kButtonAtom, L"OK");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 142, 42, 50, 14, IDCANCEL, kButtonAtom, L"Cancel");

    DialogState state{caption, prompt, initial, {}};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner,
                                                   DialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return std::nullopt;
    return state.Entered;
}

} // namespace input_dialog
