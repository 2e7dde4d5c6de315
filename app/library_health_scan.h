// The health of the font scope's library, read from Windows: the scope's font
// key, its fonts root and the collection folders in it; and the fixes the
// problems view offers. Nothing changes during a check; each fix changes one
// problem's registration or file and says what it did.
#pragma once

#include "font_scope.h"
#include "library_health.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Whether Windows loads the file at path as a font resource: it is added for
// this process alone, hidden from its font lists, and removed again.
bool FontLoads(const std::string& path);
using LoadTest = std::function<bool(const std::string& path)>;

struct HealthScan {
    std::vector<nq::catalogue::HealthProblem> Problems;
    std::size_t Files = 0;  // font files looked at
    std::size_t Values = 0; // registry values looked at
};

// Reads every value of the scope's font key and every font file (by its
// extension, as the catalogue lists them) directly in the scope's root and in
// its collection folders: their names as the catalogue reads them, whether
// loads takes them, and the bytes of files whose size another file shares.
HealthScan ScanLibraryHealth(const FontScope& scope, const LoadTest& loads = FontLoads);

struct HealthFixResult {
    bool Fixed = false; // the problem is gone; otherwise Text says why not
    std::string Text;   // one sentence for the status line
};

// A value whose file is gone: the value is deleted, unless it has changed
// since the check and names files that are all there.
HealthFixResult RemoveStaleRegistration(const nq::catalogue::HealthProblem& problem,
                                        const FontScope& scope);

// A file that does not load, or a copy of a font: to the recycle bin with the
// program's trash operation (a font it registers is switched off first); the
// values still naming the file afterwards are removed with it.
HealthFixResult TrashProblemFile(HWND owner, const nq::catalogue::HealthProblem& problem,
                                 const FontScope& scope);

// A collection font whose value name another file holds: that file is
// switched off and this one registered under the name. When the value names
// another file than the check saw, nothing is changed.
HealthFixResult TakeOverRegistration(const nq::catalogue::HealthProblem& problem,
                                     const FontScope& scope);
