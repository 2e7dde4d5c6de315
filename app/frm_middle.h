// TfrmMiddle: the client window of NimbQuillbox. It holds the model (the
// records of the listed collection, the font scope with its root, the files
// beside the program) and the panes, and its handlers are where the panes meet the font
// library: each asks a pane for the selection, calls a service and tells a
// pane to refresh.
#pragma once

#include "app_window.h"
#include "client_skin.h"
#include "collections_pane.h"
#include "commands.h"
#include "context_menus.h"
#include "font_descr.h"
#include "font_listing.h"
#include "font_scope.h"
#include "file_drop.h"
#include "fonts_pane.h"
#include "health_view.h"
#include "frame_host.h"
#include "border_windows.h"
#include "title_bar.h"
#include "pane_host.h"
#include "panel.h"
#include "preview_pane.h"
#include "prompts.h"
#include "search_box.h"
#include "settings.h"
#include "skin_values.h"
#include "tooltip.h"
#include "window_base.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class TfrmMiddle final : public nq::WindowBase,
                         private nq::PaneHost,
                         private nq::FrameHost,
                         private nq::AppWindow::Host {
  public:
    // The program's title: its taskbar button's text and its error boxes' caption.
    static constexpr const char* kApplicationTitle = "NimbQuillbox";

    // Where the window finds its files: the settings file is the program's path
    // with ".ini", the sample text file with ".txt"; the collections live under
    // the root of the font scope that FormCreate chooses from places and the
    // setting Library/Scope. The program passes its own path and
    // SystemScopePlaces(); tests pass folders and a write test of their own.
    TfrmMiddle(Prompts& prompts, std::string programPath, ScopePlaces places);
    // Destroys the window if it still exists (running FormDestroy) while the
    // panes still hold their controls.
    ~TfrmMiddle() override;

    // Creates the window and its controls and runs FormCreate; the window is
    // not shown yet. False when the window could not be created.
    bool Create();
    // FormShow: shows the window at its bounds.
    void Show();
    // The window's destruction ends the message loop (the program's main window).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }
    // A scope for this run alone, in place of the setting (from the command
    // line); the setting itself is kept and written back as it was. Before Create.
    void RequestScope(ScopeSetting requested) { requestedScope_ = requested; }

    // The fonts the window manages (for everyone or for the user), and their root.
    const FontScope& Scope() const { return scope_; }
    const std::string& FontsRoot() const { return scope_.Root(); }
    // The current skin's folder, with a trailing backslash: every skin file is
    // SkinPath() + its name.
    std::string SkinPath() const override;
    const std::string& SettingsPath() const { return settingsPath_; }
    const std::string& SampleTextPath() const { return sampleTextPath_; }

    // The client window's share of the skin (frame_loadskin.cpp): colour,
    // window text, the kept opacities, the background textures.
    void LoadSkin();
    // The application gained or lost the activation.
    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    // A press on the toolbar records where a drag of the frame would start.
    void ToolbarMouseDown(POINT screen);

    // The frame (frm_middle_frame.cpp): the edge sizes of the present state,
    // the five windows placed in one batch, the edge windows redrawn for a
    // client size, moved with the client, rolled up and down; the skin menu's
    // choice and the skin information box.
    int LeftWidth() const;
    int RightWidth() const;
    int TopHeight() const;
    int BottomHeight() const;
    void ArrangeFrame(int x, int y, int width, int height) override;
    void RenderFrame(int width, int height) override;
    void MoveFrame(int dx, int dy) override;
    void SetRolledUp(bool rolledUp) override;
    void DUMMY1Click(const std::string& caption);
    void ShowSkinInfo();
    const nq::TfrmTop& frmTop() const { return frmTop_; }
    const nq::TfrmLeft& frmLeft() const { return frmLeft_; }
    const nq::TfrmRight& frmRight() const { return frmRight_; }
    const nq::TfrmBottom& frmBottom() const { return frmBottom_; }
    // The window that carries the program's taskbar button and owns the five.
    const nq::AppWindow& Application() const { return appWindow_; }

    // Collections.
    void FillCollections();
    void lbFoldersClick() override;
    // Asks for a name and creates that collection under the fonts root.
    void NewCollection() override;
    // A click on the collections header: for the user's own fonts, the offer
    // to start again as administrator for the fonts of everyone.
    void CollectionHeaderClick() override;

    // Font catalogue and search box. ListFonts starts reading the folder on
    // the listing's thread (cancelling a listing that still reads); its
    // records join FontList and lbFonts as they arrive.
    void ListFonts(const std::string& folder);
    // Whether the listing still reads its files.
    bool ListingFonts() const { return listing_.Reading(); }
    // Waits for the listing to read its last file and takes in its records:
    // for the actions that need every record of the folder.
    void FinishListing();
    // The fonts bar's count text while the listing reads ("Reading 2,345 of
    // 10,000"); nothing when it is done.
    std::optional<std::string> ListingText() const override;
    // How the listing reads a file that the cache does not hold; tests slow
    // it down or count the files it opens.
    void SetRecordReader(nq::RecordReader reader) { listing_.SetReader(std::move(reader)); }
    void editSearchChange() override; // ApplySearchFilter
    void editSearchClick() override;
    void editSearchExit() override;

    // The library's problems in a window of their own, checked afresh; fixes
    // made there read the listed collection again. The skin menu's item
    // kProblemsCommand and the collections list's menu open it.
    static constexpr const char* kProblemsCommand = "Problems...";
    void ShowProblems();
    nq::HealthView& ProblemsView() { return problemsView_; }

    // Preview.
    void lbFontsClick() override;
    void ComboBox1Change() override;

    // Switching the selected fonts or the collection of the current row on
    // and off (frm_middle_actions.cpp): the clicks of the hidden buttons.
    // Several fonts switch together: all on when any of them is off, else all
    // off; the fonts that could not be switched are named in one message.
    void Button1Click() override;
    void Button2Click() override;

    // The commands that keys, menu items, buttons and drags share
    // (frm_middle_commands.cpp); each is the one handler of its command.
    void RunCommand(nq::Command command, int argument = 0);
    // The selected fonts or the current collection to the recycle bin, after
    // the question; the selected fonts into the collection of a row.
    void TrashSelectedFonts();
    void TrashCurrentCollection();
    void MoveSelectedFonts(int collectionRow);
    // The selected fonts' names on the clipboard, one a line.
    void CopySelectedFontNames();
    // Explorer with the focused font's file selected, or in the folder of the
    // current collection.
    void ShowCurrentFontInFolder();
    void OpenCollectionFolder();
    // Asks for a new name for the current collection and renames its folder.
    void RenameCollection();
    // Reads the current collection again from disk (a listing like any
    // other, which another click cancels); when it is done, the selection
    // stays on the fonts that are still there.
    void RefreshCollection();
    // The search box takes the caret with its text selected; empties it.
    void FocusSearch();
    void ClearSearch();
    void SelectAllFonts();
    // The right-click menus of the two lists.
    void lbFontsContextPopup(POINT screen) override;
    void lbFoldersContextPopup(POINT screen) override;

    // The keys (frm_middle_keys.cpp). One message of the program's message
    // loop: the window's own keys first (the commands, Tab between the
    // collections list, the fonts list, the search box, the size box and the
    // sample text), then the controls'. The program's loop and the tests'
    // hand every message to it.
    void ProcessLoopMessage(MSG& msg);

    // Adding fonts to the listed collection: through the open dialog
    // OpenDialog1, and by files dropped from the shell onto lbFonts.
    void AddFontByDialog() override;
    void FileDrop1Drop(nq::TFileDrop& sender);
    // Moving the current font onto the collection of a row of lbFolders.
    bool lbFoldersDragOver(nq::DragSource source) const;
    void lbFoldersDragDrop(nq::DragSource source, POINT screen);
    // Trashing the current font or collection by dropping it onto the trash
    // area of the toolbar; a click there opens the recycle bin.
    bool ToolbarDragOver(nq::DragSource source, POINT toolbarPoint) const;
    void ToolbarDragDrop(nq::DragSource source, POINT toolbarPoint);
    void ToolbarMouseUp(POINT toolbarPoint);

    // State shared with the other parts of the window.
    bool SearchActive() const { return search_.Active(); }
    bool SearchResetting() const { return search_.Resetting(); }
    bool CollectionOff() const override { return collectionOff_; }
    bool RolledUp() const override { return rolledUp_; }
    bool Active() const override { return active_; }
    int PreviewIndex() const { return previewIndex_; }
    int PreviewSize() const { return previewSize_; }
    const std::string& SkinDir() const { return skinDir_; }
    const std::string& ButtonsDir() const { return buttonsDir_; }
    // The skin's values as LoadSkin read them last, in pixels at the window's
    // DPI (sizes at 96 DPI scaled); the file's own values are ReadSkinValues'.
    const nq::SkinValues& SkinValues() const override { return scaledSkin_; }
    const nq::SkinValues& ReadSkinValues() const { return skinValues_; }
    // The pane sizes at 96 DPI, as the settings file keeps them.
    const layout::PaneSizes& PaneSizes() const { return paneSizes_; }
    // The DPI the window is laid out and drawn at: the DPI of its monitor,
    // taken when it is placed and from every WM_DPICHANGED.
    int Dpi() const override { return dpi_; }
    // WM_DPICHANGED: the window moved onto a monitor of another DPI (or that
    // monitor's scale changed). The fonts, the skin's images and values and
    // the layout follow dpi; the frame takes the suggested client rectangle
    // in one batch, each edge window composed once at its new size.
    void FormDpiChanged(int dpi, const RECT& suggested);
    // The folder listed last (ending in a backslash); nothing before the first listing.
    const std::optional<std::string>& ListedFolder() const { return listedFolder_; }
    // Null until FormCreate has created it.
    const FontList* Fonts() const { return fontList_.get(); }
    // The preview pane: its sample font, the heading and lines of its details strip.
    const nq::PreviewPane& Preview() const { return preview_; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // PaneHost: the splitters change the pane sizes and ask for a new layout.
    layout::PaneSizes& MutablePaneSizes() override { return paneSizes_; }
    void TakeLaidOutSizes() override { paneSizes_ = LaidOutSizes(); }
    void ApplyLayout() override;
    // The pane sizes fitted to the window's present size, or to a client size.
    layout::PaneSizes LaidOutSizes() const;
    layout::PaneSizes LaidOutSizes(SIZE client) const;
    // Places the controls for a client area of that size.
    void LayOut(SIZE client);
    // FrameHost: the client's bounds and edge sizes, and the title bar's
    // buttons and menu.
    nq::frame::Rect ClientBounds() const override;
    nq::frame::EdgeSizes Edges() const override;
    void CloseProgram() override;
    void MinimizeProgram() override;
    void BringFrameToFront() override;
    void PopupSkinMenu(POINT screen) override;
    void EdgeDpiChanged(const nq::EdgeWindow& edge, int dpi) override;
    // The panes' fonts and row heights for dpi_.
    void ApplyDpi();
    // AppWindow::Host: the frame goes to the taskbar and comes back.
    void ApplicationMinimized() override;
    void ApplicationRestored() override;
    HWND WindowToActivate() const override;
    bool FrameSysCommand(UINT command) override;
    // Shows the windows of the frame that its state shows: the title bar, and
    // unless rolled up the borders and (withClient) the client window.
    void ShowFrameWindows(bool withClient);
    // The edge windows' share of an activation change.
    void ApplyActivation(bool active);
    // A window of the frame is shown when it is placed for the first time
    // (the borders not while rolled up).
    void ShowUnshownEdges();
    std::vector<HWND> EdgeHandles() const;
    std::vector<nq::EdgeWindow*> EdgeWindows();

    // PaneHost: what the bars show and the skin they draw from.
    int SelectedCollectionRow() const override { return collections_.CurrentRow(); }
    std::optional<int> FilteredTotal() const override;
    nq::bars::Pressed& BarPresses() override { return barPresses_; }
    const nq::ClientSkin& Skin() const override { return skin_; }
    nq::Tooltip& Tips() override { return tips_; }
    // The bars and the details strip show new state.
    void RefreshBars() const;
    // Draws the toolbar, the pane area and the preview frame from the skin
    // from the first show on, and lets them go back to their own look.
    void HookPanels(bool hooked);

    // PaneHost: a dragged row goes to the window under the screen point.
    bool DragOver(nq::DragSource source, POINT screen) override;
    void DragDrop(nq::DragSource source, POINT screen) override;

    // Records of the listing arrived: they join FontList and lbFonts.
    void FontsArrived();

    // The folder an added font is copied into: the listed one, the fonts root
    // before the first listing.
    std::string AdditionFolder() const;
    // A record joins FontList, and lbFonts when it passes the search filter.
    void AppendRecord(std::unique_ptr<FontDescr> record);
    // Moved or trashed fonts leave lbFonts and FontList together.
    void RemoveRecords(const std::vector<FontDescr*>& records);
    // The folder of a row of lbFolders (ending in a backslash): the fonts root
    // for "All Fonts".
    std::string CollectionFolder(int row) const;
    // CollectionOff and the off flag of a row above 0, read from its folder;
    // false when CollectionOff had said otherwise.
    bool ReadCollectionState(int row);
    // Before an action: the listing, CollectionOff, the row's off flag and the
    // bars follow the current row of lbFolders. False when CollectionOff had
    // been out of date (the collections bar offered the other switch).
    bool FollowCurrentCollection();
    // Before an action: the preview and the bars describe the current row of
    // lbFonts. False when they had described another record.
    bool FollowCurrentFont();
    // An error of an action, as the program's error handler shows it.
    void ShowError(const std::string& text);
    // The window's own key of a loop message; true when it ran a command.
    bool KeyPreview(const MSG& msg);
    // Moves the focus to the next (or previous) control in the Tab order.
    void MoveFocus(bool forward);
    // Pops up a menu of items at the screen point and runs the chosen command.
    void PopupCommands(const std::vector<nq::menus::Item>& items, POINT screen);

    // Lifecycle (frm_middle_lifecycle.cpp).
    void FormCreate();
    // The font scope from the setting and the places; says why when it is not
    // the one asked for, and loads the user's fonts where Windows does not.
    void ChooseFontScope();
    void FormShow();
    void FormDestroy();
    void LoadSampleText();
    void SaveSampleText();
    void SaveSettings();
    // Whether fonts of the listed folder are loaded privately for the preview:
    // those of "All Fonts" are installed already.
    bool ListingACollection() const;

    Prompts& prompts_;
    std::string programPath_;
    std::string programFolder_;
    ScopePlaces places_;
    FontScope scope_;
    ScopeSetting scopeSetting_ = ScopeSetting::Auto;
    std::optional<ScopeSetting> requestedScope_;
    std::string settingsPath_;
    std::string sampleTextPath_;
    bool quitOnDestroy_ = false;
    bool sampleTextUnreadable_ = false;

    // What the bars' buttons, the clear button and the trash area do, in
    // tips; made before the panes, which add their tools to it.
    nq::Tooltip tips_;
    // The panes, in the order their windows are created.
    nq::Panel toolbar_;
    nq::SearchBox search_;
    nq::Panel bgPanel_;
    nq::CollectionsPane collections_;
    nq::FontsPane fonts_;
    nq::PreviewPane preview_;
    nq::TFileDrop FileDrop1;

    // The taskbar's window, created first and destroyed last: it owns the
    // client window and the edge windows.
    nq::AppWindow appWindow_{*this};
    // The edge windows, created in this order, each with a reference back.
    nq::TfrmTop frmTop_{*this};
    nq::TfrmRight frmRight_{*this};
    nq::TfrmBottom frmBottom_{*this};
    nq::TfrmLeft frmLeft_{*this};
    struct {
        bool Top = false, Right = false, Bottom = false, Left = false;
    } shown_;
    int savedHeight_ = 0;       // SavedHeight: the client height before the roll-up
    bool rolling_ = false;      // the roll-up or roll-down animation runs
    bool wasMinimized_ = false; // the client window alone was minimised

    nq::ClientSkin skin_;
    nq::SkinValues skinValues_; // as read from "values.ini"
    nq::SkinValues scaledSkin_; // the same in pixels at dpi_
    int dpi_ = nq::kBaseDpi;
    nq::bars::Pressed barPresses_; // AddPressed, TogglePressed
    bool panelsHooked_ = false;
    nq::UniqueGdiObject windowBrush_; // the skin's "bg" colour

    // Posted by the listing's thread when batches of records wait; wParam is
    // the listing's generation.
    static constexpr UINT kFontsArrived = WM_APP + 0x40;

    std::unique_ptr<FontList> fontList_;
    // Reads the listed folder, with the catalogue cache; declared after
    // FontList, so that it stops before the records go.
    nq::FontListing listing_;
    std::optional<std::string> listedFolder_;
    // What a relisting gives back when it is done: the selected fonts and the
    // focus by path (lower-cased A to Z), and the top row.
    struct RelistRestore {
        std::unordered_set<std::string> SelectedPaths;
        std::string FocusPath;
        int Top = 0;
    };
    std::optional<RelistRestore> relistRestore_;
    void RestoreAfterRelisting();
    // The record the preview and the fonts bar describe (lbFontsClick); only
    // compared, never read through.
    const FontDescr* shownRecord_ = nullptr;
    bool collectionOff_ = false;
    bool rolledUp_ = false;
    bool active_ = true;
    int previewIndex_ = -1;
    int previewSize_ = settings::kDefaultPreviewSize;
    std::string skinDir_;
    std::string buttonsDir_;
    layout::PaneSizes paneSizes_;

    nq::HealthView problemsView_{prompts_, scope_, [this] { RefreshCollection(); }};
};
