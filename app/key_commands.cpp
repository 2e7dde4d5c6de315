#include "key_commands.h"

namespace nq {

namespace {

// The virtual-key codes used here (winuser.h), so that the unit stays portable.
constexpr unsigned kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B, kSpace = 0x20, kDelete = 0x2E,
                   kF2 = 0x71, kF5 = 0x74;

bool IsLetter(unsigned key, char letter) {
    return key == static_cast<unsigned>(letter);
}

} // namespace

Command KeyCommand(const KeyStroke& key, KeyPlace place) {
    // Alt belongs to the window system (Alt+F4, Alt+Tab) and to menus.
    if (key.Alt)
        return Command::None;
    const bool inList = place == KeyPlace::Folders || place == KeyPlace::Fonts;
    if (key.Ctrl) {
        if (key.Shift)
            return Command::None;
        if (IsLetter(key.VirtualKey, 'F') || IsLetter(key.VirtualKey, 'E'))
            return Command::FocusSearch;
        if (IsLetter(key.VirtualKey, 'A') && place == KeyPlace::Fonts)
            return Command::SelectAllFonts;
        // Ctrl+Tab is a tab character in the sample text.
        return Command::None;
    }
    switch (key.VirtualKey) {
    case kTab:
        return key.Shift ? Command::PreviousControl : Command::NextControl;
    case kF5:
        return key.Shift ? Command::None : Command::RefreshCollection;
    case kF2:
        return key.Shift ? Command::None : Command::RenameCollection;
    }
    // Shift with the keys below is the control's own (Shift+Space in a list).
    if (key.Shift)
        return Command::None;
    switch (key.VirtualKey) {
    case kSpace:
        return !inList                    ? Command::None
               : place == KeyPlace::Fonts ? Command::SwitchFonts
                                          : Command::SwitchCollection;
    case kDelete:
        return !inList                    ? Command::None
               : place == KeyPlace::Fonts ? Command::TrashFonts
                                          : Command::TrashCollection;
    case kReturn:
        return place == KeyPlace::Fonts ? Command::PreviewFont : Command::None;
    case kEscape:
        return place == KeyPlace::Search ? Command::ClearSearch : Command::None;
    }
    return Command::None;
}

} // namespace nq
