#include "health_view.h"

#include "dpi.h"
#include "dpi_scale.h"
#include "file_operations.h"
#include "text.h"
#include "ui_fonts.h"
#include "wait_cursor.h"
#include "window_class.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

namespace nq {

namespace {

using catalogue::HealthProblem;
using catalogue::HealthProblemKind;

// Sizes at 96 DPI.
constexpr int kWidth = 900, kHeight = 440;
constexpr int kMargin = 8, kButtonWidth = 96, kButtonHeight = 26, kStatusHeight = 44;
constexpr int kFontHeight = -12;

struct Column {
    const wchar_t* Title;
    int Width;
};
constexpr Column kColumns[] = {{L"Problem", 210}, {L"Font", 150}, {L"Where", 320}, {L"Fix", 180}};

std::string ProblemText(const HealthProblem& problem) {
    std::string text = catalogue::HealthKindLabel(problem.Kind);
    if (!problem.Detail.empty())
        text += " (" + problem.Detail + ")";
    return text;
}

std::string WhereText(const HealthProblem& problem) {
    switch (problem.Kind) {
    case HealthProblemKind::MissingFile:
        return problem.Path + " (registered as '" + problem.ValueName + "')";
    case HealthProblemKind::NameConflict:
        return problem.Path + " ('" + problem.ValueName + "' names " + problem.OtherPath + ")";
    case HealthProblemKind::Duplicate:
    case HealthProblemKind::FailsToLoad:
        return problem.Path + (problem.On ? " (on)" : " (off)");
    }
    return problem.Path;
}

bool FixTrashes(const HealthProblem& problem) {
    return problem.Kind == HealthProblemKind::FailsToLoad ||
           (problem.Kind == HealthProblemKind::Duplicate && !problem.On);
}

void SetCellText(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = WideFromUtf8(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

} // namespace

HealthView::HealthView(Prompts& prompts, const FontScope& scope,
                       std::function<void()> libraryChanged)
    : prompts_(prompts), scope_(scope), libraryChanged_(std::move(libraryChanged)) {}

void HealthView::Open(HWND owner) {
    if (!Handle()) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowBase::Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassOnce(wc);
        RECT ownerRect{};
        GetWindowRect(owner, &ownerRect);
        // On the owner's monitor, so at its DPI.
        dpi_ = WindowDpi(owner);
        const int offset = Scaled(40, dpi_);
        if (!CreateBound(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         ownerRect.left + offset, ownerRect.top + offset, Scaled(kWidth, dpi_),
                         Scaled(kHeight, dpi_), owner, nullptr))
            return;
        dpi_ = WindowDpi(Handle());
        CreateControls();
    }
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    CheckAgain();
}

void HealthView::CreateControls() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                          DWORD exStyle = 0) {
        HWND control = CreateWindowExW(
            exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        return control;
    };
    HWND list = make(WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, kListId,
                     WS_EX_CLIENTEDGE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(kColumns[i].Title);
        column.cx = kColumns[i].Width;
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    make(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kStatusId);
    // No default button: Enter must not fix anything.
    make(L"BUTTON", L"&Fix", BS_PUSHBUTTON | WS_TABSTOP, kFixId);
    make(L"BUTTON", L"Check &again", BS_PUSHBUTTON | WS_TABSTOP, kCheckId);
    make(L"BUTTON", L"&Close", BS_PUSHBUTTON | WS_TABSTOP, kCloseId);
    ApplyDpi(dpi_);
}

void HealthView::ApplyDpi(int dpi) {
    dpi_ = dpi;
    UniqueGdiObject font = CreateUiFont(kFontHeight, dpi_, "MS Shell Dlg 2");
    for (int id : {kListId, kStatusId, kFixId, kCheckId, kCloseId})
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(AsFont(font)), FALSE);
    // The controls no longer use the old font.
    font_ = std::move(font);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
        SendMessageW(Item(kListId), LVM_SETCOLUMNWIDTH, i, Scaled(kColumns[i].Width, dpi_));
    RECT client{};
    GetClientRect(Handle(), &client);
    LayOut(client.right, client.bottom);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void HealthView::LayOut(int width, int height) const {
    const int margin = Scaled(kMargin, dpi_), buttonWidth = Scaled(kButtonWidth, dpi_),
              buttonHeight = Scaled(kButtonHeight, dpi_),
              statusHeight = Scaled(kStatusHeight, dpi_);
    const int buttonsTop = height - margin - buttonHeight;
    const int statusTop = buttonsTop - margin - statusHeight;
    MoveWindow(Item(kListId), margin, margin, std::max(0, width - 2 * margin),
               std::max(0, statusTop - 2 * margin), TRUE);
    MoveWindow(Item(kStatusId), margin, statusTop, std::max(0, width - 2 * margin), statusHeight,
               TRUE);
    int x = width - margin - buttonWidth;
    for (int id : {kCloseId, kCheckId, kFixId}) {
        MoveWindow(Item(id), x, buttonsTop, buttonWidth, buttonHeight, TRUE);
        x -= buttonWidth + margin;
    }
}

void HealthView::CheckAgain() {
    if (!Handle())
        return;
    HealthScan scan;
    {
        const WaitCursor wait;
        scan = ScanLibraryHealth(scope_, loads_);
    }
    problems_ = std::move(scan.Problems);
    FillList();
    std::string text = "Checked " + std::to_string(scan.Files) + " font files and " +
                       std::to_string(scan.Values) + " registrations " + scope_.Audience() + ": ";
    text += problems_.empty() ? std::string("no problems.")
                              : std::to_string(problems_.size()) +
                                    (problems_.size() == 1 ? " problem." : " problems.") +
                                    " Select the ones to fix and click Fix.";
    SetStatus(text);
}

void HealthView::FillList() {
    HWND list = Item(kListId);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < problems_.size(); ++i) {
        const HealthProblem& problem = problems_[i];
        std::wstring first = WideFromUtf8(ProblemText(problem));
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = first.data();
        item.lParam = static_cast<LPARAM>(i);
        const int row = static_cast<int>(
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        SetCellText(list, row, 1, problem.Font);
        SetCellText(list, row, 2, WhereText(problem));
        SetCellText(list, row, 3, catalogue::HealthFixLabel(problem));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::size_t> HealthView::SelectedProblems() const {
    HWND list = Item(kListId);
    std::vector<std::size_t> selected;
    for (int row = -1;
         (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        selected.push_back(static_cast<std::size_t>(item.lParam));
    }
    return selected;
}

void HealthView::RemoveRows(const std::vector<std::size_t>& fixed) const {
    HWND list = Item(kListId);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = count - 1; row >= 0; --row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (std::find(fixed.begin(), fixed.end(), static_cast<std::size_t>(item.lParam)) !=
            fixed.end())
            SendMessageW(list, LVM_DELETEITEM, row, 0);
    }
}

void HealthView::FixSelected() {
    const std::vector<std::size_t> selected = SelectedProblems();
    if (selected.empty()) {
        SetStatus("Select the problems to fix first.");
        return;
    }
    std::vector<std::string> toTrash;
    for (std::size_t i : selected)
        if (FixTrashes(problems_[i]))
            toTrash.push_back(problems_[i].Path);
    if (!toTrash.empty()) {
        std::string question =
            toTrash.size() == 1
                ? "Move " + toTrash.front() + " to the recycle bin?"
                : "Move these " + std::to_string(toTrash.size()) + " files to the recycle bin?";
        if (prompts_.Message(Handle(), kTrashCaption, question, MB_YESNO | MB_ICONQUESTION) !=
            IDYES) {
            SetStatus("Nothing was changed.");
            return;
        }
    }

    // The copies of each font still listed: the last one is never trashed.
    std::map<int, int> copiesLeft;
    {
        HWND list = Item(kListId);
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            LVITEMW item{};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            const HealthProblem& problem = problems_[static_cast<std::size_t>(item.lParam)];
            if (problem.Kind == HealthProblemKind::Duplicate)
                ++copiesLeft[problem.Group];
        }
    }

    std::vector<std::size_t> fixed;
    std::string status;
    bool changed = false;
    for (std::size_t i : selected) {
        const HealthProblem& problem = problems_[i];
        HealthFixResult result;
        switch (problem.Kind) {
        case HealthProblemKind::MissingFile:
            result = RemoveStaleRegistration(problem, scope_);
            break;
        case HealthProblemKind::FailsToLoad:
            result = TrashProblemFile(Handle(), problem, scope_);
            break;
        case HealthProblemKind::Duplicate:
            if (problem.On)
                result = {false, "Kept " + problem.Path + ": it is the copy that is on."};
            else if (copiesLeft[problem.Group] <= 1)
                result = {false, "Kept " + problem.Path + ": it is the last copy of " +
                                     problem.Font + "."};
            else if ((result = TrashProblemFile(Handle(), problem, scope_)).Fixed)
                --copiesLeft[problem.Group];
            break;
        case HealthProblemKind::NameConflict:
            result = TakeOverRegistration(problem, scope_);
            break;
        }
        if (result.Fixed) {
            fixed.push_back(i);
            changed = true;
        }
        status += (status.empty() ? "" : " ") + result.Text;
    }
    RemoveRows(fixed);
    SetStatus(status);
    if (changed && libraryChanged_)
        libraryChanged_();
}

std::string HealthView::StatusText() const {
    return Handle() ? WindowText(Item(kStatusId)) : std::string();
}

void HealthView::SetStatus(const std::string& text) const {
    SetWindowTextUtf8(Item(kStatusId), text);
}

LRESULT HealthView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        LayOut(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case kFixId:
                FixSelected();
                return 0;
            case kCheckId:
                CheckAgain();
                return 0;
            case kCloseId:
            case IDCANCEL:
                DestroyWindow(Handle());
                return 0;
            }
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {Scaled(4 * kButtonWidth + 5 * kMargin, dpi_), Scaled(200, dpi_)};
        return 0;
    }
    case WM_DPICHANGED: {
        // Onto a monitor of another scale: Windows suggests the new bounds,
        // which the minimum size of the new scale must already allow.
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(dpi_);
        return 0;
    }
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

} // namespace nq
