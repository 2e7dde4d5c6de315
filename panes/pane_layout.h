// Geometry of the client window: where each control lies for a given client
// size and pane sizes, and how far the splitters may be dragged.
// Portable: no Windows calls.
//
// Every constant here and the pane sizes are sizes at 96 DPI; the client size
// and the rectangles are pixels of a window at `dpi`. Each edge of a control
// is its distance at 96 DPI from the side of its parent it is measured from,
// scaled once (nq::Scaled), so that at any DPI every edge lies within half a
// pixel of where scaling the 96-DPI layout would put it.
#pragma once

#include "dpi_scale.h"

namespace layout {

constexpr int kToolbarHeight = 34;
// The toolbar's left end, where the trash symbol stands: rows dropped there go
// to the recycle bin, a click there opens it.
constexpr int kTrashAreaWidth = 30;
constexpr int kSearchPanelWidth = 185; // Panel10 at the toolbar's right end
constexpr int kEditSearchLeft = 44;
constexpr int kEditSearchTop = 6;
constexpr int kEditSearchWidth = 113;
constexpr int kEditSearchHeight = 18;
constexpr int kLeftMargin = 1;
constexpr int kPaneSplitterWidth = 1;
constexpr int kHeaderHeight = 17; // "Collection" and "Font" strips
constexpr int kBarHeight = 29;    // Panel9 and Panel8
constexpr int kDetailsSplitterHeight = 6;
constexpr int kPanel5Bevel = 1;
constexpr int kSizeBarHeight = 41;  // Panel6
constexpr int kSizePanelWidth = 97; // Panel7
constexpr int kSizeBoxLeft = 31;
constexpr int kSizeBoxTop = 12;
constexpr int kSizeBoxWidth = 57;
constexpr int kSizeBoxDropHeight = 300; // the size box with its list open
constexpr int kSizeLabelLeft = 1;
constexpr int kSizeLabelTop = 16;
constexpr int kSizeLabelWidth = 28;
constexpr int kSizeLabelHeight = 16;

constexpr int kDefaultPaneWidth = 185;
constexpr int kDefaultDetailsHeight = 23;
// Neither a dragged pane nor the free area beyond it gets smaller than this.
constexpr int kMinDraggedSize = 30;

struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const Rect& o) const {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};

// Sizes at 96 DPI, as the settings file keeps them.
struct PaneSizes {
    int CollectionsPane = kDefaultPaneWidth; // Panel3
    int FontsPane = kDefaultPaneWidth;       // Panel1
    int DetailsPane = kDefaultDetailsHeight; // PaintBox1
};

// Each rectangle is relative to the control's parent window:
//   client: Toolbar, BgPanel;  Toolbar: Panel10;  Panel10: Pb5, EditSearch;
//   BgPanel: Panel3, Splitter1, Panel1, Splitter2, PreviewPanel;
//   Panel3: CollectionHeader, LbFolders, Panel9;  Panel1: FontHeader, LbFonts, Panel8;
//   Panel9: Pb4;  Panel8: Pb2;
//   PreviewPanel: Panel5, Splitter3, PaintBox1;  Panel5: Panel6, LbPreview;
//   Panel6: Panel7;  Panel7: Label5, ComboBox1.
// A window too small for everything leaves the later controls with zero sizes.
struct ClientLayout {
    Rect Toolbar, Panel10, Pb5, EditSearch;
    Rect BgPanel;
    Rect Panel3, CollectionHeader, LbFolders, Panel9, Pb4;
    Rect Splitter1;
    Rect Panel1, FontHeader, LbFonts, Panel8, Pb2;
    Rect Splitter2;
    Rect PreviewPanel, Panel5, Panel6, Panel7, Label5, ComboBox1, LbPreview;
    Rect Splitter3, PaintBox1;
};

ClientLayout ComputeClientLayout(int clientWidth, int clientHeight, const PaneSizes& sizes,
                                 int dpi);

// The toolbar's height in pixels at dpi.
int ToolbarHeight(int dpi);

// The size a pane takes while its splitter proposes `proposed`. `room` is the
// pane's size plus the free area beyond it; both keep kMinDraggedSize. When
// the room holds less than both minimums the pane keeps `current`. All three
// are sizes at 96 DPI.
int DraggedPaneSize(int proposed, int room, int current);

// Splitter1 and Splitter2: the room is what the preview pane and the dragged
// pane share inside bgPanel (its width in pixels at dpi).
int DraggedCollectionsPane(int proposed, int bgPanelWidth, const PaneSizes& sizes, int dpi);
int DraggedFontsPane(int proposed, int bgPanelWidth, const PaneSizes& sizes, int dpi);

// The pane sizes as they can be laid out in a pane area (bgPanel) of the given
// size in pixels at dpi: the two list panes and the preview pane keep the
// splitters' minimum of kMinDraggedSize where there is room for it (the fonts
// pane gives way first), and the details strip leaves the preview area above
// it its minimum. Sizes that fit are kept as they are, smaller ones too.
PaneSizes FitPaneSizes(const PaneSizes& sizes, int paneAreaWidth, int paneAreaHeight, int dpi);

// Splitter3: the details strip below the preview area (its height in pixels
// at dpi). Dragged to its minimum it takes its design height: a proposed 30
// becomes 23.
int DraggedDetailsPane(int proposed, int previewPanelHeight, const PaneSizes& sizes, int dpi);

} // namespace layout
