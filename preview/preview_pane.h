// The preview pane: the size box, the sample text shown in the selected font,
// the details strip below it and the font file loaded privately for it.
#pragma once

#include "defer_pos.h"
#include "ffpbox.h"
#include "handles.h"
#include "pane_host.h"
#include "pane_splitter.h"
#include "panel.h"

#include <optional>
#include <string>

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

    // The size box's text.
    std::string SizeText() const;
    void SetSizeText(const std::string& text) const;
    // The sample lines, CR LF between them.
    std::string SampleText() const;
    void SetSampleText(const std::string& text) const;

    // Loads a font file for this process only, from a copy of the file that
    // is freed right after; the previous private font goes first.
    void LoadPrivateFont(const std::string& path);
    void ReleasePrivateFont() { privateFont_.reset(); }

    // Shows the sample text in face at points (held to 1..kLargestPointSize).
    void ShowSample(const std::string& face, int points);
    // Sets the sample text's font without showing it.
    void SetSampleFont(const std::string& face, int points);

    // The details strip's texts (the hidden labels lblName, lblCopyright,
    // lblTrademark and lblFamily) and its paint.
    void ShowDetails(const std::string& name, const std::string& copyright,
                     const std::string& trademark, const std::string& family) const;
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
    UniqueFontMem privateFont_;
    Panel previewPanel_, panel5_, panel6_, panel7_;
    HWND Label5_ = nullptr, ComboBox1_ = nullptr, lbPreview_ = nullptr;
    HWND lblName_ = nullptr, lblCopyright_ = nullptr, lblTrademark_ = nullptr, lblFamily_ = nullptr;
    UniqueGdiObject stripFont_, stripBoldFont_;
    TFlickerFreePaintBox PaintBox1_;
    int samplePoints_ = 0;
    PaneSplitter splitter3_;
};

} // namespace nq
