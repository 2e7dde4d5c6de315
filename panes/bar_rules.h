// Which images the pane button bars and the search bar show, where they
// stand, and the fonts bar's count text. Portable: no Windows calls.
#pragma once

#include <optional>
#include <string>

namespace nq::bars {

// Image files of the current skin.
inline constexpr const char* kAddNorm = "+norm.png";
inline constexpr const char* kAddDown = "+down.png";
inline constexpr const char* kAddInactive = "+inactive.png";
inline constexpr const char* kEnableNorm = "enable_norm.png";
inline constexpr const char* kEnableDown = "enable_down.png";
inline constexpr const char* kDisableNorm = "disable_norm.png";
inline constexpr const char* kDisableDown = "disable_down.png";
inline constexpr const char* kSearchBar = "searchbar.png";
inline constexpr const char* kSearchBarMenu = "searchbar_menu.png";
inline constexpr const char* kSearchBarDelete = "searchbar_delete.png";

// Both bars: the add button's top-left corner, and the gap between it and
// the on/off button.
inline constexpr int kAddLeft = 2;
inline constexpr int kButtonTop = 6;
inline constexpr int kButtonGap = 4;
// The search bar's images keep 5 pixels from the right end, 3 from the top.
inline constexpr int kSearchImageRightGap = 5;
inline constexpr int kSearchImageTop = 3;

// The pressed state both bars share.
struct Pressed {
    bool Add = false;
    bool Toggle = false;
};

// The fonts bar's add button: greyed while no collection row is selected.
const char* FontsBarAddImage(bool collectionSelected, const Pressed& pressed);
// The collections bar's add button has no greyed form.
const char* CollectionsBarAddImage(const Pressed& pressed);
// The fonts bar's on/off button, shown only while a font is selected: it
// offers to switch the font off while it is installed, on otherwise. Null
// when no button is shown.
const char* FontsBarToggleImage(bool fontSelected, bool installed, const Pressed& pressed);
// The collections bar's on/off button, shown only while a collection row
// (not "All Fonts", row 0) is selected.
const char* CollectionsBarToggleImage(int collectionRow, bool collectionOff,
                                      const Pressed& pressed);

// What the buttons and areas of the toolbar and the bars say when the mouse
// rests on them; the on/off buttons name what a click will do.
inline constexpr const char* kCollectionsBarAddTip = "Create a new collection";
inline constexpr const char* kClearSearchTip = "Clear the search and list every font";
inline constexpr const char* kTrashTip =
    "Drop a font or collection here to move it to the recycle bin; click to open the recycle bin";
// The fonts bar's add button, with or without a collection to add to.
const char* FontsBarAddTip(bool collectionSelected);
// The on/off button switches the selected fonts: on when any is off.
const char* FontsBarToggleTip(int selected, bool anyOff);
const char* CollectionsBarToggleTip(bool collectionOff);

// The on/off button's left edge, right of an add image addWidth wide.
inline int ToggleLeft(int addWidth) {
    return kAddLeft + addWidth + kButtonGap;
}

// "1 font", "0 fonts", "25 fonts"; while a filter is in force, with total
// records: "3 of 17 fonts", "1 of 1 font".
std::string FontCountText(int listed, std::optional<int> totalWhileFiltered);

// The left edge of a search bar image imageWidth wide in a panel panelWidth wide.
inline int SearchImageLeft(int panelWidth, int imageWidth) {
    return panelWidth - kSearchImageRightGap - imageWidth;
}

} // namespace nq::bars
