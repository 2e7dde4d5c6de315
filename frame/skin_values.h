// The values of a skin's "values.ini": every section and key with its
// default, and the per-state lookups of the frame.
// Portable: no Windows calls. The file itself is read through a SkinSource
// (skin_file.h gives the one over the Windows profile functions).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace nq {

// The four looks of the frame, from whether the application is active and
// whether the window is rolled up to its title bar.
enum class FrameState { Active, Inactive, RolledUp, RolledUpInactive };
inline constexpr std::size_t kFrameStateCount = 4;

FrameState FrameStateOf(bool active, bool rolledUp);

// What comes in front of a per-state key: "", "InActive", "RolledUp" or
// "RolledUpInActive".
const char* KeyPrefix(FrameState state);

// What comes in front of a frame image's file name: "", "inactive_",
// "rolled_" or "rolled_inactive_".
const char* ImagePrefix(FrameState state);

// The title bar's buttons, in the order they are drawn and hit-tested.
enum class TitleButton { Close, Min, Max, Roll };
inline constexpr std::size_t kTitleButtonCount = 4;

// The button's part of its keys: "Close", "Min", "Max" or "Roll".
const char* ButtonKeyName(TitleButton button);

// An integer of "values.ini": decimal, or hexadecimal after "$", "0x" or
// "0X", with an optional sign in front; surrounding blanks are ignored.
// Nothing for anything else and for values outside the range of int.
std::optional<int> ParseSkinInt(const std::string& text);

// The low 8 bits of value, which is all that counts of a colour or opacity
// (300 gives 44, -1 gives 255).
std::uint8_t LowByte(int value);

// The skin folder with a trailing backslash: programFolder without its
// trailing separators, "\", skinDir, "\". A skinDir that already ends in "\"
// or "/" gets no second separator, and an empty one names the program folder
// itself. Separators inside skinDir stay as written ("Skins/Default").
std::string SkinPath(const std::string& programFolder, const std::string& skinDir);

// Where the values come from. A source over a file matches section and key
// names without regard to letter case, as the profile functions do.
class SkinSource {
  public:
    virtual ~SkinSource() = default;
    // The value of key in section, empty when the key is there without one;
    // nothing when the file, the section or the key is missing.
    virtual std::optional<std::string> Get(const char* section, const char* key) const = 0;
};

// Section "left" (and the first four keys of "right"): a side border.
struct SideValues {
    int Width = 0;
    int InActiveWidth = 0; // 0 when absent, not the active width
    // The resize zone: the window columns x with ResizeBorder1 < x < ResizeBorder2.
    int ResizeBorder1 = 0;
    int ResizeBorder2 = 0;

    // Width while the application is active, else InActiveWidth.
    int WidthFor(FrameState state) const;
};

// Section "right".
struct RightValues : SideValues {
    // The corner zone: the rows y with height - ResizeBorder3 < y < height - ResizeBorder4.
    int ResizeBorder3 = 0;
    int ResizeBorder4 = 0;
};

// Section "bottom".
struct BottomValues {
    int Height = 0;
    int InActiveHeight = 0; // 0 when absent
    // The resize zone: the window rows y with ResizeBorder1 < y < ResizeBorder2.
    int ResizeBorder1 = 0;
    int ResizeBorder2 = 0;

    // Height while the application is active, else InActiveHeight.
    int HeightFor(FrameState state) const;
};

// Section "top": the title bar. No height falls back to another.
struct TopValues {
    int Height = 0;
    int InActiveHeight = 0;
    int RolledUpHeight = 0;
    int RolledUpInActiveHeight = 0;
    int ResizeBorder1 = 0; // read, without effect: the title bar has no resize zone
    int ResizeBorder2 = 0;

    // The height of state's own key.
    int HeightFor(FrameState state) const;
};

// Section "bg": the client window's colour.
struct BackgroundValues {
    // The low bytes of ColorR, ColorG and ColorB as 0x00BBGGRR (a COLORREF).
    std::uint32_t Color = 0x00FFFFFF;
};

// The title text's layout rectangle, in percent of the title bar's width
// (X, Width) and height (Y, Height).
struct CaptionRect {
    int X = 0;
    int Y = 0;
    int Width = 100;
    int Height = 100;
};

// Section "Caption": the title text, the title bar's opacity and the client
// window's text. Values are kept as written; only colours and opacities are
// cut to their low bytes.
struct CaptionValues {
    std::string FontName = "Lucida Sans Unicode";
    int FontSize = 14; // em size in pixels
    int FontStyle = 0; // GDI+ style bits: 1 bold, 2 italic, 4 underline, 8 strikeout
    int HorAlign = 1;  // 0 near, 1 centre, 2 far
    int VerAlign = 2;  // the same scale
    // By FrameState. Inactive and RolledUp fall back to Active, RolledUpInactive
    // to RolledUp.
    std::array<CaptionRect, kFrameStateCount> Rects{};
    std::uint32_t TextColor = 0xFFFFFFFF; // ARGB from the low bytes of ColorA, R, G, B
    std::uint8_t AlphaActive = 255;       // the title bar's opacity while active
    std::uint8_t AlphaInActive = 255;     // and while inactive
    std::string Text = "NimbPreview";     // the client window's text

    const CaptionRect& RectFor(FrameState state) const;
};

// Where a title button's image goes: its top-left corner at (anchor + X, Y),
// the anchor chosen by Align (1 the middle, 2 the right edge, else the left).
struct ButtonPlace {
    int X = 0;
    int Y = 0;
    int Align = 0;
};

// Section "Buttons". Inactive and RolledUp fall back to Active,
// RolledUpInactive to Inactive (unlike the caption's rectangles).
struct ButtonValues {
    // By TitleButton, then by FrameState.
    std::array<std::array<ButtonPlace, kFrameStateCount>, kTitleButtonCount> Places{};

    const ButtonPlace& PlaceFor(TitleButton button, FrameState state) const;
};

// A colour of section "Colors": "#RRGGBB", or an integer whose low 24 bits
// are 0xRRGGBB ("$RRGGBB", "0xRRGGBB", decimal), as 0x00BBGGRR (a COLORREF).
// Nothing for anything else.
std::optional<std::uint32_t> ParseSkinColour(const std::string& text);

// Section "Colors": the colours of the lists and their headers, the preview
// and the texts on the bars, each 0x00BBGGRR (a COLORREF). Where a colour is
// nothing the program keeps its own look: the Windows colour scheme's for the
// lists' texts and selection and the headers' text, the headers' grey
// shading, and a white preview in a lowered edge of the scheme's 3D colours.
struct ColourValues {
    std::uint32_t ListBack = 0x00FFFFFF;           // rows and the list below them
    std::optional<std::uint32_t> ListText;         // rows that are on: window text
    std::optional<std::uint32_t> ListSelectedBack; // the selected rows: highlight
    std::optional<std::uint32_t> ListSelectedText; // their text: highlight text
    std::optional<std::uint32_t> ListOffText;      // rows that are off: inactive caption text
    // "off" in a row that is not selected: ListOffText (the row's text) when absent.
    std::optional<std::uint32_t> ListOffMarker;
    std::optional<std::uint32_t> HeaderBack; // the "Collection" and "Font" strips
    std::optional<std::uint32_t> HeaderText;
    std::optional<std::uint32_t> PreviewBack; // the sample text and its panels
    std::uint32_t PreviewText = 0x00000000;
    std::uint32_t CountText = 0x00000000;   // the fonts bar's count
    std::uint32_t CountEdge = 0x00FFFFFF;   // its copy one pixel lower
    std::uint32_t DetailsText = 0x00000000; // the details strip's texts
    std::uint32_t DetailsEdge = 0x00FFFFFF;
};

// Section "general": the skin's description.
struct GeneralValues {
    std::string Name;
    std::string Author;
    std::string Notes;
};

// Everything of one "values.ini".
struct SkinValues {
    SideValues Left;
    RightValues Right;
    BottomValues Bottom;
    TopValues Top;
    BackgroundValues Bg;
    CaptionValues Caption;
    ButtonValues Buttons;
    GeneralValues General;
    ColourValues Colours;
};

// Longest string value kept; the rest of a longer one is dropped.
inline constexpr std::size_t kMaxSkinString = 2047;

// Reads every key of source, the client window's keys first, then those of
// the right, bottom, top and left windows, the description and the colours.
// A key that is absent, or whose value is no integer (colour) where one is
// wanted, takes its default; where a default names another key, it is the
// value that key finally got. A source without any key gives SkinValues{}.
SkinValues ReadSkinValues(const SkinSource& source);

} // namespace nq
