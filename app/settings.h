// The settings file beside the program: what is read at start and written at
// exit, through the Windows profile functions.
#pragma once

#include "frame_geometry.h"
#include "pane_layout.h"
#include "scope_rules.h"

#include <string>

namespace settings {

inline constexpr int kDefaultPreviewSize = 32;

// Read into the panes, the preview size and the search box. The pane sizes
// are sizes at 96 DPI, whatever the monitor: a file moved to another machine
// or monitor means the same layout.
struct PaneValues {
    int CollectionsPane = layout::PaneSizes{}.CollectionsPane;
    int FontsPane = layout::PaneSizes{}.FontsPane;
    int DetailsPane = layout::PaneSizes{}.DetailsPane;
    int Size = kDefaultPreviewSize;
    std::string Search;
};

// Read into the window's bounds and the skin and button folders. The bounds
// are screen pixels.
struct PlacementValues {
    int X = nq::frame::kDefaultClientBounds.Left;
    int Y = nq::frame::kDefaultClientBounds.Top;
    int Width = nq::frame::kDefaultClientBounds.Width;
    int Height = nq::frame::kDefaultClientBounds.Height;
    std::string SkinDir = "Skins/Default";
    std::string ButtonsDir = "Buttons/Default";
};

// An integer value (decimal, or hexadecimal with "0x"); fallback when the
// file, section or key is missing or the value is no such integer.
int ReadInt(const std::string& path, const char* section, const char* key, int fallback);
std::string ReadString(const std::string& path, const char* section, const char* key,
                       const std::string& fallback);

// Sizes/CollectionsPane, FontsPane, DetailsPane, then Other/Size and Search.
PaneValues ReadPaneValues(const std::string& path);
// Placement/X, Y, Width, Height, then Skin/Dir and Buttons/Dir; a bound that
// is absent takes its value from defaultBounds (the default bounds at the
// primary monitor's DPI).
PlacementValues
ReadPlacementValues(const std::string& path,
                    const nq::frame::Rect& defaultBounds = nq::frame::kDefaultClientBounds);

// Library/Scope: which fonts the program manages; Auto when absent or unknown.
ScopeSetting ReadScopeSetting(const std::string& path);

// Writes values one by one; after the first write that fails, no further
// write is made, so the file never holds a later value without an earlier one.
class Writer {
  public:
    explicit Writer(std::string path) : path_(std::move(path)) {}
    void Write(const char* section, const char* key, const std::string& value);
    void Write(const char* section, const char* key, int value);
    bool Failed() const { return failed_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool failed_ = false;
};

// Placement/X, Y, Width, Height, then Skin/Dir, then Buttons/Dir.
void WritePlacementValues(Writer& writer, const PlacementValues& values);
// Sizes/CollectionsPane, FontsPane, DetailsPane, then Other/Size, then Other/Search.
void WritePaneValues(Writer& writer, const PaneValues& values);
// Library/Scope.
void WriteScopeSetting(Writer& writer, ScopeSetting setting);

} // namespace settings
