// The client window's share of the skin: where its files are, its colour,
// the textures and the stretched backgrounds of the toolbar and the pane
// area, and the paints of the three panels that show them.
#pragma once

#include "background.h"
#include "gdiplus_raii.h"
#include "handles.h"
#include "skin_values.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace nq {

// A colour of the skin as GDI takes it; nothing stays nothing.
inline std::optional<COLORREF> AsColour(const std::optional<std::uint32_t>& value) {
    return value ? std::optional<COLORREF>(static_cast<COLORREF>(*value)) : std::nullopt;
}

class ClientSkin {
  public:
    // A skin was loaded, or the window took another DPI: both textures are
    // read afresh from "bg.bmp" (or its double-size form) and both
    // backgrounds are let go, to be built at the next paints. skinPath ends
    // in a backslash; colour is the skin's "bg" colour, colours its "Colors";
    // dpi the window's.
    void Load(const std::string& skinPath, COLORREF colour, const ColourValues& colours, int dpi);

    // SkinPath: every file of the skin is Path() + its name.
    const std::string& Path() const { return path_; }
    COLORREF Colour() const { return colour_; }

    // The skin's colours of the lists, the preview and the texts on the bars.
    const ColourValues& Colours() const { return colours_; }
    // The lists' background below their rows (white until a skin is loaded).
    HBRUSH ListBrush() const { return BrushOr(listBrush_); }
    // The preview's panels and sample text, and the size label, drawn halfway
    // between them (grey 128 between white and black).
    COLORREF PreviewBack() const {
        return static_cast<COLORREF>(colours_.PreviewBack.value_or(RGB(255, 255, 255)));
    }
    COLORREF PreviewText() const { return static_cast<COLORREF>(colours_.PreviewText); }
    COLORREF PreviewLabel() const;
    HBRUSH PreviewBrush() const { return BrushOr(previewBrush_); }
    // A text drawn over the background with a copy of itself one pixel lower
    // in the edge colour.
    struct EdgedText {
        COLORREF Text, Edge;
    };
    EdgedText CountColours() const;
    EdgedText DetailsColours() const;
    // The DPI the images are chosen and drawn for.
    int Dpi() const { return dpi_; }
    // A skin image for the window's DPI, read at its first use after a load
    // and kept until the next one (a load reads the files afresh, so edited
    // images show after a switch); empty when the file is missing or unreadable.
    const SkinImage& Image(const char* file) const;
    // The pane area (bgPanel) whose background the panes show; set when the
    // window is first shown, null again when it goes (the background is let go).
    void SetPaneArea(HWND paneArea);
    // PaneBackground: the pane area's background, stretched to the pane
    // area's current size. Whoever paints first after a size change or a skin
    // load builds it, so no reader ever shows the background of another size.
    // Null while there is no pane area (or it has no size).
    Gdiplus::GpBitmap* PaneBackground() const;

    // Draws onto graphics at (0, 0) the part of PaneBackground that lies under
    // window, a window of width x height inside origin (the pane area, or the
    // toolbar for the search bar). Nothing when there is no PaneBackground.
    void DrawPaneBackgroundUnder(Gdiplus::GpGraphics* graphics, HWND window, HWND origin, int width,
                                 int height) const;

    // The panels' paints, each composed off-screen and drawn in one step:
    // the toolbar with the trash symbol at its corner; the pane area; the
    // preview frame, which continues the pane area's background.
    void PaintToolbar(HWND toolbar, HDC dc);
    void PaintPaneArea(HDC dc, const RECT& update) const;
    void PaintPreviewFrame(HWND previewFrame, HDC dc, const RECT& update) const;
    // A splitter shows the background under it with the grip image centred
    // on it (as much of the grip as the bar's size shows); the skin's colour
    // while there is no pane background.
    void PaintSplitter(HWND splitter, HDC dc) const;

  private:
    static HBRUSH BrushOr(const UniqueGdiObject& brush) {
        return static_cast<HBRUSH>(brush ? brush.get() : GetStockObject(WHITE_BRUSH));
    }

    std::string path_;
    COLORREF colour_ = RGB(255, 255, 255);
    ColourValues colours_;
    UniqueGdiObject listBrush_, previewBrush_;
    int dpi_ = kBaseDpi;
    SkinImage toolbarTexture_, paneTexture_;
    // Decoding the bars' images at every paint costs more than the paint.
    mutable std::map<std::string, SkinImage> images_;
    StretchedBackground toolbarBackground_;
    HWND paneArea_ = nullptr;
    mutable StretchedBackground paneBackground_; // built by the first reader that needs it
};

} // namespace nq
