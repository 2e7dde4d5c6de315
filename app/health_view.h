// The "Problems" window: what is wrong with the library of the font scope
// (registrations whose file is gone, files that do not load, the same font in
// more than one file, value names held by another file) with the fix next to
// each. A modeless window owned by the client window; nothing changes until
// the user selects rows and clicks "Fix", and the status line says what each
// fix did.
#pragma once

#include "font_scope.h"
#include "handles.h"
#include "library_health_scan.h"
#include "prompts.h"
#include "window_base.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace nq {

class HealthView final : public WindowBase {
  public:
    // Control IDs, for the tests' and outside tools' sake.
    static constexpr int kListId = 101;
    static constexpr int kFixId = 102;
    static constexpr int kCheckId = 103;
    static constexpr int kCloseId = 104;
    static constexpr int kStatusId = 105;
    static constexpr const char* kClassName = "NqProblemsWindow";
    static constexpr const char* kTitle = "Problems";

    // libraryChanged runs after fixes that changed a file or a registration,
    // so that the lists can show it.
    HealthView(Prompts& prompts, const FontScope& scope, std::function<void()> libraryChanged);

    // Shows the window owned by owner (or brings it back to the front) and
    // checks the library.
    void Open(HWND owner);
    // Checks the library again and lists what it found.
    void CheckAgain();
    // Applies the fix of every selected row; the rows fixed leave the list.
    void FixSelected();

    // The check's loading test; FontLoads unless a test says otherwise.
    void SetLoadTest(LoadTest loads) { loads_ = std::move(loads); }
    // The problems of the last check, in list order as first listed.
    const std::vector<catalogue::HealthProblem>& Problems() const { return problems_; }
    std::string StatusText() const;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void LayOut(int width, int height) const;
    // The font and the column widths for the window's DPI.
    void ApplyDpi(int dpi);
    void FillList();
    // The problems behind the selected rows, by index into problems_.
    std::vector<std::size_t> SelectedProblems() const;
    void RemoveRows(const std::vector<std::size_t>& fixed) const;
    void SetStatus(const std::string& text) const;
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }

    Prompts& prompts_;
    const FontScope& scope_;
    std::function<void()> libraryChanged_;
    LoadTest loads_ = FontLoads;
    std::vector<catalogue::HealthProblem> problems_;
    // The window's DPI, and its controls' font made for it.
    int dpi_ = 96;
    UniqueGdiObject font_;
};

} // namespace nq
