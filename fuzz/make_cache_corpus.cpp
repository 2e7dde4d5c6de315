// Writes the catalogue cache reader's seeds: small cache files, each with
// other kinds of entries.
// cmake --build build/native --target fuzz_make_cache_corpus &&
// build/native/fuzz/fuzz_make_cache_corpus fuzz/cache_corpus
#include "catalogue_cache.h"

#include <cstdio>
#include <fstream>
#include <string>

using nq::catalogue::CachedFont;
using nq::catalogue::CatalogueCache;
using nq::fontfile::FontFormat;

namespace {

void Write(const std::string& folder, const char* name, const CatalogueCache& cache) {
    std::ofstream(folder + "/" + name, std::ios::binary) << cache.Serialise();
}

CachedFont Font(const char* name, FontFormat format, std::uint32_t faces) {
    CachedFont font;
    font.Usable = true;
    font.Format = format;
    font.FaceCount = faces;
    font.CffOutlines = format == FontFormat::kOpenTypeCff;
    font.Name = name;
    font.Copyright = "(c) 2024";
    font.Family = name;
    return font;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Write(folder, "empty", CatalogueCache());

    CatalogueCache one;
    one.Put("C:\\windows\\Fonts\\Sans\\Sans.ttf", {1234, 133500000000000000},
            Font("Sans", FontFormat::kTrueType, 1));
    Write(folder, "one_font", one);

    CatalogueCache mixed;
    mixed.Put("C:\\windows\\Fonts\\Mix\\a.otf", {10, 20},
              Font("A Bold", FontFormat::kOpenTypeCff, 1));
    mixed.Put("C:\\windows\\Fonts\\Mix\\b.ttc", {30, 40},
              Font("B & B Math", FontFormat::kCollection, 2));
    mixed.Put("C:\\windows\\Fonts\\Mix\\c.fon", {50, 60}, Font("Courier", FontFormat::kBitmap, 3));
    mixed.Put("C:\\windows\\Fonts\\Mix\\notes.ttf", {70, 80}, CachedFont{});
    Write(folder, "mixed_formats", mixed);

    CatalogueCache wide;
    wide.Put("C:\\windows\\Fonts\\\xE4\xB8\xAD\xE6\x96\x87\\f.ttf", {~0ULL, ~0ULL},
             Font("\xE5\xAE\x8B\xE4\xBD\x93 \xF0\x9F\x98\x80", FontFormat::kTrueType, 1));
    wide.Put("C:\\windows\\Fonts\\Caf\xC3\xA9\\g.ttf", {0, 0},
             Font("Caf\xC3\xA9", FontFormat::kTrueType, 1));
    Write(folder, "utf8_names", wide);
    return 0;
}
