// Shared pieces of the client window tests: prompts that tests answer, a
// temporary program folder and fonts root, and file helpers.
#pragma once

#include "child.h"
#include "control_ids.h"
#include "dib.h"
#include "frm_middle.h"
#include "list_controls.h"
#include "text.h"
#include "prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Records every message box and text query and answers them from a queue.
class RecordingPrompts : public Prompts {
  public:
    struct ShownMessage {
        std::string Caption, Text;
        UINT Type;
    };
    struct ShownQuery {
        std::string Caption, Prompt, Initial;
    };

    int Message(HWND, const std::string& caption, const std::string& text, UINT type) override {
        Messages.push_back({caption, text, type});
        if (Buttons.empty())
            return IDOK;
        const int button = Buttons.front();
        Buttons.pop_front();
        return button;
    }
    std::optional<std::string> QueryText(HWND, const std::string& caption,
                                         const std::string& prompt,
                                         const std::string& initial) override {
        Queries.push_back({caption, prompt, initial});
        if (Answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::optional<std::string> OpenFile(HWND, const std::string& filterName,
                                        const std::string& patterns) override {
        OpenFilters.push_back(filterName + "|" + patterns);
        if (Files.empty())
            return std::nullopt;
        std::optional<std::string> file = Files.front();
        Files.pop_front();
        return file;
    }

    Elevation StartElevated(HWND, const std::string& program,
                            const std::string& parameters) override {
        Elevations.push_back(program + " " + parameters);
        return ElevationAnswer;
    }

    // Reads the real menu's items, and chooses the item whose path (see
    // MenuPaths) is the next of MenuChoices; an empty or unknown one closes it.
    UINT PopupMenu(HWND, HMENU menu, POINT) override;
    bool ShowInExplorer(const std::string& path, bool selectFile) override {
        Explored.push_back((selectFile ? "select " : "open ") + path);
        return true;
    }

    // Every item of a menu, in order, as its text; a submenu's items as
    // "<submenu text>/<item text>", a separator as "-".
    static std::vector<std::string> MenuPaths(HMENU menu);

    std::vector<ShownMessage> Messages;
    std::vector<std::vector<std::string>> Menus; // MenuPaths of each menu shown
    std::deque<std::string> MenuChoices;
    std::vector<std::string> Explored;   // "select <file>" or "open <folder>"
    std::vector<std::string> Elevations; // program and parameters of each elevated start
    Elevation ElevationAnswer = Elevation::Started;
    std::deque<int> Buttons; // the buttons pressed in the message boxes; IDOK when none is left
    std::vector<std::string> OpenFilters;
    std::deque<std::optional<std::string>> Files; // chosen in the open dialog; nothing = Cancel
    std::vector<ShownQuery> Queries;
    std::deque<std::optional<std::string>> Answers; // nothing = Cancel
};

// A folder of its own under the temporary folder, removed with all it holds.
class TempFolder {
  public:
    explicit TempFolder(const std::string& tag);
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    // Ends in a backslash.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Paths are UTF-8, as in the program.
inline std::wstring Wide(const std::string& path) {
    return nq::WideFromUtf8(path);
}

void RemoveTree(const std::string& path);
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& content);
bool Exists(const std::string& path);
// Copies a font of the host (fonts-dejavu-core, fonts-liberation2) to path.
void CopyHostFont(const std::string& hostPath, const std::string& path);
constexpr const char* kDejaVuSans = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
constexpr const char* kDejaVuSansBold =
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Bold.ttf";
constexpr const char* kDejaVuSerif = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf";
constexpr const char* kLiberationSansBold =
    "Z:\\usr\\share\\fonts\\truetype\\liberation2\\LiberationSans-Bold.ttf";

// A font's registry value "<name> (TrueType)" (or another suffix) in hive;
// empty when there is none.
std::string FontValue(HKEY hive, const std::string& name,
                      const std::string& suffix = " (TrueType)");
// Sets it; an empty value deletes it.
void SetFontValue(HKEY hive, const std::string& name, const std::string& value,
                  const std::string& suffix = " (TrueType)");

// "[Section]" lines and "Key=Value" lines of an INI file, blank lines left out.
std::vector<std::string> IniLines(const std::string& path);

std::vector<std::string> ListRows(HWND list);

// A control of the client window by its ID, found as outside tools find it.
inline HWND Control(const TfrmMiddle& form, int id) {
    return nq::FindDescendant(form.Handle(), id);
}

// Writes a width x height PNG whose pixel (x, y) is pixel(x, y), 0xAARRGGBB.
void WritePng(const std::string& path, int width, int height,
              const std::function<std::uint32_t(int x, int y)>& pixel);
// The same as a Windows bitmap file.
void WriteBmp(const std::string& path, int width, int height,
              const std::function<std::uint32_t(int x, int y)>& pixel);

// What reaches the screen in control's area once every pending paint is done,
// read from the client window's own device context: its children paint into
// the same surface, each clipped by its siblings, so this is what the user
// sees. Nothing is invalidated here, so a repaint the window misses shows.
nq::ArgbDib OnScreen(HWND form, HWND control);

// Hands every waiting message of the thread to the window as the program's
// message loop does.
void PumpMessages(TfrmMiddle& form);
// Dispatches the window's messages until its listing is done.
void WaitForListing(TfrmMiddle& form);
// Presses and releases a key in target (which takes the focus first) through
// the window's message loop; modifiers are VK_CONTROL, VK_SHIFT held meanwhile.
void PressKey(TfrmMiddle& form, HWND target, UINT key, std::vector<UINT> modifiers = {});

// Drops files onto a window as the shell does (WM_DROPFILES with ANSI paths,
// or UTF-16 ones when wide).
void DropFiles(HWND window, const std::vector<std::string>& paths, bool wide = false);

// Drags a splitter with the mouse by offset pixels along its drag direction.
void DragSplitter(HWND splitter, int offset);

// The tooltip control the client window owns, found as outside tools find it;
// null when there is none.
HWND FindTooltip(const TfrmMiddle& form);
// The text of the tip the control shows over point (in window's client
// coordinates); empty when no tool covers it.
std::string TipAt(HWND tooltip, HWND window, POINT point);

// A program folder and the two scopes' fonts roots of the test's own; opens
// TfrmMiddle over them as the program would.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : program_("program"), fonts_("fonts"), userFonts_("userfonts") {}

    std::string ProgramPath() const { return program_.Path() + "NimbQuillbox.exe"; }
    std::string IniPath() const { return program_.Path() + "NimbQuillbox.ini"; }
    std::string TxtPath() const { return program_.Path() + "NimbQuillbox.txt"; }
    // The machine scope's root, which the setting "auto" chooses while
    // machineWritable_ holds.
    const std::string& Root() const { return fonts_.Path(); }
    // The user scope's root: a folder below the temporary one that Open's
    // scope choice creates.
    std::string UserRoot() const { return userFonts_.Path() + "Microsoft\\Windows\\Fonts\\"; }
    ScopePlaces Places() const;

    // Creates the window (FormCreate runs); shows it when asked (FormShow).
    std::unique_ptr<TfrmMiddle> Open(bool show = false);
    // Destroys the window: FormDestroy writes the files.
    static void Close(std::unique_ptr<TfrmMiddle>& form);

    // Makes row the current row of lbFolders as a click would, with the
    // notification the list box sends; then, unless told not to, lets the
    // window take in the listing's records until it is done.
    static void ClickFolder(TfrmMiddle& form, int row, bool waitForListing = true);
    // Makes row the only selected row of lbFonts, with the focus, and sends
    // the notification, as a plain click does.
    static void ClickFont(TfrmMiddle& form, int row);
    // Sets the search box's text as typing would (EN_CHANGE follows).
    static void TypeSearch(TfrmMiddle& form, const std::string& text);
    // A left click into the search box, delivered to the edit control.
    static void ClickSearchBox(TfrmMiddle& form);
    static int FindRow(HWND list, const std::string& text);

    RecordingPrompts prompts_;
    TempFolder program_;
    TempFolder fonts_;
    TempFolder userFonts_;
    // The write test's answer for HKEY_LOCAL_MACHINE; the user's hive is always writable.
    bool machineWritable_ = true;
    bool systemLoadsUserFonts_ = true;
};
