// How a row of the collections and fonts lists looks: its text from 10 pixels
// in, the colours of the user's scheme, and a right-aligned "off" for a
// collection or font that is switched off.
#pragma once

#include <windows.h>

namespace nq {

// Rows are a fixed 15 pixels high at 96 DPI.
constexpr int kListRowHeight = 15;

enum class ListKind {
    Folders, // the marker is plain opaque text
    Fonts,   // the marker's cell is filled first, to the row's bottom
};

// The system colour index of a row's text: highlight text when selected,
// otherwise inactive caption text when off, else window text.
int RowTextColourIndex(bool selected, bool off);

// Answers WM_DRAWITEM for one row of a list whose rows keep their text
// (LBS_HASSTRINGS): fills the row in the highlight colour or white, writes
// the text (ending in an ellipsis where it does not fit before the row's end
// or the marker) and, when off, the marker, in the list's font, and draws the
// focus rectangle. The text's indent is scaled to the window's dpi.
void DrawListRow(const DRAWITEMSTRUCT& item, ListKind kind, bool off, int dpi);

} // namespace nq
