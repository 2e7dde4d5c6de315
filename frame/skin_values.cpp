#include "skin_values.h"

#include "int_text.h"

#include <utility>

namespace nq {

namespace {

std::size_t Index(FrameState state) {
    return static_cast<std::size_t>(state);
}
std::size_t Index(TitleButton button) {
    return static_cast<std::size_t>(button);
}

bool IsActive(FrameState state) {
    return state == FrameState::Active || state == FrameState::RolledUp;
}

constexpr FrameState kStates[] = {FrameState::Active, FrameState::Inactive, FrameState::RolledUp,
                                  FrameState::RolledUpInactive};
constexpr TitleButton kButtons[] = {TitleButton::Close, TitleButton::Min, TitleButton::Max,
                                    TitleButton::Roll};

// The state whose value a per-state key falls back to. Both chains start at
// the plain key; they differ for inactive and rolled up.
FrameState CaptionFallback(FrameState state) {
    return state == FrameState::RolledUpInactive ? FrameState::RolledUp : FrameState::Active;
}
FrameState ButtonFallback(FrameState state) {
    return state == FrameState::RolledUpInactive ? FrameState::Inactive : FrameState::Active;
}

// The caption rectangle's keys in the order the title bar reads them.
constexpr std::pair<const char*, int CaptionRect::*> kRectFields[] = {
    {"X", &CaptionRect::X},
    {"Y", &CaptionRect::Y},
    {"Width", &CaptionRect::Width},
    {"Height", &CaptionRect::Height}};

class Reader {
  public:
    explicit Reader(const SkinSource& source) : source_(source) {}

    std::string String(const char* section, const char* key, const std::string& fallback) const {
        std::optional<std::string> value = source_.Get(section, key);
        if (!value)
            return fallback;
        if (value->size() > kMaxSkinString)
            value->resize(kMaxSkinString);
        return std::move(*value);
    }

    int Int(const char* section, const char* key, int fallback) const {
        const std::optional<std::string> value = source_.Get(section, key);
        if (!value)
            return fallback;
        return ParseSkinInt(value->substr(0, kMaxSkinString)).value_or(fallback);
    }

    int Int(const char* section, const std::string& key, int fallback) const {
        return Int(section, key.c_str(), fallback);
    }

    std::optional<std::uint32_t> Colour(const char* section, const char* key) const {
        const std::optional<std::string> value = source_.Get(section, key);
        if (!value)
            return std::nullopt;
        return ParseSkinColour(value->substr(0, kMaxSkinString));
    }

  private:
    const SkinSource& source_;
};

// "left"/"Width" to "Caption"/"Text": what the client window keeps.
void ReadClientKeys(const Reader& in, SkinValues& v) {
    v.Left.Width = in.Int("left", "Width", 0);
    v.Top.Height = in.Int("top", "Height", 0);
    v.Top.RolledUpHeight = in.Int("top", "RolledUpHeight", 0);
    v.Right.Width = in.Int("right", "Width", 0);
    v.Bottom.Height = in.Int("bottom", "Height", 0);
    v.Left.InActiveWidth = in.Int("left", "InActiveWidth", 0);
    v.Top.InActiveHeight = in.Int("top", "InActiveHeight", 0);
    v.Top.RolledUpInActiveHeight = in.Int("top", "RolledUpInActiveHeight", 0);
    v.Right.InActiveWidth = in.Int("right", "InActiveWidth", 0);
    v.Bottom.InActiveHeight = in.Int("bottom", "InActiveHeight", 0);

    const std::uint32_t red = LowByte(in.Int("bg", "ColorR", 255));
    const std::uint32_t green = LowByte(in.Int("bg", "ColorG", 255));
    const std::uint32_t blue = LowByte(in.Int("bg", "ColorB", 255));
    v.Bg.Color = red | green << 8 | blue << 16;

    v.Caption.AlphaActive = LowByte(in.Int("Caption", "AlphaActive", 255));
    v.Caption.AlphaInActive = LowByte(in.Int("Caption", "AlphaInActive", 255));
    v.Caption.Text = in.String("Caption", "Text", v.Caption.Text);
}

void ReadCaptionKeys(const Reader& in, CaptionValues& c) {
    c.FontName = in.String("Caption", "FontName", c.FontName);
    c.FontSize = in.Int("Caption", "FontSize", c.FontSize);
    c.FontStyle = in.Int("Caption", "FontStyle", c.FontStyle);
    c.HorAlign = in.Int("Caption", "HorAlign", c.HorAlign);
    c.VerAlign = in.Int("Caption", "VerAlign", c.VerAlign);

    // Every state after the one it falls back to.
    for (const FrameState state : {FrameState::Active, FrameState::RolledUp, FrameState::Inactive,
                                   FrameState::RolledUpInactive}) {
        const CaptionRect fallback =
            state == FrameState::Active ? CaptionRect{} : c.Rects[Index(CaptionFallback(state))];
        CaptionRect& rect = c.Rects[Index(state)];
        for (const auto& [name, field] : kRectFields)
            rect.*field = in.Int("Caption", std::string(KeyPrefix(state)) + name, fallback.*field);
    }

    const std::uint32_t blue = LowByte(in.Int("Caption", "ColorB", 255));
    const std::uint32_t green = LowByte(in.Int("Caption", "ColorG", 255));
    const std::uint32_t red = LowByte(in.Int("Caption", "ColorR", 255));
    const std::uint32_t alpha = LowByte(in.Int("Caption", "ColorA", 255));
    c.TextColor = alpha << 24 | red << 16 | green << 8 | blue;
}

// One value of button in state, read after the value it falls back to.
void ReadPlace(const Reader& in, ButtonValues& b, TitleButton button, FrameState state,
               const char* name, int ButtonPlace::*field) {
    auto& places = b.Places[Index(button)];
    const int fallback =
        state == FrameState::Active ? 0 : places[Index(ButtonFallback(state))].*field;
    const std::string key = std::string(KeyPrefix(state)) + ButtonKeyName(button) + name;
    places[Index(state)].*field = in.Int("Buttons", key, fallback);
}

void ReadButtonKeys(const Reader& in, ButtonValues& b) {
    for (const FrameState state : kStates)
        for (const TitleButton button : kButtons)
            ReadPlace(in, b, button, state, "Align", &ButtonPlace::Align);

    for (const FrameState state : {FrameState::Active, FrameState::Inactive,
                                   FrameState::RolledUpInactive, FrameState::RolledUp}) {
        for (const TitleButton button : kButtons) {
            ReadPlace(in, b, button, state, "X", &ButtonPlace::X);
            ReadPlace(in, b, button, state, "Y", &ButtonPlace::Y);
        }
    }
}

void ReadColourKeys(const Reader& in, ColourValues& c) {
    constexpr const char* kSection = "Colors";
    const auto colour = [&](const char* key, std::uint32_t fallback) {
        return in.Colour(kSection, key).value_or(fallback);
    };
    c.ListBack = colour("ListBack", c.ListBack);
    c.ListText = in.Colour(kSection, "ListText");
    c.ListSelectedBack = in.Colour(kSection, "ListSelectedBack");
    c.ListSelectedText = in.Colour(kSection, "ListSelectedText");
    c.ListOffText = in.Colour(kSection, "ListOffText");
    c.ListOffMarker = in.Colour(kSection, "ListOffMarker");
    if (!c.ListOffMarker)
        c.ListOffMarker = c.ListOffText;
    c.HeaderBack = in.Colour(kSection, "HeaderBack");
    c.HeaderText = in.Colour(kSection, "HeaderText");
    c.PreviewBack = in.Colour(kSection, "PreviewBack");
    c.PreviewText = colour("PreviewText", c.PreviewText);
    c.CountText = colour("CountText", c.CountText);
    c.CountEdge = colour("CountEdge", c.CountEdge);
    c.DetailsText = colour("DetailsText", c.DetailsText);
    c.DetailsEdge = colour("DetailsEdge", c.DetailsEdge);
}

} // namespace

FrameState FrameStateOf(bool active, bool rolledUp) {
    if (rolledUp)
        return active ? FrameState::RolledUp : FrameState::RolledUpInactive;
    return active ? FrameState::Active : FrameState::Inactive;
}

const char* KeyPrefix(FrameState state) {
    switch (state) {
    case FrameState::Active:
        return "";
    case FrameState::Inactive:
        return "InActive";
    case FrameState::RolledUp:
        return "RolledUp";
    case FrameState::RolledUpInactive:
        return "RolledUpInActive";
    }
    return "";
}

const char* ImagePrefix(FrameState state) {
    switch (state) {
    case FrameState::Active:
        return "";
    case FrameState::Inactive:
        return "inactive_";
    case FrameState::RolledUp:
        return "rolled_";
    case FrameState::RolledUpInactive:
        return "rolled_inactive_";
    }
    return "";
}

const char* ButtonKeyName(TitleButton button) {
    switch (button) {
    case TitleButton::Close:
        return "Close";
    case TitleButton::Min:
        return "Min";
    case TitleButton::Max:
        return "Max";
    case TitleButton::Roll:
        return "Roll";
    }
    return "";
}

std::optional<int> ParseSkinInt(const std::string& text) {
    return ParseInt(text, HexMarks::ZeroXOrDollar);
}

std::optional<std::uint32_t> ParseSkinColour(const std::string& text) {
    std::optional<int> value;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first != std::string::npos && text[first] == '#') {
        // Exactly six hexadecimal digits, as "$RRGGBB" takes them.
        const std::string digits = text.substr(first + 1, text.find_last_not_of(" \t") - first);
        if (digits.size() == 6)
            value = ParseSkinInt("$" + digits);
    } else {
        value = ParseSkinInt(text);
    }
    if (!value)
        return std::nullopt;
    // 0xRRGGBB as written, 0x00BBGGRR as GDI takes it.
    const std::uint32_t rgb = static_cast<std::uint32_t>(*value) & 0xFFFFFF;
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::string SkinPath(const std::string& programFolder, const std::string& skinDir) {
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    std::string path = programFolder;
    while (!path.empty() && isSeparator(path.back()))
        path.pop_back();
    path += '\\';
    path += skinDir;
    if (!isSeparator(path.back()))
        path += '\\';
    return path;
}

int SideValues::WidthFor(FrameState state) const {
    return IsActive(state) ? Width : InActiveWidth;
}

int BottomValues::HeightFor(FrameState state) const {
    return IsActive(state) ? Height : InActiveHeight;
}

int TopValues::HeightFor(FrameState state) const {
    switch (state) {
    case FrameState::Active:
        return Height;
    case FrameState::Inactive:
        return InActiveHeight;
    case FrameState::RolledUp:
        return RolledUpHeight;
    case FrameState::RolledUpInactive:
        return RolledUpInActiveHeight;
    }
    return Height;
}

const CaptionRect& CaptionValues::RectFor(FrameState state) const {
    return Rects[Index(state)];
}

const ButtonPlace& ButtonValues::PlaceFor(TitleButton button, FrameState state) const {
    return Places[Index(button)][Index(state)];
}

SkinValues ReadSkinValues(const SkinSource& source) {
    const Reader in(source);
    SkinValues v;
    ReadClientKeys(in, v);

    v.Right.ResizeBorder1 = in.Int("right", "ResizeBorder1", 0);
    v.Right.ResizeBorder2 = in.Int("right", "ResizeBorder2", 0);
    v.Right.ResizeBorder3 = in.Int("right", "ResizeBorder3", 0);
    v.Right.ResizeBorder4 = in.Int("right", "ResizeBorder4", 0);

    v.Bottom.ResizeBorder1 = in.Int("bottom", "ResizeBorder1", 0);
    v.Bottom.ResizeBorder2 = in.Int("bottom", "ResizeBorder2", 0);

    v.Top.ResizeBorder1 = in.Int("top", "ResizeBorder1", 0);
    v.Top.ResizeBorder2 = in.Int("top", "ResizeBorder2", 0);
    ReadCaptionKeys(in, v.Caption);
    ReadButtonKeys(in, v.Buttons);

    v.Left.ResizeBorder1 = in.Int("left", "ResizeBorder1", 0);
    v.Left.ResizeBorder2 = in.Int("left", "ResizeBorder2", 0);

    v.General.Name = in.String("general", "name", "");
    v.General.Author = in.String("general", "author", "");
    v.General.Notes = in.String("general", "notes", "");
    ReadColourKeys(in, v.Colours);
    return v;
}

} // namespace nq
