// Native benchmark: what reading a font's four names costs per file, next to
// what merely mapping or opening the file costs, and next to FreeType; the
// program's font reader beside glyphscan's on the same TrueType files and, given
// a mixed corpus, over TrueType, OpenType CFF and collection files.
// Usage: bench_native CORPUS_DIR [ROUNDS] [MIXED_CORPUS_DIR]
#include "timing.h"

#include "font_file_posix.h"
#include "posix_file.h"
#include "posix_mapping.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unordered_map>

namespace {

using glyphscan::Mapping;

// Opens path read-only for as long as it lives.
class Fd : public glyphscan::Descriptor {
  public:
    explicit Fd(const std::string& path) : Descriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
};

// Open, size, map, touch the first byte, unmap, close: no parsing at all.
unsigned MappingFloor(const std::string& path) {
    Fd fd(path);
    struct stat st;
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || st.st_size == 0)
        return 0;
    Mapping map(fd.get(), static_cast<std::size_t>(st.st_size));
    return map.data() ? *static_cast<const volatile unsigned char*>(map.data()) : 0;
}

// Where each file's naming table starts, found before timing (0 when none is).
std::unordered_map<std::string, std::size_t> g_name_offset;

std::size_t FindNameOffset(const std::string& path) {
    Fd fd(path);
    unsigned char head[4096];
    const ssize_t got = fd.get() < 0 ? -1 : read(fd.get(), head, sizeof head);
    if (got < 12)
        return 0;
    const std::size_t tables = static_cast<std::size_t>(head[4] << 8 | head[5]);
    for (std::size_t i = 0; i < tables && 12 + 16 * (i + 1) <= static_cast<std::size_t>(got); ++i) {
        const unsigned char* entry = head + 12 + 16 * i;
        if (std::memcmp(entry, "name", 4) == 0)
            return static_cast<std::size_t>(entry[8]) << 24 | entry[9] << 16 | entry[10] << 8 |
                   entry[11];
    }
    return 0;
}

// The least a mapped reader of the naming table can cost: the mapping floor
// plus a touch of the table's first byte, which mostly lies on another page.
unsigned TwoPageFloor(const std::string& path) {
    Fd fd(path);
    struct stat st;
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || st.st_size == 0)
        return 0;
    Mapping map(fd.get(), static_cast<std::size_t>(st.st_size));
    if (!map.data())
        return 0;
    const std::size_t offset = g_name_offset[path];
    const auto* bytes = static_cast<const volatile unsigned char*>(map.data());
    return bytes[0] + (offset < static_cast<std::size_t>(st.st_size) ? bytes[offset] : 0);
}

unsigned ReadFloor(const std::string& path) {
    Fd fd(path);
    if (fd.get() < 0)
        return 0;
    unsigned char head[4096];
    const ssize_t got = read(fd.get(), head, sizeof head);
    return got > 0 ? head[0] + static_cast<unsigned>(got) : 0;
}

// The catalogue reuses one set of buffers for every file; so does this.
char g_full_name[1024], g_copyright[1024], g_trademark[1024], g_family[1024];

unsigned Reader(const std::string& path) {
    const int found =
        glyphscan::GetFontPropsPosix(path.c_str(), g_full_name, g_copyright, g_trademark, g_family);
    return static_cast<unsigned>(found) + static_cast<unsigned char>(g_family[0]);
}

// The program's reader: every face and its four names, as stored.
unsigned ProgramReader(const std::string& path) {
    const auto info = nq::fontfile::ReadFontFilePosix(path.c_str());
    return info ? static_cast<unsigned>(info->Faces.size()) : 0;
}

FT_Library g_freetype;

// Opens the face and takes the first record of each of name IDs 0, 1, 4 and 7,
// as the reader's slots do.
unsigned FreeType(const std::string& path) {
    FT_Face face;
    if (FT_New_Face(g_freetype, path.c_str(), 0, &face) != 0)
        return 0;
    char slots[4][1024] = {};
    unsigned found = 0;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count && found < 4; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0)
            continue;
        int slot = -1;
        switch (name.name_id) {
        case 4:
            slot = 0;
            break;
        case 0:
            slot = 1;
            break;
        case 7:
            slot = 2;
            break;
        case 1:
            slot = 3;
            break;
        default:
            continue;
        }
        if (slots[slot][0] != 0 || name.string_len == 0)
            continue;
        const std::size_t n = std::min<std::size_t>(name.string_len, 1023);
        std::memcpy(slots[slot], name.string, n);
        ++found;
    }
    FT_Done_Face(face);
    return found + static_cast<unsigned char>(slots[3][0]);
}

std::vector<std::string> FilesOf(const char* folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The program's reader over a corpus of every sfnt format, beside glyphscan's
// (which reads the TrueType files and rejects the rest) and the mapping floor.
void MeasureMixed(const char* folder, int rounds) {
    std::printf("\nnative, mixed corpus: %s\n", folder);
    bench::MeasureMixedCorpus(
        {{"mapping floor", "open, fstat, mmap, touch 1 byte, munmap, close", MappingFloor},
         {"glyphscan", "GetFontPropsPosix (TrueType 1.0 only)", Reader},
         {"program reader", "ReadFontFilePosix: every face, four names each", ProgramReader}},
        FilesOf(folder), rounds);
}

long MinorFaults() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Page faults are the dearest part of a mapped read here; counting them per
// file tells what a method's extra time over the mapping floor is made of.
void PrintFaults(const std::vector<bench::Method>& methods, const std::vector<std::string>& files) {
    std::printf("  page faults per file:");
    for (const bench::Method& m : methods) {
        const long before = MinorFaults();
        for (const std::string& f : files)
            bench::g_sink = bench::g_sink + m.run(f);
        const double per_file =
            static_cast<double>(MinorFaults() - before) / static_cast<double>(files.size());
        std::printf("  %s %.2f", m.name, per_file);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [ROUNDS] [MIXED_CORPUS_DIR]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

    const std::vector<std::string> files = FilesOf(argv[1]);
    if (files.empty()) {
        std::fprintf(stderr, "%s: no files\n", argv[1]);
        return 1;
    }
    if (FT_Init_FreeType(&g_freetype) != 0) {
        std::fprintf(stderr, "FreeType did not start\n");
        return 1;
    }

    for (const std::string& f : files)
        g_name_offset[f] = FindNameOffset(f);

    // A reader that finds nothing would look fast: say how many files it accepts.
    std::size_t accepted = 0, freetype_faces = 0;
    for (const std::string& f : files) {
        accepted += glyphscan::GetFontPropsPosix(f.c_str(), g_full_name, g_copyright, g_trademark,
                                                 g_family) == 1;
        freetype_faces += FreeType(f) > 0;
    }

    const std::vector<bench::Method> methods = {
        {"mapping floor", "open, fstat, mmap, touch 1 byte, munmap, close", MappingFloor},
        {"read floor", "open, read 4 KiB, close", ReadFloor},
        {"reader", "GetFontPropsPosix: open, fstat, mmap, ReadNames, munmap, close", Reader},
        {"FreeType", "FT_New_Face, FT_Get_Sfnt_Name for IDs 0 1 4 7, FT_Done_Face", FreeType},
        {"2-page floor", "mapping floor, also touching the naming table's first byte",
         TwoPageFloor},
        {"program reader", "ReadFontFilePosix: open, fstat, mmap, every face's names, munmap",
         ProgramReader},
    };
    std::printf("native: %s\n", argv[1]);
    std::printf("reader found a family in %zu of %zu files; FreeType opened %zu\n", accepted,
                files.size(), freetype_faces);
    const bench::Figures figures = bench::Measure(methods, files, rounds);
    bench::PrintTable(methods, figures, files.size(), rounds);
    PrintFaults(methods, files);
    bench::PrintRatio("reader / mapping floor", figures, 2, 0, bench::Bound::AtMost, 1.2);
    bench::PrintRatio("reader / FreeType", figures, 2, 3, bench::Bound::Below, 1.0);
    std::printf("  %-30s %6.2f   (what parsing adds to the two pages a mapped reader touches)\n",
                "reader / 2-page floor", figures.median_us[2] / figures.median_us[4]);
    bench::PrintRatio("program reader / glyphscan", figures, 5, 2, bench::Bound::AtMost, 1.1);
    if (argc > 3)
        MeasureMixed(argv[3], rounds);
    FT_Done_FreeType(g_freetype);
    return 0;
}
