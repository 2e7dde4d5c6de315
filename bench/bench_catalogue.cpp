// Windows benchmark (run under Wine, on a display): the font catalogue of the
// client window over one large collection, next to the glyphscan-only loop over
// the same files (the floor).
//
// It copies the corpus under distinct names into one collection of a fonts
// root of its own, opens TfrmMiddle over that root and, in interleaved rounds,
// times listing the collection from lbFoldersClick to the painted fonts list:
// a first listing (a window opened without a catalogue cache file), the time
// to its first painted row, and a second listing (the cache holds every file);
// then single keystrokes in the search box, after a listing and while a first
// listing reads, and the cache file's size per font. A few passes that make only some of
// the listing's calls tell where its time goes. Given a mixed corpus (TrueType,
// OpenType CFF and collection files), a second collection holds links to its
// files, and listing it is timed beside the program's font reader over the
// same files, the floor for formats that glyphscan does not read.
// Usage: bench_catalogue CORPUS_DIR [ROUNDS] [FILES] [MIXED_DIR]
//        (Windows paths, e.g. Z:\work\corpus)
#include "bench_window.h"
#include "timing.h"
#include "wine_corpus.h"

#include "child.h"
#include "control_ids.h"
#include "font_catalogue.h"
#include "font_file_win.h"
#include "font_listing.h"
#include "frm_middle.h"
#include "gdiplus_raii.h"
#include "glyphscan.h"
#include "handles.h"
#include "list_controls.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kCollection = "Bench";
constexpr const char* kMixedCollection = "Bench Mixed";

// The search box's text before the narrowing keystroke, and the key typed.
constexpr const char* kTypedBefore = "san";
constexpr char kTypedKey = 's';

// The longest a single message took the window's thread while a listing
// read: how long a key or click may wait behind the listing's batches.
double g_longestMessageUs = 0;

// Handles every waiting message, timing each.
void PumpTimed() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        const auto start = std::chrono::steady_clock::now();
        TranslateMessage(&message);
        DispatchMessageA(&message);
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        if (us > g_longestMessageUs)
            g_longestMessageUs = us;
    }
}

// Handles the window's messages until the listing has read its last file.
void PumpUntilListed(const TfrmMiddle& form) {
    while (form.ListingFonts()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpTimed();
    }
}

// Handles the window's messages until done() holds or the listing ended.
template <class Done> void PumpUntil(const TfrmMiddle& form, Done done) {
    while (!done() && form.ListingFonts()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        PumpTimed();
    }
}

// Paints what is invalid now, as the message loop would next.
void PaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

unsigned RowCount(HWND list) {
    return static_cast<unsigned>(SendMessageA(list, LB_GETCOUNT, 0, 0));
}

// The row of lbFolders showing text; -1 when there is none.
int FolderRow(HWND list, const std::string& text) {
    const nq::ListBox folders(list);
    for (int row = 0; row < folders.Count(); ++row)
        if (folders.Text(row) == text)
            return row;
    return -1;
}

// The current row of lbFolders, as a click makes it.
void SelectFolderRow(HWND list, int row) {
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SETSEL, TRUE, row);
    SendMessageA(list, LB_SETCARETINDEX, row, FALSE);
}

// Sets the search box's text (the window rebuilds the list) with the caret at its end.
void SetSearchText(HWND edit, const std::string& text) {
    SetWindowTextA(edit, text.c_str());
    const LPARAM end = static_cast<LPARAM>(text.size());
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
}

// A key typed into the edit control: it changes its text and notifies the window.
void TypeKey(HWND edit, char key) {
    SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
}

char g_names[4][1024]; // the catalogue reuses one set of buffers per listing; so does the floor

} // namespace

int main(int argc, char** argv) {
    // As in the program: the window's skinned paints draw through GDI+.
    const nq::GdiplusSession gdiplus;
    const std::optional<bench::CorpusArgs> args = bench::ParseCorpusArgs(argc, argv, 2000, "FILES");
    if (!args)
        return 2;
    const std::string& corpus = args->Corpus;
    const std::vector<std::string>& sources = args->Sources;
    const int rounds = args->Rounds;
    const std::size_t fileCount = args->Count;

    // A fonts root holding one collection of fileCount copies, and a program folder.
    bench::ScratchFolder scratch("nq-bench-catalogue");
    const std::string fontsRoot = scratch.Path() + "fonts\\";
    const std::string programFolder = scratch.Path() + "program\\";
    const std::string folder = fontsRoot + kCollection + "\\";
    CreateDirectoryA(fontsRoot.c_str(), nullptr);
    const FontScope scope(ScopeKind::Machine, fontsRoot);
    CreateDirectoryA(programFolder.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (std::size_t i = 0; i < fileCount; ++i) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04zu-", i);
        const std::string& source = sources[i % sources.size()];
        if (!CopyFileA((corpus + source).c_str(), (folder + prefix + source).c_str(), TRUE)) {
            std::fprintf(stderr, "cannot copy %s into %s\n", source.c_str(), folder.c_str());
            return 1;
        }
    }
    std::vector<std::string> paths;
    for (const std::string& name : bench::FileNames(folder, "*.*"))
        paths.push_back(folder + name);

    // The mixed corpus as a collection of links to its files: its collections
    // are large, and a link costs no copy.
    const bool mixed = argc > 4;
    const std::string mixedCorpus = mixed ? std::string(argv[4]) + "\\" : std::string();
    const std::string mixedFolder = fontsRoot + kMixedCollection + "\\";
    std::vector<std::string> mixedPaths;
    if (mixed) {
        CreateDirectoryA(mixedFolder.c_str(), nullptr);
        for (const std::string& name : bench::FileNames(mixedCorpus, "*.*")) {
            const std::string from = mixedCorpus + name, to = mixedFolder + name;
            if (!CreateHardLinkA(to.c_str(), from.c_str(), nullptr) &&
                !CopyFileA(from.c_str(), to.c_str(), TRUE)) {
                std::fprintf(stderr, "cannot link %s into %s\n", name.c_str(), mixedFolder.c_str());
                return 1;
            }
            mixedPaths.push_back(to);
        }
    }
    std::size_t mixedReadable = 0;
    for (const std::string& path : mixedPaths)
        mixedReadable += nq::fontfile::ReadFontFile(path).has_value();

    std::size_t accepted = 0;
    for (const std::string& path : paths)
        accepted += GetFontProps(path.c_str(), g_names[0], g_names[1], g_names[2], g_names[3]) == 1;
    std::printf("Wine, catalogue: %zu copies of %zu corpus files in %s\n", paths.size(),
                sources.size(), folder.c_str());
    std::printf("GetFontProps accepts %zu of %zu files\n", accepted, paths.size());

    bench::RefusingPrompts prompts;
    const std::string cachePath = programFolder + "NimbQuillbox.cache";
    std::unique_ptr<TfrmMiddle> form;
    struct Controls {
        HWND lbFolders, lbFonts, editSearch;
    } c{};
    int collectionRow = -1, mixedRow = -1;
    bool benchListed = false; // the form listed the collection since it was opened
    // A window over the fonts root, with the catalogue cache file kept or not.
    auto reopen = [&](bool keepCache) {
        form.reset();
        if (!keepCache)
            DeleteFileA(cachePath.c_str());
        form = bench::OpenForm(prompts, programFolder, fontsRoot);
        if (!form)
            return false;
        c = {nq::FindDescendant(form->Handle(), ctl::LbFolders),
             nq::FindDescendant(form->Handle(), ctl::LbFonts),
             nq::FindDescendant(form->Handle(), ctl::EditSearch)};
        collectionRow = FolderRow(c.lbFolders, kCollection);
        mixedRow = mixed ? FolderRow(c.lbFolders, kMixedCollection) : -1;
        benchListed = false;
        return true;
    };
    if (!reopen(false))
        return 1;
    if (collectionRow < 0 || (mixed && mixedRow < 0)) {
        std::fprintf(stderr, "lbFolders does not show the benchmark's collections\n");
        return 1;
    }

    // The records of the collection, for the passes that make single calls.
    std::vector<std::unique_ptr<FontDescr>> records;
    ScanFontFolder(folder, scope, [&](std::unique_ptr<FontDescr> record) {
        records.push_back(std::move(record));
    });

    // A listing without a window, its cache filled by one listing.
    nq::FontListing cachedListing;
    cachedListing.Start(folder, scope, {});
    cachedListing.Wait();
    cachedListing.TakeBatches();

    // A hidden list box made like lbFonts, for the rows alone; a window of its
    // own, as the passes open windows anew.
    bench::UniqueWindow rowsOnly(CreateWindowExA(
        0, "LISTBOX", "",
        static_cast<DWORD>(GetWindowLongPtrA(c.lbFonts, GWL_STYLE)) & ~(WS_VISIBLE | WS_CHILD), 0,
        0, 200, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));

    // Listing starts from the placeholder in the search box (every record is
    // listed) and from "All Fonts", an empty folder, as the current row.
    auto prepareListingOf = [&](int row) {
        if (form->SearchActive()) {
            SetSearchText(c.editSearch, "");
            form->editSearchExit(); // the box loses the focus: the placeholder comes back
        }
        SelectFolderRow(c.lbFolders, 0);
        form->lbFoldersClick();
        PumpUntilListed(*form);
        SelectFolderRow(c.lbFolders, row);
        bench::Pump();
    };
    auto prepareListing = [&] { prepareListingOf(collectionRow); };
    // A first listing: a window without the cache file.
    auto prepareFirstListing = [&] {
        reopen(false);
        prepareListing();
    };
    // The collection listed whole in this window.
    auto ensureListed = [&] {
        if (benchListed && !form->ListingFonts())
            return;
        prepareListing();
        form->lbFoldersClick();
        PumpUntilListed(*form);
        benchListed = true;
    };
    auto listAndPaint = [&] {
        form->lbFoldersClick();
        PumpUntilListed(*form);
        benchListed = true;
        PaintNow(form->Handle());
        return RowCount(c.lbFonts);
    };
    unsigned listedRows = 0, cachedRows = 0, firstRows = 0, narrowedRows = 0, widenedRows = 0,
             midRows = 0, mixedRows = 0;

    std::vector<bench::Pass> passes = {
        {"floor",
         "GetFontProps with four 1024-byte buffers, per file",
         [&] {
             unsigned fold = 0;
             for (const std::string& path : paths)
                 fold += static_cast<unsigned>(
                     GetFontProps(path.c_str(), g_names[0], g_names[1], g_names[2], g_names[3]));
             return fold;
         },
         {}},
        {"first listing",
         "lbFoldersClick on the collection's row, no cache file: every record arrives, the "
         "list paints",
         [&] { return listedRows = listAndPaint(); }, prepareFirstListing},
        {"second listing", "the same with the cache holding every file",
         [&] { return cachedRows = listAndPaint(); },
         [&] {
             ensureListed();
             prepareListing();
         }},
        {"first row", "lbFoldersClick, no cache file: until the first row arrives and paints",
         [&] {
             form->lbFoldersClick();
             PumpUntil(*form, [&] { return RowCount(c.lbFonts) > 0; });
             PaintNow(form->Handle());
             return firstRows = RowCount(c.lbFonts);
         },
         prepareFirstListing},
        {"keystroke mid-listing",
         "\"s\" typed after \"san\" with half the records of a first listing arrived",
         [&] {
             TypeKey(c.editSearch, kTypedKey);
             PaintNow(form->Handle());
             return midRows = RowCount(c.lbFonts);
         },
         [&] {
             prepareFirstListing();
             form->lbFoldersClick();
             SetSearchText(c.editSearch, kTypedBefore);
             PumpUntil(*form, [&] { return form->Fonts()->size() * 2 >= accepted; });
         }},
        {"keystroke", "\"s\" typed after \"san\": EN_CHANGE, editSearchChange, paint",
         [&] {
             TypeKey(c.editSearch, kTypedKey);
             PaintNow(form->Handle());
             return narrowedRows = RowCount(c.lbFonts);
         },
         [&] {
             ensureListed();
             SetSearchText(c.editSearch, kTypedBefore);
             bench::Pump();
         }},
        {"keystroke all", "Backspace empties the box: every record is listed again",
         [&] {
             TypeKey(c.editSearch, '\b');
             PaintNow(form->Handle());
             return widenedRows = RowCount(c.lbFonts);
         },
         [&] {
             ensureListed();
             SetSearchText(c.editSearch, "s");
             bench::Pump();
         }},
        // Parts of the listing, each alone.
        {"  enumeration",
         "FindFirstFileA/FindNextFileA over the folder",
         [&] { return static_cast<unsigned>(bench::FileNames(folder, "*.*").size()); },
         {}},
        {"  description",
         "GetFontResourceInfoW, query type 1, per file",
         [&] {
             unsigned fold = 0;
             for (const std::string& path : paths)
                 fold += static_cast<unsigned>(FontResourceDescription(path).size());
             return fold;
         },
         {}},
        {"  registry",
         "CheckInstalled: open the HKLM key, read its two value names, close, per file",
         [&] {
             unsigned fold = 0;
             for (const std::unique_ptr<FontDescr>& record : records) {
                 CheckInstalled(*record, scope);
                 fold += record->Installed;
             }
             return fold;
         },
         {}},
        {"  records",
         "ScanFontFolder: all of the above, making the records",
         [&] {
             unsigned fold = 0;
             ScanFontFolder(folder, scope, [&](std::unique_ptr<FontDescr>) { ++fold; });
             return fold;
         },
         {}},
        {"  cached records",
         "FontListing alone, its cache holding every file: enumeration, cache, registry",
         [&] {
             cachedListing.Start(folder, scope, {});
             cachedListing.Wait();
             unsigned fold = 0;
             for (const nq::ListingBatch& batch : cachedListing.TakeBatches())
                 fold += static_cast<unsigned>(batch.Records.size());
             return fold;
         },
         {}},
        {"  sorted rows",
         "LB_RESETCONTENT, then LB_ADDSTRING and LB_SETITEMDATA per record",
         [&] {
             HWND list = rowsOnly.get();
             SendMessageA(list, WM_SETREDRAW, FALSE, 0);
             SendMessageA(list, LB_RESETCONTENT, 0, 0);
             for (const std::unique_ptr<FontDescr>& record : records) {
                 const LRESULT row = SendMessageA(list, LB_ADDSTRING, 0,
                                                  reinterpret_cast<LPARAM>(record->Name.c_str()));
                 SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(row),
                              reinterpret_cast<LPARAM>(record.get()));
             }
             SendMessageA(list, WM_SETREDRAW, TRUE, 0);
             return RowCount(list);
         },
         {}},
    };

    const std::size_t mixedFloorPass = passes.size();
    if (mixed) {
        passes.push_back({"mixed floor",
                          "the program's font reader (ReadFontFile), per file of the mixed "
                          "collection",
                          [&] {
                              unsigned fold = 0;
                              for (const std::string& path : mixedPaths)
                                  if (const auto info = nq::fontfile::ReadFontFile(path))
                                      fold += static_cast<unsigned>(info->Faces.size());
                              return fold;
                          },
                          {}});
        passes.push_back({"mixed listing",
                          "lbFoldersClick on the mixed collection's row, no cache file, then "
                          "the list paints",
                          [&] { return mixedRows = listAndPaint(); },
                          [&] {
                              reopen(false);
                              prepareListingOf(mixedRow);
                          }});
    }

    const bench::Figures figures = bench::MeasurePasses(passes, rounds);
    bench::PrintPassTable(passes, figures, paths.size(), rounds);
    std::printf("Rows: first listing %u, second listing %u, at the first row %u, after the "
                "keystroke %u (mid-listing %u), after Backspace %u\n",
                listedRows, cachedRows, firstRows, narrowedRows, midRows, widenedRows);
    if (mixed)
        std::printf("Mixed collection: %zu files (TrueType, OpenType CFF, collections), %u rows; "
                    "per file: floor %.1f us, listing %.1f us\n",
                    mixedPaths.size(), mixedRows,
                    figures.median_us[mixedFloorPass] / static_cast<double>(mixedPaths.size()),
                    figures.median_us[mixedFloorPass + 1] / static_cast<double>(mixedPaths.size()));

    enum : std::size_t { kFloor, kFirst, kSecond, kFirstRow, kMidKey, kKey, kKeyAll };
    bench::PrintRatio("first listing / floor", figures, kFirst, kFloor, bench::Bound::AtMost, 2.0);
    if (mixed)
        bench::PrintRatio("mixed listing / mixed floor", figures, mixedFloorPass + 1,
                          mixedFloorPass, bench::Bound::AtMost, 2.0);
    bench::PrintRatio("second listing / first", figures, kSecond, kFirst, bench::Bound::AtMost,
                      0.1);
    bench::PrintTarget("first row", figures.median_us[kFirstRow] / 1000, " ms", bench::Bound::Below,
                       150);
    bench::PrintTarget("keystroke mid-listing", figures.median_us[kMidKey] / 1000, " ms",
                       bench::Bound::Below, 50);
    bench::PrintTarget("keystroke", figures.median_us[kKey] / 1000, " ms", bench::Bound::Below, 50);
    bench::PrintTarget("keystroke all", figures.median_us[kKeyAll] / 1000, " ms",
                       bench::Bound::Below, 50);

    std::printf("Longest message handled while a listing read: %.1f ms (target for a key: < 50 "
                "ms)\n",
                g_longestMessageUs / 1000);

    // The cache file as the window leaves it: every file of both collections.
    reopen(false);
    ensureListed();
    if (mixed) {
        prepareListingOf(mixedRow);
        form->lbFoldersClick();
        PumpUntilListed(*form);
    }
    form.reset();
    const std::size_t cachedFiles = paths.size() + mixedPaths.size();
    WIN32_FILE_ATTRIBUTE_DATA cacheFile{};
    const bool cacheWritten =
        GetFileAttributesExA(cachePath.c_str(), GetFileExInfoStandard, &cacheFile) != 0;
    std::printf("Cache file: %lu bytes for %zu files, %.0f bytes per font file\n",
                cacheFile.nFileSizeLow, cachedFiles,
                static_cast<double>(cacheFile.nFileSizeLow) / static_cast<double>(cachedFiles));

    // Figures of a run that did not do what it says mean nothing.
    bool sound = true;
    if (listedRows != accepted || cachedRows != accepted || records.size() != accepted) {
        std::printf("CHECK FAILED: %u rows listed, %u from the cache, %zu records, %zu readable "
                    "files\n",
                    listedRows, cachedRows, records.size(), accepted);
        sound = false;
    }
    if (firstRows == 0 || firstRows >= accepted) {
        std::printf("CHECK FAILED: %u rows at the first row (the listing was not timed while it "
                    "read)\n",
                    firstRows);
        sound = false;
    }
    if (mixed && mixedRows != mixedReadable) {
        std::printf("CHECK FAILED: %u rows of the mixed collection, %zu readable files\n",
                    mixedRows, mixedReadable);
        sound = false;
    }
    if (narrowedRows == 0 || narrowedRows >= accepted || widenedRows != accepted ||
        midRows > narrowedRows) {
        std::printf("CHECK FAILED: the keystrokes did not filter the list as typed\n");
        sound = false;
    }
    if (!cacheWritten) {
        std::printf("CHECK FAILED: no cache file\n");
        sound = false;
    }
    if (prompts.Shown) {
        std::printf("CHECK FAILED: %d prompts were shown\n", prompts.Shown);
        sound = false;
    }
    rowsOnly.reset(); // a child of the window: it goes first
    return sound ? 0 : 1;
}
