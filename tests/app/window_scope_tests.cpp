// The client window in the user's font scope and the choice between the two
// scopes: the collections under the user's root, values under
// HKEY_CURRENT_USER with full paths, the machine's registry and root left
// alone, the scope named in the collections header, and the setting kept.
#include "window_test_support.h"

#include "registry.h"

#include <map>

namespace {

using Rows = std::vector<std::string>;

const char* const kNames[] = {"DejaVu Sans", "DejaVu Serif", "NqLoad Sans"};

int CALLBACK NoteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether GDI knows a font family of this name in this process.
bool FamilyLoaded(const std::string& family) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, family.c_str(), LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// Both hives' values of these names are put back as they were after each test.
class ScopeTest : public WindowTest {
  protected:
    void SetUp() override {
        for (const char* name : kNames)
            for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
                saved_[{hive, name}] = FontValue(hive, name);
        ASSERT_TRUE(CreateDirectoryA((Root() + "Machine").c_str(), nullptr));
        for (const char* part :
             {"Microsoft\\", "Microsoft\\Windows\\", "Microsoft\\Windows\\Fonts\\",
              "Microsoft\\Windows\\Fonts\\Mine\\"})
            ASSERT_TRUE(CreateDirectoryA((userFonts_.Path() + std::string(part)).c_str(), nullptr));
        CopyHostFont(kDejaVuSans, UserRoot() + "Mine\\DejaVuSans.ttf");
        SetFontValue(HKEY_CURRENT_USER, "DejaVu Sans", "");
    }
    void TearDown() override {
        if (form_)
            Close(form_);
        for (const auto& [place, value] : saved_)
            SetFontValue(place.first, place.second, value);
    }

    void Scope(const char* setting) {
        WriteFileText(IniPath(), std::string("[Library]\r\nScope=") + setting + "\r\n");
    }
    std::string Heading() const { return nq::WindowText(Control(*form_, ctl::CollectionHeader)); }
    Rows Folders() const { return ListRows(Control(*form_, ctl::LbFolders)); }
    void List(const std::string& collection) {
        ClickFolder(*form_, FindRow(Control(*form_, ctl::LbFolders), collection));
    }
    void Click(int button) {
        HWND b = Control(*form_, button);
        SendMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(b));
    }
    std::string SavedScope() const {
        for (const std::string& line : IniLines(IniPath()))
            if (line.rfind("Scope=", 0) == 0)
                return line.substr(6);
        return {};
    }

    std::unique_ptr<TfrmMiddle> form_;
    std::map<std::pair<HKEY, std::string>, std::string> saved_;
};

TEST_F(ScopeTest, TheUsersScopeKeepsEverythingUnderTheUsersRootAndHive) {
    Scope("user");
    form_ = Open(true);
    EXPECT_EQ(Heading(), "Collections for you");
    EXPECT_EQ(Folders(), (Rows{"All Fonts", "Mine"}));

    // Registered for everyone by the host, yet off for this user: switching
    // it on writes HKEY_CURRENT_USER alone.
    const std::string path = UserRoot() + "Mine\\DejaVuSans.ttf";
    const std::string machineValue = saved_[{HKEY_LOCAL_MACHINE, "DejaVu Sans"}];
    List("Mine");
    ASSERT_EQ(ListRows(Control(*form_, ctl::LbFonts)), Rows{"DejaVu Sans"});
    EXPECT_FALSE((*form_->Fonts())[0]->Installed);
    ClickFont(*form_, 0);
    Click(ctl::Button1);
    EXPECT_EQ(FontValue(HKEY_CURRENT_USER, "DejaVu Sans"), path);

    // A collection off and on again, its list in the user's folder.
    Click(ctl::Button2);
    EXPECT_EQ(ReadFileText(UserRoot() + "Mine\\disabled.txt"), "DejaVu Sans\r\n");
    EXPECT_EQ(FontValue(HKEY_CURRENT_USER, "DejaVu Sans"), "");
    Click(ctl::Button2);
    EXPECT_FALSE(Exists(UserRoot() + "Mine\\disabled.txt"));
    EXPECT_EQ(FontValue(HKEY_CURRENT_USER, "DejaVu Sans"), path);

    // New collections, added and moved files go to the user's folder.
    prompts_.Answers = {std::string("Fresh")};
    form_->NewCollection();
    prompts_.Files = {std::string(kDejaVuSerif)};
    form_->AddFontByDialog();
    EXPECT_TRUE(Exists(UserRoot() + "Fresh\\"));
    EXPECT_TRUE(Exists(UserRoot() + "Mine\\DejaVuSerif.ttf"));
    EXPECT_TRUE(prompts_.Messages.empty());

    // After a restart the font is still on and the setting is kept.
    Close(form_);
    EXPECT_EQ(SavedScope(), "user");
    form_ = Open();
    EXPECT_EQ(Heading(), "Collections for you");
    List("Mine");
    for (const auto& record : *form_->Fonts())
        EXPECT_EQ(record->Installed, record->Path == path) << record->Path;

    // The machine's side saw nothing of it.
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, "DejaVu Sans"), machineValue);
    const std::string machineSerif = saved_[{HKEY_LOCAL_MACHINE, "DejaVu Serif"}];
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, "DejaVu Serif"), machineSerif);
    std::vector<std::string> machineRoot;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((Root() + "*").c_str(), &entry);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if (entry.cFileName[0] != '.')
            machineRoot.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    EXPECT_EQ(machineRoot, Rows{"Machine"});
}

TEST_F(ScopeTest, AutoTakesTheMachineOnlyWhereItMayWriteAndAForcedMachineSaysWhyNot) {
    struct Case {
        const char* setting;
        bool machineWritable;
        const char* heading;
        std::size_t messages;
    };
    const Case cases[] = {
        {"auto", true, "Collections for everyone", 0},
        {"auto", false, "Collections for you", 0},
        {"machine", false, "Collections for you", 1},
        {"machine", true, "Collections for everyone", 0},
        {"nonsense", false, "Collections for you", 0},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.setting) + (c.machineWritable ? "" : " refused");
        Scope(c.setting);
        machineWritable_ = c.machineWritable;
        prompts_.Messages.clear();
        form_ = Open(true);
        EXPECT_EQ(Heading(), c.heading) << what;
        EXPECT_EQ(Folders().back(), c.machineWritable ? "Machine" : "Mine") << what;
        ASSERT_EQ(prompts_.Messages.size(), c.messages) << what;
        if (c.messages == 1) {
            EXPECT_NE(prompts_.Messages[0].Text.find("administrator"), std::string::npos);
            EXPECT_EQ(prompts_.Messages[0].Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        }
        Close(form_);
        // The setting as the user wrote it; an unknown word becomes "auto".
        EXPECT_EQ(SavedScope(), std::string(c.setting) == "nonsense" ? "auto" : c.setting) << what;
    }
}

TEST_F(ScopeTest, TheUsersHeaderOffersToStartAgainAsAdministratorForEveryone) {
    using Elevation = Prompts::Elevation;
    struct Case {
        const char* what;
        int answer;
        Elevation elevation;
        std::size_t starts;
        bool closed;
        std::size_t messages; // the question, and the error when the start failed
    };
    const Case cases[] = {
        {"declined question", IDNO, Elevation::Started, 0, false, 1},
        {"started", IDYES, Elevation::Started, 1, true, 1},
        {"consent refused", IDYES, Elevation::Declined, 1, false, 1},
        {"start failed", IDYES, Elevation::Failed, 1, false, 2},
    };
    Scope("user");
    for (const Case& c : cases) {
        prompts_.Messages.clear();
        prompts_.Elevations.clear();
        prompts_.Buttons = {c.answer};
        prompts_.ElevationAnswer = c.elevation;
        DeleteFileA(IniPath().c_str());
        Scope("user");
        form_ = Open(true);
        HWND header = Control(*form_, ctl::CollectionHeader);
        EXPECT_NE(TipAt(FindTooltip(*form_), header, POINT{4, 4}).find("administrator"),
                  std::string::npos)
            << c.what;
        SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ASSERT_EQ(prompts_.Messages.size(), c.messages) << c.what;
        EXPECT_EQ(prompts_.Messages[0].Type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        ASSERT_EQ(prompts_.Elevations.size(), c.starts) << c.what;
        if (c.starts) {
            EXPECT_EQ(prompts_.Elevations[0], ProgramPath() + " /scope=machine") << c.what;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        EXPECT_EQ(!IsWindow(form_->Handle()), c.closed) << c.what;
        // The settings were written before the new run reads them, the
        // user's own choice of scope among them.
        if (c.starts) {
            EXPECT_EQ(SavedScope(), "user") << c.what;
        }
        Close(form_);
    }

    // For everyone, the header is only a header.
    prompts_.Messages.clear();
    Scope("machine");
    form_ = Open(true);
    HWND header = Control(*form_, ctl::CollectionHeader);
    EXPECT_EQ(TipAt(FindTooltip(*form_), header, POINT{4, 4}), "");
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(prompts_.Messages.empty());
}

TEST_F(ScopeTest, AScopeAskedForOnTheCommandLineHoldsForThatRunAlone) {
    Scope("user");
    form_ = std::make_unique<TfrmMiddle>(prompts_, ProgramPath(), Places());
    form_->RequestScope(ScopeSetting::Machine);
    ASSERT_TRUE(form_->Create());
    EXPECT_EQ(Heading(), "Collections for everyone");
    EXPECT_EQ(Folders().back(), "Machine");
    Close(form_);
    EXPECT_EQ(SavedScope(), "user");
}

TEST_F(ScopeTest, WindowsBefore1809GetTheUsersFontsLoadedAtStart) {
    // A DejaVu Sans whose naming table calls it "NqLoad Sans", registered for
    // the user only.
    std::string font = ReadFileText(kDejaVuSans);
    for (const auto& [from, to] : std::initializer_list<std::pair<std::string, std::string>>{
             {"DejaVu", "NqLoad"},
             {std::string("\0D\0e\0j\0a\0V\0u", 12), std::string("\0N\0q\0L\0o\0a\0d", 12)}})
        for (std::size_t at = font.find(from); at != std::string::npos; at = font.find(from, at))
            font.replace(at, from.size(), to);
    WriteFileText(UserRoot() + "Mine\\nqload.ttf", font);
    SetFontValue(HKEY_CURRENT_USER, "NqLoad Sans", UserRoot() + "Mine\\nqload.ttf");
    Scope("user");

    systemLoadsUserFonts_ = true;
    form_ = Open();
    EXPECT_FALSE(FamilyLoaded("NqLoad Sans"));
    Close(form_);
    systemLoadsUserFonts_ = false;
    form_ = Open();
    EXPECT_TRUE(FamilyLoaded("NqLoad Sans"));
}

} // namespace
