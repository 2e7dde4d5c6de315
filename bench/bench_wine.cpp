// Windows benchmark (run under Wine): GetFontProps of glyphscan.dll, bound
// through its import library, next to what merely mapping or opening the same
// files costs through the same kernel calls.
// Usage: bench_wine CORPUS_DIR [ROUNDS]   (a Windows path, e.g. Z:\work\corpus)
#include "timing.h"

#include "glyphscan.h"
#include "handles.h"

#include <cstdlib>

namespace {

// Opens as the reader does: read access, no sharing, sequential scan.
nq::UniqueFile OpenLikeReader(const std::string& path) {
    return nq::UniqueFile(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// CreateFileA, GetFileSize, CreateFileMappingA, MapViewOfFile, touch one byte,
// then unmap and close: the reader's calls without the parsing.
unsigned MappingFloor(const std::string& path) {
    nq::UniqueFile file = OpenLikeReader(path);
    if (!file)
        return 0;
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size == 0)
        return 0;
    nq::UniqueKernelHandle mapping(
        CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, size, nullptr));
    if (!mapping)
        return 0;
    nq::UniqueView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, size));
    if (!view)
        return 0;
    return *static_cast<const volatile unsigned char*>(view.get());
}

unsigned ReadFloor(const std::string& path) {
    nq::UniqueFile file = OpenLikeReader(path);
    if (!file)
        return 0;
    unsigned char head[4096];
    DWORD got = 0;
    if (!ReadFile(file.get(), head, sizeof head, &got, nullptr) || got == 0)
        return 0;
    return head[0] + got;
}

// The catalogue reuses one set of buffers for every file; so does this.
char g_full_name[1024], g_copyright[1024], g_trademark[1024], g_family[1024];

unsigned Dll(const std::string& path) {
    const int found = GetFontProps(path.c_str(), g_full_name, g_copyright, g_trademark, g_family);
    return static_cast<unsigned>(found) + static_cast<unsigned char>(g_family[0]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::string dir = argv[1];

    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    nq::UniqueFind find(FindFirstFileA((dir + "\\*.ttf").c_str(), &found));
    if (find) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(dir + "\\" + found.cFileName);
        } while (FindNextFileA(find.get(), &found));
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "%s: no .ttf files\n", dir.c_str());
        return 1;
    }

    // A DLL that finds nothing would look fast: say how many files it accepts.
    std::size_t accepted = 0;
    for (const std::string& f : files)
        accepted += GetFontProps(f.c_str(), g_full_name, g_copyright, g_trademark, g_family) == 1;

    const std::vector<bench::Method> methods = {
        {"mapping floor",
         "CreateFileA, GetFileSize, CreateFileMappingA, MapViewOfFile, touch 1 byte, unmap, close",
         MappingFloor},
        {"read floor", "CreateFileA, ReadFile 4 KiB, CloseHandle", ReadFloor},
        {"GetFontProps", "glyphscan.dll through its import library", Dll},
    };
    std::printf("Wine: %s\n", dir.c_str());
    std::printf("GetFontProps found a family in %zu of %zu files\n", accepted, files.size());
    const bench::Figures figures = bench::Measure(methods, files, rounds);
    bench::PrintTable(methods, figures, files.size(), rounds);
    bench::PrintRatio("GetFontProps / mapping floor", figures, 2, 0, bench::Bound::AtMost, 1.5);
    return 0;
}
