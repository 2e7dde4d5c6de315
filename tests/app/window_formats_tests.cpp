// Every font a user has, through the client window: OpenType, collections,
// bitmap fonts and names in any language are listed, switched, dropped and
// previewed; the settings and sample text files keep what does not fit the
// ANSI code page.
#include "window_test_support.h"

#include "font_fixtures.h"
#include "preview_font.h"
#include "registry.h"

#include <algorithm>

namespace {

using Rows = std::vector<std::string>;

const std::string kOtto = "NQ Otto Test";
const std::string kPair = "NQ Pair One & NQ Pair Two";
const std::string kBitmap = "NQ Bitmap Test";
const char* const kC059 = "Z:\\usr\\share\\fonts\\opentype\\urw-base35\\C059-Roman.otf";
const char* const kMicroHei = "Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-microhei.ttc";
const char* const kCourierFon = "Z:\\usr\\share\\wine\\fonts\\coure.fon";

// text with every occurrence of from, as 8-bit and as UTF-16 big-endian text,
// replaced by to, which has as many characters: a real font under a family
// name no installed font has.
std::string Renamed(std::string bytes, const std::string& from, const std::string& to) {
    const auto replaceAll = [&bytes](const std::string& a, const std::string& b) {
        for (std::size_t at = bytes.find(a); at != std::string::npos; at = bytes.find(a, at))
            bytes.replace(at, a.size(), b);
    };
    const auto utf16 = [](const std::string& ascii) {
        std::string out;
        for (const char c : ascii)
            out += std::string(1, '\0') + c;
        return out;
    };
    replaceAll(from, to);
    replaceAll(utf16(from), utf16(to));
    return bytes;
}

// The face GDI gives for a font, and the height of its cell.
struct GivenFace {
    std::string Name;
    int Height = 0;
};
GivenFace FaceOf(HFONT font) {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = {};
    GivenFace given;
    const int length = GetTextFaceW(dc, LF_FACESIZE, name);
    given.Name = nq::Utf8FromWide(name, static_cast<std::size_t>(std::max(length - 1, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    given.Height = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return given;
}

// A collection "Formats" of files built by the tests; the values their names
// take in both hives' registries go again after each test.
class FormatsTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(Wide(Folder()).c_str(), nullptr));
        WriteFileText(Folder() + "otto.otf", fixtures::OpenTypeFont("NQ Otto", kOtto));
        WriteFileText(Folder() + "pair.ttc",
                      fixtures::TwoFaceCollection("NQ Pair One", "NQ Pair Two", false));
        WriteFileText(Folder() + "bitmap.fon", fixtures::BitmapFont(kBitmap));
        WriteFileText(Folder() + "mincho.ttf", fixtures::JapaneseOnlyFont());
        WriteFileText(Folder() + fixtures::kJapaneseFileUtf8,
                      fixtures::TrueTypeFont("NQ Kana", "NQ Kana File"));
    }
    void TearDown() override {
        if (form_)
            Close(form_);
        for (const std::string& name :
             {kOtto, kPair, kBitmap, fixtures::kMinchoBoldUtf8, std::string("NQ Kana File")})
            for (const char* suffix : {" (TrueType)", " (OpenType)"})
                SetFontValue(HKEY_LOCAL_MACHINE, name, "", suffix);
    }

    std::string Folder() const { return Root() + "Formats\\"; }
    HWND Fonts() const { return Control(*form_, ctl::LbFonts); }
    void List(const std::string& collection) {
        ClickFolder(*form_, FindRow(Control(*form_, ctl::LbFolders), collection));
    }
    void Select(const std::string& name) { ClickFont(*form_, FindRow(Fonts(), name)); }
    void Click(int button) {
        HWND b = Control(*form_, button);
        SendMessageW(GetParent(b), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(b));
    }
    const FontDescr& Record(const std::string& name) {
        return *reinterpret_cast<const FontDescr*>(
            SendMessageW(Fonts(), LB_GETITEMDATA, FindRow(Fonts(), name), 0));
    }

    std::unique_ptr<TfrmMiddle> form_;
};

} // namespace

TEST_F(FormatsTest, EveryFormatIsARowAndSwitchesWithItsOwnSuffix) {
    form_ = Open();
    List("Formats");
    Rows expected = {kBitmap, "NQ Kana File", kOtto, kPair, fixtures::kMinchoBoldUtf8};
    EXPECT_EQ(ListRows(Fonts()), expected);
    EXPECT_EQ(Record(kPair).FaceCount, 2);

    // Switched on one by one: CFF outlines register as OpenType, the rest as TrueType.
    for (const std::string& name : expected) {
        Select(name);
        Click(ctl::Button1);
        EXPECT_TRUE(Record(name).Installed) << name;
    }
    EXPECT_TRUE(prompts_.Messages.empty());
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kOtto, " (OpenType)"), Folder() + "otto.otf");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kOtto), "");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kPair), Folder() + "pair.ttc");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kBitmap), Folder() + "bitmap.fon");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, fixtures::kMinchoBoldUtf8), Folder() + "mincho.ttf");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, "NQ Kana File"),
              Folder() + fixtures::kJapaneseFileUtf8);

    // The collection off: its list names every font, the Japanese one whole.
    Click(ctl::Button2);
    const std::string list = ReadFileText(Folder() + "disabled.txt");
    ASSERT_EQ(list.compare(0, 3, "\xEF\xBB\xBF"), 0) << list;
    for (const std::string& name : expected) {
        EXPECT_NE(list.find(name + "\r\n"), std::string::npos) << name;
        EXPECT_FALSE(Record(name).Installed) << name;
    }
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kOtto, " (OpenType)"), "");
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, fixtures::kMinchoBoldUtf8), "");

    // On again after a restart: the list restores them all.
    Close(form_);
    form_ = Open();
    List("Formats");
    EXPECT_TRUE(form_->CollectionOff());
    Click(ctl::Button2);
    EXPECT_FALSE(Exists(Folder() + "disabled.txt"));
    for (const std::string& name : expected)
        EXPECT_TRUE(Record(name).Installed) << name;
    EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, kOtto, " (OpenType)"), Folder() + "otto.otf");
    EXPECT_TRUE(prompts_.Messages.empty());
}

TEST_F(FormatsTest, TheDialogAndTheDropAcceptEveryFormatAndName) {
    TempFolder source("source");
    WriteFileText(source.Path() + "drop.otc", fixtures::TwoFaceCollection("NQ C1", "NQ C2", true));
    WriteFileText(source.Path() + fixtures::kJapaneseFileUtf8,
                  fixtures::TrueTypeFont("NQ Dropped", "NQ Dropped"));
    WriteFileText(source.Path() + "picked.otf", fixtures::OpenTypeFont("NQ Picked", "NQ Picked"));
    ASSERT_TRUE(CreateDirectoryW(Wide(Root() + "Target").c_str(), nullptr));
    form_ = Open();
    List("Target");
    prompts_.Files = {source.Path() + "picked.otf"};
    form_->AddFontByDialog();
    DropFiles(Fonts(), {source.Path() + "drop.otc", source.Path() + fixtures::kJapaneseFileUtf8},
              true);
    EXPECT_TRUE(prompts_.Messages.empty());
    EXPECT_EQ(ListRows(Fonts()), (Rows{"NQ C1 & NQ C2", "NQ Dropped", "NQ Picked"}));
    EXPECT_TRUE(Exists(Root() + "Target\\" + fixtures::kJapaneseFileUtf8));
    EXPECT_TRUE(Record("NQ C1 & NQ C2").CffOutlines);
}

TEST_F(FormatsTest, ThePreviewLoadsEveryFormatPrivatelyAndTellsABitmapsNearestSize) {
    struct Case {
        const char* host; // a real font, under a family name no installed font has
        std::string file; // its name in the collection
        std::string from, to;
        std::string row;  // its row
        std::string face; // the face GDI then gives the sample
    };
    const std::vector<Case> cases = {
        {kC059, "c059.otf", "C059", "NQ59", "NQ59 Roman", "NQ59"},
        {kMicroHei, "microhei.ttc", "WenQuanYi", "NQQuanYiX",
         "NQQuanYiX Micro Hei & NQQuanYiX Micro Hei Mono", "NQQuanYiX Micro Hei"},
        {kCourierFon, "courier.fon", "Courier", "NQurier", "NQurier", "NQurier"},
        {kDejaVuSans, fixtures::kJapaneseFileUtf8, "DejaVu", "NQView", "NQView Sans",
         "NQView Sans"},
    };
    ASSERT_TRUE(CreateDirectoryW(Wide(Root() + "Preview").c_str(), nullptr));
    for (const Case& c : cases)
        WriteFileText(Root() + "Preview\\" + c.file, Renamed(ReadFileText(c.host), c.from, c.to));
    form_ = Open(true);
    List("Preview");
    for (const Case& c : cases) {
        const int row = FindRow(Fonts(), c.row);
        ASSERT_GE(row, 0) << c.row;
        Select(c.row);
        EXPECT_EQ(form_->PreviewIndex(), row);
        EXPECT_TRUE(form_->Preview().PrivateFontLoaded()) << c.row;
        const GivenFace given = FaceOf(form_->Preview().SampleFont());
        EXPECT_EQ(given.Name, c.face) << c.row;
        const bool bitmap = c.file == "courier.fon";
        const std::string heading = form_->Preview().Heading();
        EXPECT_EQ(heading.find(c.row + ", "), 0u) << heading;
        EXPECT_EQ(heading.find("(nearest bitmap size)") != std::string::npos, bitmap) << heading;
        if (bitmap) {
            // Wine's Courier has one size, 10 points in a cell of 13 pixels.
            EXPECT_EQ(heading, "NQurier, 10 pt. (nearest bitmap size)");
            EXPECT_EQ(given.Height, 13);
        }
    }
    // The collection's strip shows its first face's strings and its faces.
    Select(cases[1].row);
    const std::vector<std::string> lines = form_->Preview().DetailLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "Family: NQQuanYiX Micro Hei");
    EXPECT_EQ(lines[4], "Faces: 2");
    // Nothing holds the files: the previewed font can go at once.
    EXPECT_TRUE(DeleteFileW(Wide(Root() + "Preview\\" + cases[1].file).c_str()));
}

TEST(NearestBitmapSize, TakesTheNearestAndOfTwoAsNearTheSmaller) {
    const std::vector<nq::fontfile::BitmapSize> sizes = {{8, 11}, {10, 13}, {12, 16}, {24, 32}};
    const std::pair<int, int> cases[] = {{1, 8},   {9, 8},   {10, 10}, {11, 10},
                                         {17, 12}, {18, 12}, {19, 24}, {144, 24}};
    for (const auto& [points, nearest] : cases) {
        const auto size = nq::NearestBitmapSize(sizes, points);
        ASSERT_TRUE(size) << points;
        EXPECT_EQ(size->Points, nearest) << points;
    }
    EXPECT_FALSE(nq::NearestBitmapSize({}, 12));
}

TEST(PrivateFont, ATemporaryCopyServesWhereMemoryDoesNotAndGoesWithTheFont) {
    const std::string image = Renamed(ReadFileText(kCourierFon), "Courier", "NQourie");
    const auto previewFiles = [] {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        WIN32_FIND_DATAW entry;
        const HANDLE find =
            FindFirstFileW((std::wstring(folder) + L"nq-preview-*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return 0;
        int count = 0;
        do
            ++count;
        while (FindNextFileW(find, &entry));
        FindClose(find);
        return count;
    };
    const int before = previewFiles();
    const auto face = [] {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(wanted.lfFaceName, L"NQourie");
        const HFONT font = CreateFontIndirectW(&wanted);
        const std::string given = FaceOf(font).Name;
        DeleteObject(font);
        return given;
    };
    {
        nq::PrivateFont font;
        ASSERT_TRUE(font.LoadFromTemporaryFile(image));
        EXPECT_TRUE(font.Loaded());
        EXPECT_EQ(previewFiles(), before + 1);
        EXPECT_EQ(face(), "NQourie");
    }
    // The copy goes with the font. (Wine never lets go of a font resource it
    // added, so whether the face went too is not seen here.)
    EXPECT_EQ(previewFiles(), before);
    nq::PrivateFont none;
    EXPECT_FALSE(none.Load("no font at all"));
    EXPECT_FALSE(none.Loaded());
    EXPECT_EQ(previewFiles(), before);
}

TEST_F(WindowTest, SearchAndSampleTextOutsideTheAnsiCodePageSurviveARestart) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page here is not Western European";
    // Files of an earlier version in the ANSI code page read as they were,
    // and what fits is written back byte for byte.
    WriteFileText(TxtPath(), "Caf\xE9\r\n");
    WriteFileText(IniPath(), "[Other]\r\nSearch=caf\xE9\r\n");
    auto form = Open();
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::LbPreview)), "Caf\xC3\xA9");
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::EditSearch)), "caf\xC3\xA9");
    Close(form);
    EXPECT_EQ(ReadFileText(TxtPath()), "Caf\xE9\r\n");
    EXPECT_NE(ReadFileText(IniPath()).find("Search=caf\xE9\r\n"), std::string::npos);

    // Japanese text: UTF-8 behind its mark in the sample text file, UTF-16 in
    // the settings file, and the same text after a restart.
    form = Open();
    const std::string sample = "Caf\xC3\xA9\r\n" + fixtures::kMinchoUtf8;
    nq::SetWindowTextUtf8(Control(*form, ctl::LbPreview), sample);
    nq::SetWindowTextUtf8(Control(*form, ctl::EditSearch), fixtures::kMinchoUtf8);
    Close(form);
    EXPECT_EQ(ReadFileText(TxtPath()), "\xEF\xBB\xBF" + sample + "\r\n");
    EXPECT_EQ(ReadFileText(IniPath()).compare(0, 2, "\xFF\xFE"), 0);
    form = Open();
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::LbPreview)), sample);
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::EditSearch)), fixtures::kMinchoUtf8);
    EXPECT_EQ(form->PreviewSize(), 32);
    Close(form);
}
