// The right-click menus of the collections list and the fonts list, as data:
// each item runs a command (the same as its key, button or drag). Portable:
// no Windows calls; the window turns the items into a popup menu.
#pragma once

#include "commands.h"

#include <string>
#include <vector>

namespace nq::menus {

struct Item {
    Command Runs = Command::None; // None with an empty text: a separator
    int Argument = 0;             // MoveFonts: the row of lbFolders to move into
    std::string Text;             // '&' marks the access key, a tab the key's name
    std::vector<Item> Submenu;    // when not empty, the item opens it
};

// A collection another font can be moved into: its row in lbFolders and its name.
struct MoveTarget {
    int Row = 0;
    std::string Name;
};

// A name shown as it is in a menu: '&' would otherwise underline the next letter.
std::string Literal(const std::string& name);

// The menu on selected font rows: switch on (when any of them is off) or
// off, Move to (every collection in targets), Copy name(s), Show in folder,
// Move to trash.
std::vector<Item> FontRowsMenu(int selected, bool anyOff, const std::vector<MoveTarget>& targets);

// The menu on a row of the collections list: row 0 ("All Fonts") offers only
// Open folder; a collection row switch on or off (by off), Rename, Open folder
// and Move to trash.
std::vector<Item> CollectionRowMenu(int row, bool off);

// The menu on the empty part of the collections list: New collection.
std::vector<Item> CollectionsBlankMenu();

// The items with a command, submenus' included, in menu order.
std::vector<const Item*> Commands(const std::vector<Item>& menu);

} // namespace nq::menus
