#include "collection_rename.h"

#include "batch_report.h"
#include "font_activation.h"
#include "font_batch.h"
#include "search_filter.h"
#include "system_error.h"
#include "text.h"

#include <windows.h>

#include <vector>

namespace {

bool LiesIn(const std::string& path, const std::string& lowerFolder) {
    return LowerAZ(path).compare(0, lowerFolder.size(), lowerFolder) == 0;
}

// Switches the records on again, and says which could not be.
std::vector<BatchFailure> SwitchOnAgain(const std::vector<FontDescr*>& records,
                                        const FontScope& scope) {
    std::vector<BatchFailure> failed;
    for (FontDescr* record : records)
        if (std::string error = InstallFont(*record, scope, false); !error.empty())
            failed.push_back({record->Name, std::move(error)});
    return failed;
}

} // namespace

RenameResult RenameCollectionFolder(const FontList& fonts, const std::string& fontsRoot,
                                    const std::string& oldName, const std::string& newName,
                                    const FontScope& scope) {
    const std::string oldFolder = fontsRoot + oldName + "\\";
    const std::string newFolder = fontsRoot + newName + "\\";
    const std::string lowerOld = LowerAZ(oldFolder);
    const std::string what =
        "The collection \"" + oldName + "\" could not be renamed to \"" + newName + "\"";

    FontChangeBroadcast broadcast;
    std::vector<FontDescr*> switchedOff;
    for (const std::unique_ptr<FontDescr>& record : fonts) {
        if (!record->Installed || !LiesIn(record->Path, lowerOld))
            continue;
        broadcast.Changed();
        UninstallFont(*record, scope, false);
        if (record->Installed) {
            // Its value would name a file that is no longer there.
            SwitchOnAgain(switchedOff, scope);
            return {false,
                    what + ", because the font " + record->Name + " could not be switched off."};
        }
        switchedOff.push_back(record.get());
    }

    const std::wstring from = nq::WideFromUtf8(fontsRoot + oldName);
    const std::wstring to = nq::WideFromUtf8(fontsRoot + newName);
    if (!MoveFileExW(from.c_str(), to.c_str(), 0)) {
        const DWORD error = GetLastError();
        SwitchOnAgain(switchedOff, scope);
        return {false, what + ": " + nq::SystemErrorText(error)};
    }
    for (const std::unique_ptr<FontDescr>& record : fonts)
        if (LiesIn(record->Path, lowerOld))
            record->Path = newFolder + record->Path.substr(oldFolder.size());
    const std::vector<BatchFailure> failed = SwitchOnAgain(switchedOff, scope);
    return {true, BatchFailureReport("switched on again", switchedOff.size(), failed)};
}
