#include "context_menus.h"

namespace nq::menus {

namespace {

Item Separator() {
    return Item{};
}

Item Run(Command command, std::string text) {
    return Item{command, 0, std::move(text), {}};
}

void AddCommands(const std::vector<Item>& menu, std::vector<const Item*>& found) {
    for (const Item& item : menu) {
        if (item.Runs != Command::None)
            found.push_back(&item);
        AddCommands(item.Submenu, found);
    }
}

} // namespace

std::string Literal(const std::string& name) {
    std::string text;
    text.reserve(name.size());
    for (char c : name) {
        if (c == '&')
            text += '&';
        text += c;
    }
    return text;
}

std::vector<Item> FontRowsMenu(int selected, bool anyOff, const std::vector<MoveTarget>& targets) {
    std::vector<Item> menu;
    menu.push_back(Run(Command::SwitchFonts, anyOff ? "Switch &on\tSpace" : "Switch o&ff\tSpace"));
    Item moveTo{Command::None, 0, "&Move to", {}};
    for (const MoveTarget& target : targets)
        moveTo.Submenu.push_back(Item{Command::MoveFonts, target.Row, Literal(target.Name), {}});
    // A listing with no other collection has nowhere to move to.
    if (!moveTo.Submenu.empty())
        menu.push_back(std::move(moveTo));
    menu.push_back(Separator());
    menu.push_back(Run(Command::CopyFontNames, selected > 1 ? "&Copy names" : "&Copy name"));
    menu.push_back(Run(Command::ShowFontInFolder, "Show in &folder"));
    menu.push_back(Separator());
    menu.push_back(Run(Command::TrashFonts, "Move to &trash\tDel"));
    return menu;
}

std::vector<Item> CollectionRowMenu(int row, bool off) {
    if (row <= 0)
        return {Run(Command::OpenFolder, "&Open folder")};
    return {Run(Command::SwitchCollection, off ? "Switch &on\tSpace" : "Switch o&ff\tSpace"),
            Run(Command::RenameCollection, "&Rename\tF2"), Run(Command::OpenFolder, "&Open folder"),
            Separator(), Run(Command::TrashCollection, "Move to &trash\tDel")};
}

std::vector<Item> CollectionsBlankMenu() {
    return {Run(Command::NewCollection, "&New collection")};
}

std::vector<const Item*> Commands(const std::vector<Item>& menu) {
    std::vector<const Item*> found;
    AddCommands(menu, found);
    return found;
}

} // namespace nq::menus
