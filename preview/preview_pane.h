// The preview pane: the size box, the sample text shown in the selected font,
// the details strip below it and the font file loaded privately for it.
#pragma once

#include "defer_pos.h"
#include "ffpbox.h"
#include "handles.h"
#include "pane_host.h"
#include "pane_splitter.h"
#include "panel.h"
#include "preview_font.h"

#include <optional>
#include <string>
#include <vector>

namespace nq {

class PreviewPane final : public ChildMessageSink {
  public:
    // The preview frame (previewPanel), which paints the pane area's background.
    HWND Frame() const { return previewPanel_.Handle(); }
    void SetFramePaintHandler(Panel::PaintHandler handler) {
        previewPanel_.SetPaintHandler(std::move(handler));
    }
    HWND Splitter() const { return splitter3_.Handle(); }

    // Largest point size a font can be made with (its height must fit in 16 bits).
    static constexpr int kLargestPointSize = 1600;

    bool Create(HWND paneArea, PaneHost& host);
    void Layout(DeferBatch& batch, const layout::ClientLayout& l) const;
    // The pane's fonts for the window's DPI (at creation and when it
    // changes); the sample keeps its face and point size.
    void ApplyDpi();

    // The size box's text.
    std::string SizeText() const;
    void SetSizeText(const std::string& text) const;
    // The sample lines, CR LF between them.
    std::string SampleText() const;
    void SetSampleText(const std::string& text) const;

    // The font file (UTF-8 path, any format) whose sample is shown next: read
    // for its first face's names and a bitmap font's sizes, and loaded for
    // this process only when loadPrivately (the previous private font goes
    // first; the file itself is not held). A file that cannot be read leaves
    // the face to the name ShowSample is given.
    void OpenFontFile(const std::string& path, bool loadPrivately);
    void ReleasePrivateFont() { privateFont_.Reset(); }
    // Whether the last OpenFontFile loaded a font privately.
    bool PrivateFontLoaded() const { return privateFont_.Loaded(); }

    // Shows the sample text in the opened file's face (else in face) at points
    // (held to 1..kLargestPointSize), as many pixels high as that many points
    // take at the window's DPI; a bitmap font at its size nearest to points,
    // which the details strip tells.
    void ShowSample(const std::string& face, int points);
    // Sets the sample text's font without showing it.
    void SetSampleFont(const std::string& face, int points);
    // The sample's point size (as the details strip tells it) and its font.
    int SamplePoints() const { return samplePoints_; }
    HFONT SampleFont() const { return static_cast<HFONT>(sampleFont_.get()); }

    // The details strip's texts (the hidden labels lblName, lblCopyright,
    // lblTrademark and lblFamily, and the number of faces of a collection) and
    // its paint.
    void ShowDetails(const std::string& name, const std::string& copyright,
                     const std::string& trademark, const std::string& family, int faceCount = 1);
    // The heading the strip shows: name, size and, for a bitmap font, that the
    // size is its nearest one; empty before a font was shown.
    std::string Heading() const;
    // The lines the strip shows below the heading when it is enlarged: name,
    // copyright, trademark and family (a collection's first face's), and a
    // collection's number of faces.
    std::vector<std::string> DetailLines() const;
    void PaintBox2Paint(HDC canvas);
    // The panels, the sample text and the size label take the skin's
    // preview colours (after a skin load).
    void ApplySkinColours();
    void InvalidateDetails() const { PaintBox1_.Invalidate(); }
    void RepaintDetails() const { PaintBox1_.Repaint(); }

    std::optional<LRESULT> OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    PaneHost* host_ = nullptr;
    UniqueGdiObject sizeBoxFont_, sizeLabelFont_, sampleFont_;
    PrivateFont privateFont_;
    PreviewFace face_;        // of the file opened last
    bool bitmapSize_ = false; // the sample shows a bitmap font's nearest size
    int faceCount_ = 1;
    Panel previewPanel_, panel5_, panel6_, panel7_;
    HWND Label5_ = nullptr, ComboBox1_ = nullptr, lbPreview_ = nullptr;
    HWND lblName_ = nullptr, lblCopyright_ = nullptr, lblTrademark_ = nullptr, lblFamily_ = nullptr;
    UniqueGdiObject stripFont_, stripBoldFont_;
    TFlickerFreePaintBox PaintBox1_;
    int samplePoints_ = 0;
    std::string sampleFace_;
    PaneSplitter splitter3_;
};

} // namespace nq
