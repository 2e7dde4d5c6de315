// The font file behind the sample text: read once when a font is selected, for
// the face name to ask GDI for and a bitmap font's sizes, and loaded for this
// process only while it is previewed.
#pragma once

#include "font_file.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace nq {

// What the preview asks GDI for.
struct PreviewFace {
    // Face names to try in order: the first face's full name, then its family
    // (GDI knows a face by either, but takes at most 31 characters).
    std::vector<std::string> Names;
    // A bitmap font's sizes (its first face's); empty for outline fonts.
    std::vector<fontfile::BitmapSize> BitmapSizes;
};

// The face a font image previews: its first face (a collection's too).
PreviewFace PreviewFaceOf(const fontfile::FontFileInfo& info);

// The size of a bitmap font nearest to points (the smaller one of two as near);
// nothing when sizes is empty.
std::optional<fontfile::BitmapSize>
NearestBitmapSize(const std::vector<fontfile::BitmapSize>& sizes, int points);

// A font file loaded for this process only: from a copy in memory
// (AddFontMemResourceEx), or where Windows takes no font from memory (bitmap
// fonts), from a temporary copy of the file (AddFontResourceExW, FR_PRIVATE),
// so that the font's own file stays free to be moved or deleted either way.
// The font goes when the object goes or Reset is called.
class PrivateFont {
  public:
    PrivateFont() = default;
    PrivateFont(const PrivateFont&) = delete;
    PrivateFont& operator=(const PrivateFont&) = delete;
    ~PrivateFont() { Reset(); }

    // Loads the font image (the whole file's bytes); the previous font goes
    // first. False when Windows took no font from it.
    bool Load(const std::string& image);
    // The same through the temporary file alone.
    bool LoadFromTemporaryFile(const std::string& image);
    void Reset();
    bool Loaded() const { return memory_ != nullptr || !file_.empty(); }

  private:
    HANDLE memory_ = nullptr;
    std::wstring file_;
};

// The whole file at path (UTF-8): through glyphscan's ReadIntoBuffer where the
// ANSI code page spells the path, else read directly. Nothing when it cannot be read.
std::optional<std::string> ReadFontFileBytes(const std::string& path);

} // namespace nq
