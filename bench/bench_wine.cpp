// Windows benchmark (run under Wine): GetFontProps of glyphscan.dll, bound
// through its import library, next to what merely mapping or opening the same
// files costs through the same kernel calls, and the program's font reader
// beside it; given a mixed corpus, the program's reader over TrueType, OpenType
// CFF and collection files.
// Usage: bench_wine CORPUS_DIR [ROUNDS] [MIXED_CORPUS_DIR]   (Windows paths, e.g. Z:\work\corpus)
#include "timing.h"

#include "font_file_win.h"
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

// The program's reader by a UTF-8 path, as the catalogue will call it: every
// face, four names each.
unsigned ProgramReader(const std::string& path) {
    const auto info = nq::fontfile::ReadFontFile(path);
    return info ? static_cast<unsigned>(info->Faces.size()) : 0;
}

// The same, with every face's names turned into UTF-8 as the catalogue needs them.
unsigned ProgramReaderUtf8(const std::string& path) {
    const auto info = nq::fontfile::ReadFontFile(path);
    if (!info)
        return 0;
    for (const nq::fontfile::FontFace& face : info->Faces)
        bench::g_sink = bench::g_sink + nq::fontfile::FaceNamesUtf8(face).Family.size();
    return static_cast<unsigned>(info->Faces.size());
}

std::vector<std::string> FilesOf(const std::string& dir, const char* pattern) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    nq::UniqueFind find(FindFirstFileA((dir + pattern).c_str(), &found));
    if (find) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(dir + found.cFileName);
        } while (FindNextFileA(find.get(), &found));
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The program's reader over every sfnt format, beside GetFontProps (which reads
// the TrueType files and rejects the rest) and the mapping floor.
void MeasureMixed(const std::string& dir, int rounds, const std::vector<bench::Method>& methods) {
    std::printf("\nWine, mixed corpus: %s\n", dir.c_str());
    bench::MeasureMixedCorpus(methods, FilesOf(dir, "*.*"), rounds);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [ROUNDS] [MIXED_CORPUS_DIR]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::string dir = argv[1];

    const std::vector<std::string> files = FilesOf(dir + "\\", "*.ttf");
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
        {"program reader", "ReadFontFile by UTF-8 path: CreateFileW, map, every face's names",
         ProgramReader},
        {"reader + UTF-8", "the same, with every face's four names turned into UTF-8",
         ProgramReaderUtf8},
    };
    std::printf("Wine: %s\n", dir.c_str());
    std::printf("GetFontProps found a family in %zu of %zu files\n", accepted, files.size());
    const bench::Figures figures = bench::Measure(methods, files, rounds);
    bench::PrintTable(methods, figures, files.size(), rounds);
    bench::PrintRatio("GetFontProps / mapping floor", figures, 2, 0, bench::Bound::AtMost, 1.5);
    bench::PrintRatio("program reader / GetFontProps", figures, 3, 2, bench::Bound::AtMost, 1.1);
    bench::PrintRatio("reader + UTF-8 / GetFontProps", figures, 4, 2, bench::Bound::AtMost, 1.1);
    if (argc > 3)
        MeasureMixed(std::string(argv[3]) + "\\", rounds,
                     {methods[0], methods[2], methods[3], methods[4]});
    return 0;
}
