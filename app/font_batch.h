// Operations on several fonts at once. Each font is either done or left as it
// was (its file, its registration); the ones left come back with the reason.
// The other windows are told of a font change once, after the last font.
#pragma once

#include "batch_report.h"
#include "font_descr.h"
#include "font_scope.h"

#include <windows.h>

#include <string>
#include <vector>

// Tells the other windows of a font change once, when it goes out of scope,
// if any font changed meanwhile.
class FontChangeBroadcast {
  public:
    FontChangeBroadcast() = default;
    FontChangeBroadcast(const FontChangeBroadcast&) = delete;
    FontChangeBroadcast& operator=(const FontChangeBroadcast&) = delete;
    ~FontChangeBroadcast();
    void Changed() { changed_ = true; }

  private:
    bool changed_ = false;
};

struct BatchResult {
    std::vector<FontDescr*> Done;
    std::vector<BatchFailure> Failed;
};

// Whether a switch of these records switches them on: when any of them is
// off. Then every one is switched on; otherwise every one off.
bool SwitchesOn(const std::vector<FontDescr*>& records);

// Switches every record on (on) or off; records in that state already count
// as done. A font that cannot be switched on has no registration of its own
// afterwards; one whose registration stays after the switch-off failed.
BatchResult SwitchFonts(const std::vector<FontDescr*>& records, bool on, const FontScope& scope);

// Moves every record's file into targetFolder as MoveFontFile does; Done are
// the records whose file lies there now.
BatchResult MoveFonts(const std::vector<FontDescr*>& records, const std::string& targetFolder,
                      const FontScope& scope);

// Sends every record's file to the recycle bin as TrashFont does; Done are
// the records whose file went.
BatchResult TrashFonts(HWND owner, const std::vector<FontDescr*>& records, const FontScope& scope);
