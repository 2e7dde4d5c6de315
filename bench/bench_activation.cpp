// Windows benchmark (run under Wine, on a display): switching a collection of
// registered fonts off and back on, with a WM_FONTCHANGE broadcast after every
// font and with one broadcast at the end, beside the floor: the same registry
// writes and font-resource calls without any broadcast, registry read-back or
// list file; for switching on also the floor with the two reads a switch-on
// must make per font (whether the value is another file's, and the read-back).
// The end state of both variants is the same.
//
// It copies the corpus under distinct names into one collection of a fonts
// root of its own under the temporary folder, gives every record a font name
// of its own (so that the registry values meet no other font), and removes
// the values and the files at the end.
// Usage: bench_activation CORPUS_DIR [ROUNDS] [FONTS]   (a Windows path, e.g. Z:\work\corpus)
#include "timing.h"
#include "wine_corpus.h"

#include "file_operations.h"
#include "font_activation.h"
#include "handles.h"
#include "registry.h"

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// The program has five top-level windows, and every broadcast reaches them.
constexpr int kProgramWindows = 5;

struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = nq::Unique<WindowTraits>;

unsigned CountRegistered(const FontList& fonts) {
    unsigned count = 0;
    for (const std::unique_ptr<FontDescr>& record : fonts)
        count += nq::ReadString(HKEY_LOCAL_MACHINE, nq::kFontsKey, FontValueName(*record)) ==
                 record->Path;
    return count;
}

void PrintRatio(const char* label, const bench::Figures& figures, std::size_t num,
                std::size_t den) {
    std::vector<double> ratios;
    for (std::size_t r = 0; r < figures.rounds_us[num].size(); ++r)
        ratios.push_back(figures.rounds_us[num][r] / figures.rounds_us[den][r]);
    std::printf("  %-32s %6.2f\n", label, bench::Median(ratios));
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<bench::CorpusArgs> args = bench::ParseCorpusArgs(argc, argv, 500, "FONTS");
    if (!args)
        return 2;
    const std::string& corpus = args->Corpus;
    const std::vector<std::string>& sources = args->Sources;
    const int rounds = args->Rounds;
    const std::size_t fontCount = args->Count;

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string pid = std::to_string(GetCurrentProcessId());
    const std::string fontsRoot = std::string(temp) + "nq-bench-activation-" + pid + "\\";
    const std::string folder = fontsRoot + "Bench\\";
    CreateDirectoryA(fontsRoot.c_str(), nullptr);
    const FontScope scope(ScopeKind::Machine, fontsRoot);
    CreateDirectoryA(folder.c_str(), nullptr);

    FontList fonts;
    for (std::size_t i = 0; i < fontCount; ++i) {
        const std::string& source = sources[i % sources.size()];
        const std::string target = folder + std::to_string(i) + "-" + source;
        std::unique_ptr<FontDescr> record;
        if (CopyFontFile(corpus + source, target))
            record = AddFontFile(target, scope);
        if (!record) {
            std::fprintf(stderr, "cannot copy or read %s\n", source.c_str());
            return 1;
        }
        record->Name = "NQ Bench " + pid + " " + std::to_string(i) + " " + record->Name;
        fonts.push_back(std::move(record));
    }

    std::vector<UniqueWindow> windows;
    for (int i = 0; i < kProgramWindows; ++i)
        windows.emplace_back(CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 10, 10, nullptr,
                                             nullptr, GetModuleHandleA(nullptr), nullptr));

    // The states the passes start from, made without being timed.
    auto makeOn = [&] {
        for (const std::unique_ptr<FontDescr>& record : fonts)
            InstallFont(*record, scope, false);
        DeleteFileA(DisabledListPath(folder).c_str());
    };
    auto makeOff = [&] {
        makeOn();
        SwitchCollectionOff(fonts, folder, scope, CollectionBroadcast::OnceAtEnd);
    };
    auto switchOff = [&](CollectionBroadcast broadcast) {
        return static_cast<unsigned>(SwitchCollectionOff(fonts, folder, scope, broadcast).empty());
    };
    auto switchOn = [&](CollectionBroadcast broadcast) {
        return static_cast<unsigned>(SwitchCollectionOn(fonts, folder, scope, broadcast).empty());
    };
    // Figures of switches that did not do what they say mean nothing: each
    // variant runs once untimed and the registry is read back after it.
    unsigned registeredAfterOff = 0, registeredAfterOn = 0;
    for (CollectionBroadcast broadcast :
         {CollectionBroadcast::PerFont, CollectionBroadcast::OnceAtEnd}) {
        makeOn();
        switchOff(broadcast);
        registeredAfterOff += CountRegistered(fonts);
        makeOff();
        switchOn(broadcast);
        registeredAfterOn += static_cast<unsigned>(fontCount) - CountRegistered(fonts);
    }

    // The bare calls of switching on, with or without the two reads the
    // registration rule needs.
    auto onFloor = [&](bool reads) {
        unsigned fold = 0;
        for (const std::unique_ptr<FontDescr>& record : fonts) {
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, nq::kFontsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr);
            const std::string value = FontValueName(*record);
            if (reads)
                fold += nq::ReadKeyString(key, value).empty();
            RegSetValueExA(key, value.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(record->Path.c_str()),
                           static_cast<DWORD>(record->Path.size() + 1));
            fold += AddFontResourceA(record->Path.c_str()) > 0;
            if (reads)
                fold += nq::ReadKeyString(key, value) == record->Path;
            RegCloseKey(key);
        }
        return fold;
    };
    const std::vector<bench::Pass> passes = {
        {"off, per font", "SwitchCollectionOff, a broadcast after every font",
         [&] { return switchOff(CollectionBroadcast::PerFont); }, makeOn},
        {"off, at the end", "SwitchCollectionOff, one broadcast after the last font",
         [&] { return switchOff(CollectionBroadcast::OnceAtEnd); }, makeOn},
        {"off floor",
         "per font: RegCreateKeyExA, RegDeleteValueA, RegDeleteKeyA, RemoveFontResourceA, "
         "RegCloseKey",
         [&] {
             unsigned fold = 0;
             for (const std::unique_ptr<FontDescr>& record : fonts) {
                 HKEY key = nullptr;
                 RegCreateKeyExA(HKEY_LOCAL_MACHINE, nq::kFontsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr);
                 const std::string value = FontValueName(*record);
                 fold += RegDeleteValueA(key, value.c_str()) == ERROR_SUCCESS;
                 RegDeleteKeyA(key, value.c_str());
                 RemoveFontResourceA(record->Path.c_str());
                 RegCloseKey(key);
             }
             return fold;
         },
         makeOn},
        {"on, per font", "SwitchCollectionOn, a broadcast after every font",
         [&] { return switchOn(CollectionBroadcast::PerFont); }, makeOff},
        {"on, at the end", "SwitchCollectionOn, one broadcast after the last font",
         [&] { return switchOn(CollectionBroadcast::OnceAtEnd); }, makeOff},
        {"on floor", "per font: RegCreateKeyExA, RegSetValueExA, AddFontResourceA, RegCloseKey",
         [&] { return onFloor(false); }, makeOff},
        {"on floor + reads",
         "the on floor with a RegQueryValueExA of the value before the write (is it another "
         "file's?) and after it (the read-back)",
         [&] { return onFloor(true); }, makeOff},
    };
    const std::vector<bench::Pass> broadcastAlone = {
        {"one broadcast",
         "SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0)",
         [] {
             BroadcastFontChange();
             return 1u;
         },
         {}}};

    std::printf("Wine, activation: a collection of %zu fonts copied from %zu corpus files\n",
                fonts.size(), sources.size());
    const bench::Figures figures = bench::MeasurePasses(passes, rounds);
    bench::PrintPassTable(passes, figures, fonts.size(), rounds);
    const bench::Figures single = bench::MeasurePasses(broadcastAlone, rounds);
    std::printf("  %-16s %9.3f ms   %s\n", broadcastAlone[0].name, single.median_us[0] / 1000,
                broadcastAlone[0].what);
    std::printf("Median ratios to the floor of the same direction:\n");
    PrintRatio("off, per font / off floor", figures, 0, 2);
    PrintRatio("off, at the end / off floor", figures, 1, 2);
    PrintRatio("on, per font / on floor", figures, 3, 5);
    PrintRatio("on, at the end / on floor", figures, 4, 5);
    PrintRatio("on, at the end / on floor + reads", figures, 4, 6);

    const bool sound = registeredAfterOff == 0 && registeredAfterOn == 0;
    if (!sound)
        std::printf("CHECK FAILED: %u fonts stayed registered after switching off, %u were "
                    "missing after switching on\n",
                    registeredAfterOff, registeredAfterOn);

    for (const std::unique_ptr<FontDescr>& record : fonts) {
        UninstallFont(*record, scope, false);
        DeleteFileA(record->Path.c_str());
    }
    BroadcastFontChange();
    DeleteFileA(DisabledListPath(folder).c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(fontsRoot.c_str());
    return sound ? 0 : 1;
}
