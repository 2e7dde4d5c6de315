// TfrmMiddle: the client window of NimbQuillbox with the toolbar and its
// search box, the collections, fonts and preview panes.
#pragma once

#include "font_descr.h"
#include "handles.h"
#include "pane_layout.h"
#include "prompts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The records of the folder listed last, in enumeration order; rows of
// lbFonts only refer to them.
using FontList = std::vector<std::unique_ptr<FontDescr>>;

class TfrmMiddle {
  public:
    // Where the window finds its files: the settings file is the program's path
    // with ".ini", the sample text file with ".txt"; the collections live under
    // fontsRoot (ending in a backslash). The program passes its own path and
    // SystemFontsRoot(); tests pass folders of their own.
    TfrmMiddle(Prompts& prompts, std::string programPath, std::string fontsRoot);
    TfrmMiddle(const TfrmMiddle&) = delete;
    TfrmMiddle& operator=(const TfrmMiddle&) = delete;
    // Destroys the window if it still exists (running FormDestroy).
    ~TfrmMiddle();

    // Creates the window and its controls and runs FormCreate; the window is
    // not shown yet. False when the window could not be created.
    bool Create();
    // FormShow: shows the window at its bounds.
    void Show();
    // The window's destruction ends the message loop (the program's main window).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }

    HWND Handle() const { return hwnd_; }
    std::string FontsRoot() const { return fontsRoot_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    const std::string& SampleTextPath() const { return sampleTextPath_; }

    // Collections.
    void FillCollections();
    void lbFoldersClick();
    // Asks for a name and creates that collection under the fonts root.
    void NewCollection();

    // Font catalogue and search box.
    void ListFonts(const std::string& folder);
    void editSearchChange(); // ApplySearchFilter
    void editSearchClick();
    void editSearchExit();

    // Preview.
    void lbFontsClick();
    void ComboBox1Change();

    // State shared with the other parts of the window.
    bool SearchActive() const { return searchActive_; }
    bool SearchResetting() const { return searchResetting_; }
    bool CollectionOff() const { return collectionOff_; }
    bool RolledUp() const { return rolledUp_; }
    bool Active() const { return active_; }
    int PreviewIndex() const { return previewIndex_; }
    int PreviewSize() const { return previewSize_; }
    const std::string& SkinDir() const { return skinDir_; }
    const std::string& ButtonsDir() const { return buttonsDir_; }
    const layout::PaneSizes& PaneSizes() const { return paneSizes_; }
    // Null until FormCreate has created it.
    const FontList* Fonts() const { return fontList_.get(); }

    struct Controls {
        HWND Toolbar = nullptr, Panel10 = nullptr, editSearch = nullptr;
        HWND bgPanel = nullptr;
        HWND Panel3 = nullptr, CollectionHeader = nullptr, lbFolders = nullptr, Panel9 = nullptr,
             Button2 = nullptr;
        HWND Splitter1 = nullptr;
        HWND Panel1 = nullptr, FontHeader = nullptr, lbFonts = nullptr, Panel8 = nullptr,
             Button1 = nullptr;
        HWND Splitter2 = nullptr;
        HWND previewPanel = nullptr, Panel5 = nullptr, Panel6 = nullptr, Panel7 = nullptr,
             Label5 = nullptr, ComboBox1 = nullptr, lbPreview = nullptr;
        HWND Splitter3 = nullptr, PaintBox1 = nullptr;
    };
    const Controls& Ctl() const { return ctl_; }

    // Window text of a control (the row text of nothing: see RowText).
    static std::string WindowText(HWND window);
    // Text of row `row` of a list box; empty when there is no such row.
    static std::string RowText(HWND listBox, int row);

  private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditSearchProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    LRESULT OnControlColour(HDC dc, HWND control, UINT message);
    void OnSplitter(int id, int phase, int offset);

    // Window and controls (frm_middle_window.cpp).
    static void RegisterWindowClass();
    void CreateControls();
    void CreateFonts();
    void ApplyLayout();
    void ApplyPreviewFont();

    // Lifecycle (frm_middle_lifecycle.cpp).
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void LoadSampleText();
    void SaveSampleText();
    void SaveSettings();

    void AddFontRow(FontDescr* record);
    void SetSearchText(const std::string& text);

    Prompts& prompts_;
    std::string fontsRoot_;
    std::string settingsPath_;
    std::string sampleTextPath_;
    bool quitOnDestroy_ = false;

    HWND hwnd_ = nullptr;
    Controls ctl_;
    nq::UniqueGdiObject headerFont_, searchFont_, sizeBoxFont_, sizeLabelFont_, previewFont_;
    HBRUSH whiteBrush_ = nullptr;
    nq::UniqueFontMem previewFontMemory_; // the selected font, loaded privately
    bool editSearchPressed_ = false;

    std::unique_ptr<FontList> fontList_;
    bool searchActive_ = false;
    bool searchResetting_ = false;
    bool collectionOff_ = false;
    bool rolledUp_ = false;
    bool active_ = true;
    int previewIndex_ = -1;
    int previewSize_ = 32;
    std::string previewFace_;
    std::string skinDir_;
    std::string buttonsDir_;
    layout::PaneSizes paneSizes_;
    int dragStartSize_ = 0;
};
