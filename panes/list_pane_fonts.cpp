#include "list_pane_fonts.h"

#include "list_drawing.h"
#include "ui_fonts.h"

#include <utility>

namespace nq {

void ListPaneFonts::Apply(int dpi, Panel& header, HWND list, ButtonBar& bar) {
    UniqueGdiObject headerFont = CreateUiFont(-11, dpi);
    UniqueGdiObject listFont = CreateUiFont(-11, dpi);
    header.SetFont(AsFont(headerFont));
    // An owner-drawn list keeps its row height through a new font: set after it.
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), FALSE);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, Scaled(kListRowHeight, dpi));
    bar.ApplyDpi(dpi);
    header_ = std::move(headerFont);
    list_ = std::move(listFont);
}

} // namespace nq
