#include "settings.h"

#include "int_text.h"
#include "profile.h"

namespace settings {

int ReadInt(const std::string& path, const char* section, const char* key, int fallback) {
    return ParseIntOr(nq::ReadProfileString(path, section, key, ""), fallback);
}

std::string ReadString(const std::string& path, const char* section, const char* key,
                       const std::string& fallback) {
    return nq::ReadProfileString(path, section, key, fallback);
}

namespace {

// A pane cannot be less than nothing wide: a negative size counts as absent.
int ReadPaneSize(const std::string& path, const char* key, int fallback) {
    const int size = ReadInt(path, "Sizes", key, fallback);
    return size < 0 ? fallback : size;
}

} // namespace

PaneValues ReadPaneValues(const std::string& path) {
    PaneValues v;
    v.CollectionsPane = ReadPaneSize(path, "CollectionsPane", v.CollectionsPane);
    v.FontsPane = ReadPaneSize(path, "FontsPane", v.FontsPane);
    v.DetailsPane = ReadPaneSize(path, "DetailsPane", v.DetailsPane);
    v.Size = ReadInt(path, "Other", "Size", v.Size);
    v.Search = ReadString(path, "Other", "Search", v.Search);
    return v;
}

PlacementValues ReadPlacementValues(const std::string& path, const nq::frame::Rect& defaultBounds) {
    PlacementValues v;
    v.X = ReadInt(path, "Placement", "X", defaultBounds.Left);
    v.Y = ReadInt(path, "Placement", "Y", defaultBounds.Top);
    v.Width = ReadInt(path, "Placement", "Width", defaultBounds.Width);
    v.Height = ReadInt(path, "Placement", "Height", defaultBounds.Height);
    v.SkinDir = ReadString(path, "Skin", "Dir", v.SkinDir);
    v.ButtonsDir = ReadString(path, "Buttons", "Dir", v.ButtonsDir);
    return v;
}

ScopeSetting ReadScopeSetting(const std::string& path) {
    return ParseScopeSetting(ReadString(path, "Library", "Scope", ""));
}

void Writer::Write(const char* section, const char* key, const std::string& value) {
    if (failed_)
        return;
    failed_ = !nq::WriteProfileString(path_, section, key, value);
}

void Writer::Write(const char* section, const char* key, int value) {
    Write(section, key, std::to_string(value));
}

void WritePlacementValues(Writer& writer, const PlacementValues& values) {
    writer.Write("Placement", "X", values.X);
    writer.Write("Placement", "Y", values.Y);
    writer.Write("Placement", "Width", values.Width);
    writer.Write("Placement", "Height", values.Height);
    writer.Write("Skin", "Dir", values.SkinDir);
    writer.Write("Buttons", "Dir", values.ButtonsDir);
}

void WritePaneValues(Writer& writer, const PaneValues& values) {
    writer.Write("Sizes", "CollectionsPane", values.CollectionsPane);
    writer.Write("Sizes", "FontsPane", values.FontsPane);
    writer.Write("Sizes", "DetailsPane", values.DetailsPane);
    writer.Write("Other", "Size", values.Size);
    writer.Write("Other", "Search", values.Search);
}

void WriteScopeSetting(Writer& writer, ScopeSetting setting) {
    writer.Write("Library", "Scope", ScopeSettingText(setting));
}

} // namespace settings
