// Windows benchmark (run under Wine): checking a library's health, beside the
// floor of reading every file's names as a listing does. The check reads the
// same names, asks Windows to load every file, hashes the files whose size
// another file shares and reads every value of the font key; it runs with and
// without the loading.
//
// It copies the corpus under distinct names into ten collections of a fonts
// root of its own under the temporary folder (every source file thus several
// times: copies to find) and removes them at the end.
// Usage: bench_health CORPUS_DIR [ROUNDS] [FONTS]   (a Windows path, e.g. Z:\work\corpus)
#include "timing.h"
#include "wine_corpus.h"

#include "collection_store.h"
#include "file_operations.h"
#include "font_catalogue.h"
#include "library_health_scan.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int kCollections = 10;

void RemoveFolder(const std::string& folder) {
    for (const std::string& name : bench::FileNames(folder, "*"))
        DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<bench::CorpusArgs> args = bench::ParseCorpusArgs(argc, argv, 2000, "FONTS");
    if (!args)
        return 2;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string root =
        std::string(temp) + "nq-bench-health-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(root.c_str(), nullptr);
    std::vector<std::string> folders, files;
    for (int c = 0; c < kCollections; ++c) {
        folders.push_back(root + "C" + std::to_string(c) + "\\");
        CreateDirectoryA(folders.back().c_str(), nullptr);
    }
    for (std::size_t i = 0; i < args->Count; ++i) {
        const std::string& source = args->Sources[i % args->Sources.size()];
        const std::string target = folders[i % kCollections] + std::to_string(i) + "-" + source;
        if (!CopyFontFile(args->Corpus + source, target)) {
            std::fprintf(stderr, "cannot copy %s\n", source.c_str());
            return 1;
        }
        files.push_back(target);
    }
    const FontScope scope(ScopeKind::Machine, root);

    std::size_t problems = 0;
    const std::vector<bench::Pass> passes = {
        {"names",
         "ReadFontRecord per file (a listing's reads)",
         [&] {
             FontNameBuffers names{};
             unsigned read = 0;
             for (const std::string& file : files)
                 read += ReadFontRecord(file, scope, names) != nullptr;
             return read;
         },
         {}},
        {"check",
         "ScanLibraryHealth: names, AddFontResourceEx, hashes, values",
         [&] {
             const HealthScan scan = ScanLibraryHealth(scope);
             problems = scan.Problems.size();
             return static_cast<unsigned>(scan.Files);
         },
         {}},
        {"check, no load",
         "ScanLibraryHealth without the loading",
         [&] { return static_cast<unsigned>(ScanLibraryHealth(scope, nullptr).Files); },
         {}},
    };
    const bench::Figures figures = bench::MeasurePasses(passes, args->Rounds);
    std::printf("Library health check, %zu fonts in %d collections (%zu problems found)\n",
                files.size(), kCollections, problems);
    bench::PrintPassTable(passes, figures, files.size(), args->Rounds);
    std::vector<double> ratios, loadRatios;
    for (std::size_t r = 0; r < figures.rounds_us[0].size(); ++r) {
        ratios.push_back(figures.rounds_us[1][r] / figures.rounds_us[0][r]);
        loadRatios.push_back(figures.rounds_us[2][r] / figures.rounds_us[0][r]);
    }
    std::printf("  %-30s %6.2f\n", "check / names", bench::Median(ratios));
    std::printf("  %-30s %6.2f\n", "check without loading / names", bench::Median(loadRatios));

    for (const std::string& folder : folders)
        RemoveFolder(folder);
    RemoveDirectoryA(root.c_str());
    return 0;
}
