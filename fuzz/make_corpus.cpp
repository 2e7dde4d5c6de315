// Writes the seed corpus: small font files, each aimed at one path of the readers.
// cmake --build build/native --target fuzz_make_corpus && build/native/fuzz/fuzz_make_corpus
// fuzz/corpus
#include "font_builder.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace fontbuild;

namespace {

void Write(const std::string& folder, const char* name, const Bytes& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

Bytes NameTableFirst(const NameTable& table, const char* tag = "name") {
    Font font;
    font.tables.push_back({tag, EncodeNameTable(table), {}});
    font.tables.push_back({"cmap", Bytes(4, '\0'), {}});
    return BuildFont(font);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Write(folder, "mac_names",
          FontWithNames(MacNames("(c) Someone", "Family", "Family Bold", "TM")));
    Write(folder, "windows_names",
          FontWithNames({WindowsName(kFamilyId, u"Deutsch", 0x407), WindowsName(kFamilyId, u"Sans"),
                         WindowsName(kFullNameId, u"Sans \u00C9\u4E2D", 0x409, 10),
                         WindowsName(kCopyrightId, u"\U0001F600 2024")}));
    Write(folder, "mixed_upper_tag",
          NameTableFirst({{WindowsName(kFamilyId, u"Win"), MacName(kSubfamilyId, "Bold"),
                           MacName(kFamilyId, Bytes("\0x", 2)), MacName(kFamilyId, "Mac\0cut"),
                           MacName(kTrademarkId, "T\xE9")},
                          {},
                          {}},
                         "NAME"));
    Font zero_tag;
    zero_tag.tables.push_back({Bytes("\0ead", 4), Bytes(4, '\0'), {}});
    zero_tag.tables.push_back(
        {"name", EncodeNameTable({MacNames("C", "F", "N", "T"), {}, {}}), {}});
    Write(folder, "zero_tag", BuildFont(zero_tag));
    NameRecord past_end = MacName(kFamilyId, "Long");
    past_end.length = 3000;
    NameTable cut{{MacName(kCopyrightId, "C"), past_end}, 200, {}};
    Write(folder, "counts_past_end", NameTableFirst(cut));
    Write(folder, "long_copyright",
          FontWithNames({MacName(kCopyrightId, Bytes(1100, 'c')), WindowsName(kFamilyId, u"F")}));
    Bytes cff = FontWithNames(MacNames("C", "F", "N", "T"));
    cff.replace(0, 4, "OTTO");
    Write(folder, "otto_header", cff);

    Write(folder, "otto_cjk_names",
          OpenTypeCffWithNames({WindowsName(kFamilyId, u"\u660E\u671D", 0x411),
                                WindowsName(kFullNameId, u"\u660E\u671D \U0001F600", 0x411),
                                WindowsName(kFamilyId, u"Mincho")}));
    Collection two_faces;
    two_faces.faces = {FaceWithNames(MacNames("C", "Cambria", "Cambria", "T")),
                       FaceWithNames({WindowsName(kFamilyId, u"Cambria Math")})};
    Write(folder, "ttcf_two_faces", BuildCollection(two_faces));
    Collection cff_faces;
    cff_faces.major_version = 2;
    cff_faces.faces = {FaceWithNames({MacName(kFamilyId, "Serif")}, true),
                       FaceWithNames({WindowsName(kFamilyId, u"Serif Bold")}, true)};
    Write(folder, "ttcf_v2_cff", BuildCollection(cff_faces));
    BitmapFontFile bitmap;
    bitmap.fonts = {{"MS Sans Serif", "(c) Someone", 8, 13, {}},
                    {"MS Sans Serif", "(c) Someone", 10, 16, {}},
                    {"Small Fonts", "(c) Other", 6, 8, {}}};
    Write(folder, "fon_two_faces", BuildBitmapFontFile(bitmap));
    bitmap.font_resources = false;
    bitmap.align_shift = 0;
    Write(folder, "fon_directory_only", BuildBitmapFontFile(bitmap));
    return 0;
}
