// How a row of the collections and fonts lists looks: its text from 10 pixels
// in, the colours of the skin or the user's scheme, and a right-aligned "off"
// for a collection or font that is switched off.
#pragma once

#include "client_skin.h"
#include "skin_values.h"

#include <windows.h>

namespace nq {

// Rows are a fixed 15 pixels high at 96 DPI.
constexpr int kListRowHeight = 15;

enum class ListKind {
    Folders, // the marker is plain opaque text
    Fonts,   // the marker's cell is filled first, to the row's bottom
};

// The colours of a row, from the skin where it sets them, else the Windows
// scheme's: a selected row in highlight text on the highlight colour; others
// on the list colour (white), in inactive caption text when off, else in
// window text. The "off" marker takes the row's text colour unless the skin
// gives it one of its own for rows that are not selected.
struct RowColours {
    COLORREF Back, Text, Marker;
};
RowColours ListRowColours(const ColourValues& skin, bool selected, bool off);

// Answers WM_DRAWITEM for one row of a list whose rows keep their text
// (LBS_HASSTRINGS): fills the row in its background colour, writes the text
// (ending in an ellipsis where it does not fit before the row's end or the
// marker) and, when off, the marker, in the list's font, and draws the focus
// rectangle. The text's indent is scaled to the window's dpi.
void DrawListRow(const DRAWITEMSTRUCT& item, ListKind kind, bool off, const ColourValues& skin,
                 int dpi);

// Answers WM_CTLCOLORLISTBOX: the lists are in the skin's list colour below
// their rows too (white, as their rows, unless the skin sets another).
LRESULT ListBackground(const ClientSkin& skin, HDC dc);

// Where a context menu opened from the keyboard stands for a row of a list,
// in screen coordinates: below the row, where its text begins (at dpi); at
// the list's corner when row is not a row of it.
POINT RowMenuPoint(HWND list, int row, int dpi);

} // namespace nq
