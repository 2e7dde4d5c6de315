// The skin package reader: a skin's integers and folder, and every key of
// "values.ini" with its default and the key it falls back to.
#include "skin_values.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <map>
#include <utility>
#include <string>
#include <tuple>
#include <vector>

namespace {

using nq::FrameState;
using nq::SkinValues;
using nq::TitleButton;

constexpr FrameState kStates[] = {FrameState::Active, FrameState::Inactive, FrameState::RolledUp,
                                  FrameState::RolledUpInactive};
constexpr TitleButton kButtons[] = {TitleButton::Close, TitleButton::Min, TitleButton::Max,
                                    TitleButton::Roll};

// A "values.ini" as section, key and value; names must be spelled exactly.
struct MapSource : nq::SkinSource {
    std::map<std::pair<std::string, std::string>, std::string> Keys;

    std::optional<std::string> Get(const char* section, const char* key) const override {
        const auto found = Keys.find({section, key});
        return found == Keys.end() ? std::nullopt : std::optional(found->second);
    }
};

TEST(SkinInt, DecimalOrHexadecimalAfterDollarOrZeroX) {
    for (const auto& [text, expected] : {std::pair{"16", 16},
                                         {"$10", 16},
                                         {"0x10", 16},
                                         {"0X10", 16},
                                         {" $ff ", 255},
                                         {"-$10", -16},
                                         {"$7FFFFFFF", INT_MAX}})
        EXPECT_EQ(nq::ParseSkinInt(text), expected) << '"' << text << '"';
    for (const char* text : {"junk", "", "$", "$g", "10$", "$80000000", "2147483648"})
        EXPECT_FALSE(nq::ParseSkinInt(text).has_value()) << '"' << text << '"';
}

TEST(SkinInt, ColoursAndOpacitiesKeepTheLowByte) {
    for (const auto& [value, expected] :
         {std::pair{300, 44}, {255, 255}, {256, 0}, {-1, 255}, {0, 0}})
        EXPECT_EQ(nq::LowByte(value), expected) << value;
}

TEST(SkinPath, ProgramFolderThenSkinDirWithOneBackslashBetweenAndAfter) {
    const char* cases[][3] = {{"C:\\Prog", "Skins/Default", "C:\\Prog\\Skins/Default\\"},
                              {"C:\\Prog\\", "Skins\\Blue", "C:\\Prog\\Skins\\Blue\\"},
                              {"C:\\Prog/", "Skins\\Blue\\", "C:\\Prog\\Skins\\Blue\\"},
                              {"C:\\Prog", "Skins/Blue/", "C:\\Prog\\Skins/Blue/"},
                              {"C:\\", "Skins\\A & B", "C:\\Skins\\A & B\\"},
                              {"C:\\Prog", "", "C:\\Prog\\"}};
    for (const auto& [folder, dir, expected] : cases)
        EXPECT_EQ(nq::SkinPath(folder, dir), expected) << folder << " + " << dir;
}

TEST(FrameState, FlagsPickKeyAndImagePrefixes) {
    const std::tuple<bool, bool, const char*, const char*> cases[] = {
        {true, false, "", ""},
        {false, false, "InActive", "inactive_"},
        {true, true, "RolledUp", "rolled_"},
        {false, true, "RolledUpInActive", "rolled_inactive_"}};
    for (const auto& [active, rolledUp, keyPrefix, imagePrefix] : cases) {
        const FrameState state = nq::FrameStateOf(active, rolledUp);
        EXPECT_STREQ(nq::KeyPrefix(state), keyPrefix);
        EXPECT_STREQ(nq::ImagePrefix(state), imagePrefix);
    }
}

TEST(SkinValues, WithoutAnyKeyEveryValueIsItsDefault) {
    const SkinValues v = nq::ReadSkinValues(MapSource());
    for (const FrameState state : kStates) {
        EXPECT_EQ(v.Left.WidthFor(state) + v.Right.WidthFor(state) + v.Top.HeightFor(state), 0);
        const nq::CaptionRect& rect = v.Caption.RectFor(state);
        EXPECT_EQ(std::tuple(rect.X, rect.Y, rect.Width, rect.Height), std::tuple(0, 0, 100, 100));
        for (const TitleButton button : kButtons) {
            const nq::ButtonPlace& place = v.Buttons.PlaceFor(button, state);
            EXPECT_EQ(std::tuple(place.X, place.Y, place.Align), std::tuple(0, 0, 0));
        }
    }
    EXPECT_EQ(v.Bg.Color, 0x00FFFFFFu);
    EXPECT_EQ(v.Caption.FontName, "Lucida Sans Unicode");
    EXPECT_EQ(
        std::tuple(v.Caption.FontSize, v.Caption.FontStyle, v.Caption.HorAlign, v.Caption.VerAlign),
        std::tuple(14, 0, 1, 2));
    EXPECT_EQ(v.Caption.TextColor, 0xFFFFFFFFu);
    EXPECT_EQ(v.Caption.AlphaActive, 255);
    EXPECT_EQ(v.Caption.AlphaInActive, 255);
    EXPECT_EQ(v.Caption.Text, "NimbPreview");
    EXPECT_EQ(v.General.Name + v.General.Author + v.General.Notes, "");
}

// Every per-state key, its name made of a state, a button and a field, reaches
// its own value: none is taken for another or read from its fallback.
TEST(SkinValues, EveryPerStateKeyHasItsOwnValue) {
    using Field = std::function<int(const SkinValues&)>;
    std::vector<std::tuple<std::string, std::string, Field>> keys;
    for (const FrameState s : kStates) {
        const std::string prefix = nq::KeyPrefix(s);
        keys.emplace_back("top", prefix + "Height", [s](auto& v) { return v.Top.HeightFor(s); });
        for (const auto& [name, field] : {std::pair{"X", &nq::CaptionRect::X},
                                          {"Y", &nq::CaptionRect::Y},
                                          {"Width", &nq::CaptionRect::Width},
                                          {"Height", &nq::CaptionRect::Height}})
            keys.emplace_back("Caption", prefix + name,
                              [s, f = field](auto& v) { return v.Caption.RectFor(s).*f; });
        for (const TitleButton b : kButtons)
            for (const auto& [name, field] : {std::pair{"X", &nq::ButtonPlace::X},
                                              {"Y", &nq::ButtonPlace::Y},
                                              {"Align", &nq::ButtonPlace::Align}})
                keys.emplace_back(
                    "Buttons", prefix + nq::ButtonKeyName(b) + name,
                    [s, b, f = field](auto& v) { return v.Buttons.PlaceFor(b, s).*f; });
    }
    MapSource source;
    for (std::size_t i = 0; i < keys.size(); ++i)
        source.Keys[{std::get<0>(keys[i]), std::get<1>(keys[i])}] = std::to_string(1000 + i);
    const SkinValues v = nq::ReadSkinValues(source);
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(std::get<2>(keys[i])(v), 1000 + static_cast<int>(i)) << std::get<1>(keys[i]);
}

TEST(SkinValues, PerStateKeysFallBackAlongTheirChains) {
    using Keys = std::vector<std::pair<std::string, std::string>>;
    using Field = int (*)(const SkinValues&, FrameState);
    const Field captionX = [](const SkinValues& v, FrameState s) { return v.Caption.RectFor(s).X; };
    const Field closeX = [](const SkinValues& v, FrameState s) {
        return v.Buttons.PlaceFor(TitleButton::Close, s).X;
    };
    const Field leftWidth = [](const SkinValues& v, FrameState s) { return v.Left.WidthFor(s); };
    // Expected values for Active, Inactive, RolledUp, RolledUpInactive.
    const std::tuple<const char*, Keys, Field, std::array<int, 4>> cases[] = {
        {"Caption", {{"X", "7"}}, captionX, {7, 7, 7, 7}},
        {"Caption", {{"X", "7"}, {"InActiveX", "9"}}, captionX, {7, 9, 7, 7}},
        {"Caption", {{"X", "7"}, {"RolledUpX", "3"}}, captionX, {7, 7, 3, 3}},
        {"Caption", {{"X", "7"}, {"InActiveX", "junk"}}, captionX, {7, 7, 7, 7}},
        {"Buttons", {{"CloseX", "5"}, {"InActiveCloseX", "-30"}}, closeX, {5, -30, 5, -30}},
        {"Buttons", {{"CloseX", "5"}, {"RolledUpCloseX", "8"}}, closeX, {5, 5, 8, 5}},
        {"Buttons", {{"CloseX", "$10"}, {"InActiveCloseX", ""}}, closeX, {16, 16, 16, 16}},
        {"left", {{"Width", "3"}, {"InActiveWidth", "1"}}, leftWidth, {3, 1, 3, 1}}};
    for (const auto& [section, keys, field, expected] : cases) {
        MapSource source;
        for (const auto& [key, value] : keys)
            source.Keys[{section, key}] = value;
        const SkinValues v = nq::ReadSkinValues(source);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(field(v, kStates[i]), expected[i])
                << section << " " << keys.back().first << "=" << keys.back().second << ", state "
                << i;
    }
}

TEST(SkinValues, ColoursTakeTheLowByteOfEachChannel) {
    MapSource source;
    source.Keys = {{{"Caption", "ColorA"}, "$80"},
                   {{"Caption", "ColorR"}, "300"},
                   {{"Caption", "ColorG"}, "0"},
                   {{"Caption", "ColorB"}, "0x10"},
                   {{"Caption", "AlphaActive"}, "300"},
                   {{"bg", "ColorR"}, "0"},
                   {{"bg", "ColorB"}, "256"}};
    const SkinValues v = nq::ReadSkinValues(source);
    EXPECT_EQ(v.Caption.TextColor, 0x802C0010u);
    EXPECT_EQ(v.Caption.AlphaActive, 44);
    EXPECT_EQ(v.Bg.Color, 0x0000FF00u);
}

// Colours as image editors write them, or as integers 0xRRGGBB; the program
// gets them as GDI does (0x00BBGGRR).
TEST(SkinColour, HashOrIntegerRgbBecomesBgr) {
    for (const auto& [text, expected] : {std::pair{"#1E2126", 0x0026211Eu},
                                         {" #1e2126 ", 0x0026211Eu},
                                         {"$1E2126", 0x0026211Eu},
                                         {"0x1E2126", 0x0026211Eu},
                                         {"1974566", 0x0026211Eu},
                                         {"$1FF0000", 0x000000FFu}, // the low 24 bits
                                         {"-1", 0x00FFFFFFu}})
        EXPECT_EQ(nq::ParseSkinColour(text), expected) << '"' << text << '"';
    for (const char* text : {"", "#", "#12345", "#1234567", "#12345G", "# 123456", "#-12345", "red",
                             "12px", "$FF000000"})
        EXPECT_FALSE(nq::ParseSkinColour(text).has_value()) << '"' << text << '"';
}

} // namespace
