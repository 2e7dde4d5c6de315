// The client window's share of the skin: where its files are, its colour,
// the textures and the stretched backgrounds of the toolbar and the pane
// area, and the paints of the three panels that show them.
#pragma once

#include "background.h"
#include "gdiplus_raii.h"

#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>

namespace nq {

class ClientSkin {
  public:
    // A skin was loaded: both textures are read afresh from "bg.bmp" and both
    // backgrounds are let go, to be built at the next paints. skinPath ends
    // in a backslash; colour is the skin's "bg" colour.
    void Load(const std::string& skinPath, COLORREF colour);

    // SkinPath: every file of the skin is Path() + its name.
    const std::string& Path() const { return path_; }
    COLORREF Colour() const { return colour_; }
    // A skin image, read at its first use after a skin load and kept until the
    // next one (a load reads the files afresh, so edited images show after a
    // switch); null when the file is missing or unreadable.
    Gdiplus::GpBitmap* Image(const char* file) const;
    // PaneBackground: the pane area's background as last painted; null
    // before its first paint after a skin load.
    Gdiplus::GpBitmap* PaneBackground() const { return paneBackground_.Get(); }

    // Draws onto graphics at (0, 0) the part of PaneBackground that lies under
    // window, a window of width x height inside origin (the pane area, or the
    // toolbar for the search bar). Nothing when there is no PaneBackground.
    void DrawPaneBackgroundUnder(Gdiplus::GpGraphics* graphics, HWND window, HWND origin, int width,
                                 int height) const;

    // The panels' paints, each composed off-screen and drawn in one step:
    // the toolbar with the trash symbol at its corner; the pane area with a
    // grip centred on each splitter; the preview frame, which continues the
    // pane area's background and shows the grip of its own splitter.
    void PaintToolbar(HWND toolbar, HDC dc);
    void PaintPaneArea(HWND paneArea, HDC dc, const RECT& update,
                       std::initializer_list<HWND> splitters);
    void PaintPreviewFrame(HWND previewFrame, HWND paneArea, HDC dc, const RECT& update,
                           HWND splitter);

  private:
    std::string path_;
    COLORREF colour_ = RGB(255, 255, 255);
    GdipBitmapPtr toolbarTexture_, paneTexture_;
    // Decoding the bars' images at every paint costs more than the paint.
    mutable std::map<std::string, GdipBitmapPtr> images_;
    StretchedBackground toolbarBackground_, paneBackground_;
};

} // namespace nq
