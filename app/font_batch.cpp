#include "font_batch.h"

#include "file_operations.h"
#include "font_activation.h"

FontChangeBroadcast::~FontChangeBroadcast() {
    if (changed_)
        BroadcastFontChange();
}

bool SwitchesOn(const std::vector<FontDescr*>& records) {
    for (const FontDescr* record : records)
        if (!record->Installed)
            return true;
    return false;
}

BatchResult SwitchFonts(const std::vector<FontDescr*>& records, bool on, const FontScope& scope) {
    BatchResult result;
    FontChangeBroadcast broadcast;
    for (FontDescr* record : records) {
        if (record->Installed == on) {
            result.Done.push_back(record);
            continue;
        }
        broadcast.Changed();
        if (on) {
            std::string error = InstallFont(*record, scope, false);
            if (!error.empty()) {
                result.Failed.push_back({record->Name, std::move(error)});
                continue;
            }
        } else {
            UninstallFont(*record, scope, false);
            if (record->Installed) {
                result.Failed.push_back({record->Name, "its registration could not be removed."});
                continue;
            }
        }
        result.Done.push_back(record);
    }
    return result;
}

BatchResult MoveFonts(const std::vector<FontDescr*>& records, const std::string& targetFolder,
                      const FontScope& scope) {
    BatchResult result;
    FontChangeBroadcast broadcast;
    for (FontDescr* record : records) {
        if (record->Installed)
            broadcast.Changed();
        MoveResult moved = MoveFontFile(*record, targetFolder, scope, false);
        if (moved.Moved)
            result.Done.push_back(record);
        // A moved font that could not be registered again is moved, and said so.
        if (!moved.Message.empty())
            result.Failed.push_back({record->Name, std::move(moved.Message)});
    }
    return result;
}

BatchResult TrashFonts(HWND owner, const std::vector<FontDescr*>& records, const FontScope& scope) {
    BatchResult result;
    FontChangeBroadcast broadcast;
    for (FontDescr* record : records) {
        if (record->Installed)
            broadcast.Changed();
        std::string error = TrashFont(owner, *record, scope, false);
        if (error.empty())
            result.Done.push_back(record);
        else
            result.Failed.push_back({record->Name, std::move(error)});
    }
    return result;
}
