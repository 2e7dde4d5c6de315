// The commands of the client window that more than one way reaches: a key, a
// right-click menu item, a bar button or a drag. Each has one handler in
// TfrmMiddle; keys and menu items are translated to these and run through it.
// Portable: no Windows calls.
#pragma once

namespace nq {

enum class Command {
    None,
    SwitchFonts,       // the selected fonts: any off → all on, else all off
    SwitchCollection,  // the current collection on or off
    TrashFonts,        // the selected fonts to the recycle bin, after the question
    TrashCollection,   // the current collection to the recycle bin, after the question
    MoveFonts,         // the selected fonts into the collection of a row of lbFolders
    CopyFontNames,     // the selected fonts' names to the clipboard
    ShowFontInFolder,  // Explorer with the focused font's file selected
    OpenFolder,        // Explorer in the current collection's folder
    RenameCollection,  // asks for a new name for the current collection
    NewCollection,     // asks for the name of a new collection
    RefreshCollection, // reads the current collection again from disk
    FocusSearch,       // the caret to the search box, its text selected
    ClearSearch,       // empties the search box: every font again
    SelectAllFonts,    // every row of the fonts list
    PreviewFont,       // the preview shows the focused font
    NextControl,       // the focus to the next of the five controls
    PreviousControl,   // ... and back
};

} // namespace nq
