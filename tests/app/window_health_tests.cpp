// The Problems window over a temporary fonts root: each kind of problem is
// planted, listed and fixed by selecting its row and clicking Fix, and the
// registry, the folders and the status line show what the fix did. Only the
// scope's own hive is looked at.
#include "window_test_support.h"

#include "health_view.h"

#include <commctrl.h>

#include <map>

namespace {

using nq::HealthView;
using nq::catalogue::HealthProblem;
using nq::catalogue::HealthProblemKind;

const std::string kSerif = "DejaVu Serif";

class HealthTest : public WindowTest {
  protected:
    void SetUp() override {
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            for (const std::string& name : {kSerif, gone_})
                saved_[{hive, name}] = FontValue(hive, name);
        ASSERT_TRUE(CreateDirectoryA((Root() + "A").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((Root() + "B").c_str(), nullptr));
    }
    void TearDown() override {
        if (form_)
            Close(form_);
        for (const auto& [place, value] : saved_)
            SetFontValue(place.first, place.second, value);
    }

    HealthView& View() { return form_->ProblemsView(); }
    HWND List() { return GetDlgItem(View().Handle(), HealthView::kListId); }

    // The list's rows as the problems behind them.
    std::vector<const HealthProblem*> Rows() {
        std::vector<const HealthProblem*> rows;
        const int count = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            LVITEMW item{};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            rows.push_back(&View().Problems()[static_cast<std::size_t>(item.lParam)]);
        }
        return rows;
    }
    // The row of the problem of that kind about path; -1 when none is listed.
    int RowOf(HealthProblemKind kind, const std::string& path) {
        const std::vector<const HealthProblem*> rows = Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->Kind == kind && rows[i]->Path == path)
                return static_cast<int>(i);
        return -1;
    }
    // The text of a row's column.
    std::string Cell(int row, int column) {
        wchar_t text[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 512;
        const auto length =
            SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return nq::Utf8FromWide(text, static_cast<std::size_t>(length));
    }
    // Selects exactly these problems' rows and clicks Fix.
    void Fix(const std::vector<std::pair<HealthProblemKind, std::string>>& problems) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&state));
        state.state = LVIS_SELECTED;
        for (const auto& [kind, path] : problems) {
            const int row = RowOf(kind, path);
            ASSERT_GE(row, 0) << path;
            SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
        }
        Click(HealthView::kFixId);
    }
    void Click(int id) {
        HWND button = GetDlgItem(View().Handle(), id);
        SendMessageW(View().Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }

    std::unique_ptr<TfrmMiddle> form_;
    std::map<std::pair<HKEY, std::string>, std::string> saved_;
    const std::string gone_ = "NqHealth Gone " + std::to_string(GetCurrentProcessId());
};

TEST_F(HealthTest, EachKindPlantedInTheRootIsListedAndFixedOnAClick) {
    const std::string gonePath = Root() + "A\\gone.ttf";
    const std::string broken = Root() + "A\\broken.ttf";
    const std::string serifA = Root() + "A\\DejaVuSerif.ttf";
    const std::string serifB = Root() + "B\\Serif copy.ttf";
    SetFontValue(HKEY_LOCAL_MACHINE, gone_, gonePath);
    WriteFileText(broken, "This is no font.");
    CopyHostFont(kDejaVuSerif, serifA);
    CopyHostFont(kDejaVuSerif, serifB);
    ASSERT_EQ(FontValue(HKEY_LOCAL_MACHINE, kSerif), kDejaVuSerif); // the host's own

    form_ = Open(true);
    // Opened from the menu of the collections list's empty part.
    HWND folders = Control(*form_, ctl::LbFolders);
    RECT client{};
    GetClientRect(folders, &client);
    const LPARAM below = MAKELPARAM(10, client.bottom - 3);
    prompts_.MenuChoices = {"&Problems..."};
    SendMessageA(folders, WM_RBUTTONDOWN, MK_RBUTTON, below);
    SendMessageA(folders, WM_RBUTTONUP, 0, below);
    PumpMessages(*form_);
    ASSERT_TRUE(View().Handle());
    ASSERT_TRUE(IsWindowVisible(View().Handle()));
    EXPECT_EQ(GetWindow(View().Handle(), GW_OWNER), form_->Handle());
    EXPECT_NE(View().StatusText().find("problems."), std::string::npos) << View().StatusText();

    // What each row shows: the kind, the font, where and the fix.
    const int goneRow = RowOf(HealthProblemKind::MissingFile, gonePath);
    ASSERT_GE(goneRow, 0);
    EXPECT_EQ(Cell(goneRow, 1), gone_);
    EXPECT_EQ(Cell(goneRow, 3), "Remove the registration");
    EXPECT_GE(RowOf(HealthProblemKind::FailsToLoad, broken), 0);
    const int copyRow = RowOf(HealthProblemKind::Duplicate, serifB);
    ASSERT_GE(copyRow, 0);
    EXPECT_EQ(Cell(copyRow, 0), "Same font twice (same name and bytes)");
    EXPECT_EQ(Cell(copyRow, 2), serifB + " (off)");
    EXPECT_GE(RowOf(HealthProblemKind::Duplicate, serifA), 0);
    const int conflictRow = RowOf(HealthProblemKind::NameConflict, serifA);
    ASSERT_GE(conflictRow, 0);
    EXPECT_EQ(Cell(conflictRow, 2),
              serifA + " ('DejaVu Serif (TrueType)' names " + kDejaVuSerif + ")");
    // Real fonts load; nothing was changed by looking.
    EXPECT_EQ(RowOf(HealthProblemKind::FailsToLoad, serifA), -1);
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, gone_), gonePath);
    EXPECT_TRUE(Exists(broken));
    EXPECT_TRUE(prompts_.Messages.empty());

    // A registration whose file is gone: the value goes.
    Fix({{HealthProblemKind::MissingFile, gonePath}});
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, gone_), "");
    EXPECT_EQ(View().StatusText(), "Removed the registration '" + gone_ + " (TrueType)'.");
    EXPECT_EQ(RowOf(HealthProblemKind::MissingFile, gonePath), -1);

    // A file that does not load: to the trash after the question; No keeps it.
    prompts_.Buttons = {IDNO};
    Fix({{HealthProblemKind::FailsToLoad, broken}});
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Caption, "Move to trash");
    EXPECT_EQ(prompts_.Messages[0].Text, "Move " + broken + " to the recycle bin?");
    EXPECT_EQ(View().StatusText(), "Nothing was changed.");
    EXPECT_TRUE(Exists(broken));
    prompts_.Buttons = {IDYES};
    Fix({{HealthProblemKind::FailsToLoad, broken}});
    EXPECT_FALSE(Exists(broken));
    EXPECT_EQ(View().StatusText(), "Moved " + broken + " to the recycle bin.");

    // A name held by another file: this file takes it, the other lets it go.
    Fix({{HealthProblemKind::NameConflict, serifA}});
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kSerif), serifA);
    EXPECT_EQ(View().StatusText(), "Registered 'DejaVu Serif (TrueType)' for " + serifA +
                                       " in place of " + kDejaVuSerif + ".");

    // The same font twice: the copy that is on stays, the other goes.
    Click(HealthView::kCheckId);
    EXPECT_EQ(Cell(RowOf(HealthProblemKind::Duplicate, serifA), 3),
              "None: keep this copy, it is on");
    prompts_.Buttons = {IDYES};
    Fix({{HealthProblemKind::Duplicate, serifA}, {HealthProblemKind::Duplicate, serifB}});
    EXPECT_TRUE(Exists(serifA));
    EXPECT_FALSE(Exists(serifB));
    // Each fix says what it did, in the rows' order.
    const std::string status = View().StatusText();
    EXPECT_NE(status.find("Kept " + serifA + ": it is the copy that is on."), std::string::npos)
        << status;
    EXPECT_NE(status.find("Moved " + serifB + " to the recycle bin."), std::string::npos) << status;
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kSerif), serifA);

    // Checked again, nothing under the collections is wrong any more.
    Click(HealthView::kCheckId);
    for (const HealthProblem* problem : Rows())
        EXPECT_NE(problem->Path.rfind(Root() + "A\\", 0), 0u) << problem->Path;
}

TEST_F(HealthTest, TheLastCopyIsKeptAndTheUsersScopeLooksOnlyAtItsOwnHive) {
    WriteFileText(IniPath(), "[Library]\r\nScope=user\r\n");
    form_ = Open(true);
    const std::string userGone = UserRoot() + "gone.ttf";
    SetFontValue(HKEY_CURRENT_USER, gone_, userGone);
    SetFontValue(HKEY_LOCAL_MACHINE, gone_, Root() + "gone.ttf");
    const std::string one = UserRoot() + "One.ttf";
    const std::string two = UserRoot() + "Two.ttf";
    CopyHostFont(kDejaVuSerif, one);
    CopyHostFont(kDejaVuSerif, two);

    form_->ShowProblems();
    EXPECT_GE(RowOf(HealthProblemKind::MissingFile, userGone), 0);
    EXPECT_EQ(RowOf(HealthProblemKind::MissingFile, Root() + "gone.ttf"), -1);
    EXPECT_NE(View().StatusText().find("registrations for you"), std::string::npos);

    // Both copies are off: one goes, the last one stays.
    prompts_.Buttons = {IDYES};
    Fix({{HealthProblemKind::Duplicate, one}, {HealthProblemKind::Duplicate, two}});
    EXPECT_EQ(prompts_.Messages.back().Text, "Move these 2 files to the recycle bin?");
    EXPECT_NE(Exists(one), Exists(two));
    const std::string kept = Exists(one) ? one : two;
    const std::string moved = Exists(one) ? two : one;
    const std::string status = View().StatusText();
    EXPECT_NE(status.find("Moved " + moved + " to the recycle bin."), std::string::npos) << status;
    EXPECT_NE(status.find("Kept " + kept + ": it is the last copy of DejaVu Serif."),
              std::string::npos)
        << status;

    Fix({{HealthProblemKind::MissingFile, userGone}});
    EXPECT_EQ(FontValue(HKEY_CURRENT_USER, gone_), "");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, gone_), Root() + "gone.ttf");

    // Nothing selected: nothing happens, and the window says why.
    Fix({});
    EXPECT_EQ(View().StatusText(), "Select the problems to fix first.");
    // Escape closes the window, as the program's message loop hands it over.
    MSG escape{};
    escape.hwnd = List();
    escape.message = WM_KEYDOWN;
    escape.wParam = VK_ESCAPE;
    escape.lParam = 1;
    form_->ProcessLoopMessage(escape);
    EXPECT_EQ(View().Handle(), nullptr);
}

} // namespace

namespace {

// Moved onto a monitor of 150 %, the window takes the bounds Windows suggests
// and its buttons, margins and columns grow with it; back at 100 % they are
// as before.
TEST_F(HealthTest, TheWindowFollowsItsMonitorsScale) {
    form_ = Open(true);
    form_->ShowProblems();
    HWND window = View().Handle();
    ASSERT_NE(window, nullptr);
    const auto buttonHeight = [&] {
        RECT r{};
        GetWindowRect(GetDlgItem(window, HealthView::kFixId), &r);
        return r.bottom - r.top;
    };
    const auto firstColumn = [&] {
        return static_cast<int>(SendMessageW(List(), LVM_GETCOLUMNWIDTH, 0, 0));
    };
    const int height96 = buttonHeight(), column96 = firstColumn();
    for (const int dpi : {144, 96}) {
        const RECT suggested{100, 100, 100 + 600 * dpi / 96, 100 + 400 * dpi / 96};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT bounds{};
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.right - bounds.left, suggested.right - suggested.left) << dpi;
        EXPECT_EQ(buttonHeight(), height96 * dpi / 96) << dpi;
        EXPECT_EQ(firstColumn(), column96 * dpi / 96) << dpi;
    }
}

} // namespace
