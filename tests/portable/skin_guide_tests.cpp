// The skin author's guide in the user's README.txt against the skin reader:
// every key that ReadSkinValues asks for has a row in its section's table, every
// row names a key that is read, and each row's type and default are what the
// reader makes of the key. The image names of the guide are those of the
// shipped skins. NQ_GUIDE_FILE and NQ_SKINS_DIR come from CMake.
#include "skin_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A "values.ini" whose names match without regard to letter case, as the
// profile functions do, and that records every (section, key) asked for.
class RecordingSource : public nq::SkinSource {
  public:
    explicit RecordingSource(std::map<std::pair<std::string, std::string>, std::string> keys = {}) {
        for (auto& [name, value] : keys)
            keys_[{Lower(name.first), Lower(name.second)}] = value;
    }

    std::optional<std::string> Get(const char* section, const char* key) const override {
        asked_.emplace_back(section, key);
        const auto found = keys_.find({Lower(section), Lower(key)});
        return found == keys_.end() ? std::nullopt : std::optional(found->second);
    }

    const std::vector<std::pair<std::string, std::string>>& Asked() const { return asked_; }

  private:
    std::map<std::pair<std::string, std::string>, std::string> keys_;
    mutable std::vector<std::pair<std::string, std::string>> asked_;
};

// Every value the reader produced, as text: two readings are the same when
// their dumps are.
std::string Dump(const nq::SkinValues& v) {
    std::ostringstream out;
    out << v.Left.Width << ' ' << v.Left.InActiveWidth << ' ' << v.Left.ResizeBorder1 << ' '
        << v.Left.ResizeBorder2 << '|' << v.Right.Width << ' ' << v.Right.InActiveWidth << ' '
        << v.Right.ResizeBorder1 << ' ' << v.Right.ResizeBorder2 << ' ' << v.Right.ResizeBorder3
        << ' ' << v.Right.ResizeBorder4 << '|' << v.Bottom.Height << ' ' << v.Bottom.InActiveHeight
        << ' ' << v.Bottom.ResizeBorder1 << ' ' << v.Bottom.ResizeBorder2 << '|' << v.Top.Height
        << ' ' << v.Top.InActiveHeight << ' ' << v.Top.RolledUpHeight << ' '
        << v.Top.RolledUpInActiveHeight << ' ' << v.Top.ResizeBorder1 << ' ' << v.Top.ResizeBorder2
        << '|' << v.Bg.Color << '|';
    const nq::CaptionValues& c = v.Caption;
    out << c.FontName << '/' << c.FontSize << ' ' << c.FontStyle << ' ' << c.HorAlign << ' '
        << c.VerAlign << ' ' << c.TextColor << ' ' << int{c.AlphaActive} << ' '
        << int{c.AlphaInActive} << ' ' << c.Text << '/';
    for (const nq::CaptionRect& r : c.Rects)
        out << r.X << ' ' << r.Y << ' ' << r.Width << ' ' << r.Height << ';';
    out << '|';
    for (const auto& places : v.Buttons.Places)
        for (const nq::ButtonPlace& p : places)
            out << p.X << ' ' << p.Y << ' ' << p.Align << ';';
    out << '|' << v.General.Name << '/' << v.General.Author << '/' << v.General.Notes << '|';
    const nq::ColourValues& k = v.Colours;
    for (const std::optional<std::uint32_t>& colour :
         {std::optional(k.ListBack), k.ListText, k.ListSelectedBack, k.ListSelectedText,
          k.ListOffText, k.ListOffMarker, k.HeaderBack, k.HeaderText, k.PreviewBack,
          std::optional(k.PreviewText), std::optional(k.CountText), std::optional(k.CountEdge),
          std::optional(k.DetailsText), std::optional(k.DetailsEdge)})
        out << (colour ? std::to_string(*colour) : "-") << ' ';
    return out.str();
}

std::string Read(std::map<std::pair<std::string, std::string>, std::string> keys) {
    return Dump(nq::ReadSkinValues(RecordingSource(std::move(keys))));
}

// One row of a section's table: its key, "int", "string" or "colour", and its
// default as written: a number, a quoted text, "(empty)", a colour "#RRGGBB",
// "(built-in)" (the program's own look while the key is absent) or the name
// of another key.
struct Row {
    std::string Key;
    std::string Type;
    std::string Default;
};

struct Guide {
    std::string Text;                                // from the guide's heading to its end
    std::map<std::string, std::vector<Row>> Tables;  // by section, in lower case
    std::map<std::string, std::string> SectionTexts; // each section's part of the text
};

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The guide runs from the heading that ends in "SKIN AUTHOR'S GUIDE" to the
// next numbered heading in capitals. A section's part starts at a line that
// begins with its name in brackets and ends at the next such line or at a
// numbered sub-heading ("7.3 Images").
Guide ReadGuide() {
    const std::vector<std::string> lines = Lines(NQ_GUIDE_FILE);
    const std::regex heading(R"(^[0-9]+\. [A-Z][A-Z' ]*$)");
    const std::regex subHeading(R"(^[0-9]+\.[0-9]+ )");
    const std::regex sectionStart(R"(^\s*\[([A-Za-z]+)\])");
    const std::regex row(R"(^\s+([A-Za-z][A-Za-z0-9]*)\s{2,}(int|string|colour)\s{2,})"
                         R"(("[^"]*"|\(empty\)|\(built-in\)|[^\s"]+)(\s{2,}.*)?$)");
    Guide guide;
    auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        const std::string marker = "SKIN AUTHOR'S GUIDE";
        return l.size() >= marker.size() &&
               l.compare(l.size() - marker.size(), marker.size(), marker) == 0;
    });
    if (line == lines.end())
        return guide;
    std::string section;
    for (++line; line != lines.end() && !std::regex_match(*line, heading); ++line) {
        guide.Text += *line + "\n";
        std::smatch m;
        if (std::regex_search(*line, m, sectionStart))
            section = Lower(m[1]);
        else if (std::regex_search(*line, subHeading))
            section.clear();
        if (section.empty())
            continue;
        guide.SectionTexts[section] += *line + "\n";
        if (std::regex_match(*line, m, row))
            guide.Tables[section].push_back(Row{m[1], m[2], m[3]});
    }
    return guide;
}

const Guide& TheGuide() {
    static const Guide guide = ReadGuide();
    return guide;
}

const Row* FindRow(const std::string& section, const std::string& key) {
    const auto table = TheGuide().Tables.find(Lower(section));
    if (table == TheGuide().Tables.end())
        return nullptr;
    for (const Row& r : table->second)
        if (r.Key == key)
            return &r;
    return nullptr;
}

std::set<std::pair<std::string, std::string>> KeysRead() {
    RecordingSource source;
    nq::ReadSkinValues(source);
    std::set<std::pair<std::string, std::string>> keys;
    for (const auto& [section, key] : source.Asked())
        keys.emplace(Lower(section), key);
    return keys;
}

TEST(SkinGuide, HasTablesForEverySection) {
    ASSERT_FALSE(TheGuide().Text.empty()) << NQ_GUIDE_FILE << " has no skin author's guide";
    for (const char* section :
         {"left", "right", "bottom", "top", "bg", "caption", "buttons", "general", "colors"})
        EXPECT_TRUE(TheGuide().Tables.count(section)) << "no table for [" << section << "]";
}

TEST(SkinGuide, EveryKeyTheReaderAsksForHasARowInItsSectionsTable) {
    const auto keys = KeysRead();
    ASSERT_GT(keys.size(), 100u);
    for (const auto& [section, key] : keys) {
        EXPECT_NE(FindRow(section, key), nullptr) << "[" << section << "] " << key;
        // Spelled as read, as a word of its section's part of the guide.
        const std::regex word("(^|[^A-Za-z0-9])" + key + "([^A-Za-z0-9]|$)");
        EXPECT_TRUE(std::regex_search(TheGuide().SectionTexts.at(section), word))
            << "[" << section << "] " << key;
    }
}

TEST(SkinGuide, EveryRowNamesAKeyTheReaderAsksFor) {
    const auto keys = KeysRead();
    std::size_t rows = 0;
    for (const auto& [section, table] : TheGuide().Tables)
        for (const Row& r : table) {
            ++rows;
            EXPECT_TRUE(keys.count({section, r.Key})) << "[" << section << "] " << r.Key;
        }
    EXPECT_EQ(rows, keys.size());
}

// An int or colour key ignores a value that is neither; a string key keeps
// it. A colour key takes "#RRGGBB".
TEST(SkinGuide, TypesAreWhatTheReaderMakesOfAValue) {
    const std::string none = Read({});
    for (const auto& [section, table] : TheGuide().Tables)
        for (const Row& r : table) {
            const std::string where = "[" + section + "] " + r.Key + " is no " + r.Type;
            const std::string junk = Read({{{section, r.Key}, "junk"}});
            if (r.Type == "string")
                EXPECT_NE(junk, none) << where;
            else
                EXPECT_EQ(junk, none) << where;
            if (r.Type == "colour")
                EXPECT_NE(Read({{{section, r.Key}, "#123456"}}), none) << where;
        }
}

// Setting a key to its documented default changes nothing, and another value
// changes something (so the dump sees the key at all). A default that names a
// key means: with that key set, this one takes its value when absent.
TEST(SkinGuide, DefaultsAreTheReadersDefaults) {
    const std::string none = Read({});
    const std::regex number(R"(-?[0-9]+)");
    const std::regex colour(R"(#[0-9A-F]{6})");
    for (const auto& [section, table] : TheGuide().Tables)
        for (const Row& r : table) {
            const std::pair<std::string, std::string> key{section, r.Key};
            const std::string where = "[" + section + "] " + r.Key + " default " + r.Default;
            if (r.Default == "(built-in)") {
                // No value at all: any colour, white included, is the skin's own.
                for (const char* colour : {"#FFFFFF", "#000000"})
                    EXPECT_NE(Read({{key, colour}}), none) << where;
            } else if (std::regex_match(r.Default, colour)) {
                EXPECT_EQ(Read({{key, r.Default}}), none) << where;
                EXPECT_NE(Read({{key, r.Default == "#123456" ? "#123457" : "#123456"}}), none)
                    << where;
            } else if (std::regex_match(r.Default, number)) {
                EXPECT_EQ(Read({{key, r.Default}}), none) << where;
                EXPECT_NE(Read({{key, std::to_string(std::stoi(r.Default) + 7)}}), none) << where;
            } else if (r.Default == "(empty)" || r.Default.front() == '"') {
                const std::string text =
                    r.Default == "(empty)" ? "" : r.Default.substr(1, r.Default.size() - 2);
                EXPECT_EQ(Read({{key, text}}), none) << where;
                EXPECT_NE(Read({{key, text + "x"}}), none) << where;
            } else {
                ASSERT_NE(FindRow(section, r.Default), nullptr) << where << ": no such key";
                const std::pair<std::string, std::string> other{section, r.Default};
                const std::string set = Read({{other, "37"}});
                EXPECT_EQ(Read({{other, "37"}, {key, "37"}}), set) << where;
                EXPECT_NE(Read({{other, "37"}, {key, "38"}}), set) << where;
            }
        }
}

// Image file names as the guide writes them: letters, digits, "_", "+" and
// the "@" of a double-size image.
std::set<std::string> ImageNamesOf(const std::string& text) {
    const std::regex name(R"((^|[^A-Za-z0-9_+@])([A-Za-z0-9_+@]+\.(png|bmp)))");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), name);
         it != std::sregex_iterator(); ++it)
        names.insert((*it)[2]);
    return names;
}

// Every image of every shipped skin is in the guide, itself or as a frame
// image without its state prefix; a double-size image ("name@2x.png") as its
// image, which the skin also has.
TEST(SkinGuide, NamesEveryImageOfTheShippedSkins) {
    const std::set<std::string> named = ImageNamesOf(TheGuide().Text);
    std::size_t images = 0;
    for (const auto& skin : std::filesystem::directory_iterator(NQ_SKINS_DIR)) {
        if (!skin.is_directory())
            continue;
        for (const auto& file : std::filesystem::directory_iterator(skin.path())) {
            std::string name = file.path().filename().string();
            if (name == "values.ini")
                continue;
            ++images;
            if (const std::size_t twice = name.find("@2x."); twice != std::string::npos) {
                name.erase(twice, 3);
                EXPECT_TRUE(std::filesystem::is_regular_file(skin.path() / name))
                    << skin.path().filename().string() << "/" << name << " for its @2x image";
            }
            bool found = named.count(name) > 0;
            for (const char* prefix : {"rolled_inactive_", "inactive_", "rolled_"})
                if (name.rfind(prefix, 0) == 0 && named.count(name.substr(std::strlen(prefix))))
                    found = true;
            EXPECT_TRUE(found) << skin.path().filename().string() << "/" << name;
        }
    }
    EXPECT_GT(images, 80u);
}

// An image's width and height from its file's header (PNG: IHDR, big-endian;
// BMP: BITMAPINFOHEADER, little-endian, a negative height for top-down rows);
// nothing for another or a cut-off file.
std::optional<std::pair<long, long>> ImageDimensions(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[26] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h))
        return std::nullopt;
    const auto big = [&](int at) {
        return long(h[at]) << 24 | long(h[at + 1]) << 16 | long(h[at + 2]) << 8 | long(h[at + 3]);
    };
    const auto little = [&](int at) {
        return static_cast<long>(static_cast<std::int32_t>(
            std::uint32_t(h[at]) | std::uint32_t(h[at + 1]) << 8 | std::uint32_t(h[at + 2]) << 16 |
            std::uint32_t(h[at + 3]) << 24));
    };
    if (std::memcmp(h, "\x89PNG", 4) == 0)
        return std::make_pair(big(16), big(20));
    if (h[0] == 'B' && h[1] == 'M')
        return std::make_pair(little(18), std::labs(little(22)));
    return std::nullopt;
}

// Every image of the shipped skins also comes at double size, exactly twice
// as wide and as high (one of another size would be passed over).
TEST(SkinGuide, ShippedSkinsHaveEveryImageAtExactlyDoubleSize) {
    std::size_t pairs = 0;
    for (const auto& skin : std::filesystem::directory_iterator(NQ_SKINS_DIR)) {
        if (!skin.is_directory())
            continue;
        for (const auto& file : std::filesystem::directory_iterator(skin.path())) {
            const std::filesystem::path path = file.path();
            const std::string stem = path.stem().string();
            if (path.filename() == "values.ini" || stem.find("@2x") != std::string::npos)
                continue;
            const std::filesystem::path twice =
                path.parent_path() / (stem + "@2x" + path.extension().string());
            const std::string what =
                skin.path().filename().string() + "/" + twice.filename().string();
            const auto one = ImageDimensions(path), two = ImageDimensions(twice);
            ASSERT_TRUE(one.has_value()) << path;
            ASSERT_TRUE(two.has_value()) << what;
            EXPECT_GT(one->first * one->second, 0) << path;
            EXPECT_EQ(two->first, 2 * one->first) << what;
            EXPECT_EQ(two->second, 2 * one->second) << what;
            ++pairs;
        }
    }
    EXPECT_GT(pairs, 80u);
}

// Names are exact, letter case included: each one the guide writes is a file
// of the Default skin.
TEST(SkinGuide, EveryImageNameOfTheGuideIsAFileOfTheDefaultSkin) {
    const std::filesystem::path skin = std::filesystem::path(NQ_SKINS_DIR) / "Default";
    for (const std::string& name : ImageNamesOf(TheGuide().Text))
        EXPECT_TRUE(std::filesystem::is_regular_file(skin / name)) << name;
}

} // namespace
