// Every message box and text query of the client window goes through Prompts,
// so that tests can answer them and read what the user would have been shown.
// Texts and paths are UTF-8.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class Prompts {
  public:
    virtual ~Prompts() = default;

    // A modal message box; type holds the MB_ button and icon flags. Returns
    // the ID of the button pressed (IDOK, IDCANCEL, IDYES, ...).
    virtual int Message(HWND owner, const std::string& caption, const std::string& text,
                        UINT type) = 0;

    // A modal text query with OK and Cancel: the entered text on OK, nothing
    // on Cancel.
    virtual std::optional<std::string> QueryText(HWND owner, const std::string& caption,
                                                 const std::string& prompt,
                                                 const std::string& initial) = 0;

    // The open dialog for one existing file, offering one filter entry: its
    // description and its patterns ("*.fon;*.ttf"). The chosen file's full
    // path, nothing on Cancel.
    virtual std::optional<std::string> OpenFile(HWND owner, const std::string& filterName,
                                                const std::string& patterns) = 0;

    // Starts program (UTF-8 path) again with administrator rights and the
    // command-line parameters; Windows first asks the user's consent.
    enum class Elevation { Started, Declined, Failed };
    virtual Elevation StartElevated(HWND owner, const std::string& program,
                                    const std::string& parameters) = 0;

    // Pops up menu with its corner at the screen point, owned by owner, and
    // waits for the choice: the chosen item's ID, 0 when the menu was closed
    // without one.
    virtual UINT PopupMenu(HWND owner, HMENU menu, POINT screen) = 0;

    // Opens an Explorer window: in the folder path, or, with selectFile, in
    // the folder of the file path with that file selected. False when
    // Explorer could not be started.
    virtual bool ShowInExplorer(const std::string& path, bool selectFile) = 0;
};

// The ones the user sees: MessageBoxW, the input dialog, GetOpenFileNameW,
// TrackPopupMenuEx, Explorer and the shell's "runas" verb.
class WindowsPrompts final : public Prompts {
  public:
    int Message(HWND owner, const std::string& caption, const std::string& text,
                UINT type) override;
    std::optional<std::string> QueryText(HWND owner, const std::string& caption,
                                         const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<std::string> OpenFile(HWND owner, const std::string& filterName,
                                        const std::string& patterns) override;
    Elevation StartElevated(HWND owner, const std::string& program,
                            const std::string& parameters) override;
    UINT PopupMenu(HWND owner, HMENU menu, POINT screen) override;
    bool ShowInExplorer(const std::string& path, bool selectFile) override;
};
