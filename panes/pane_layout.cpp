#include "pane_layout.h"

#include <algorithm>

namespace layout {

namespace {

// Controls aligned one after another take their size while it fits; the rest
// of the space goes to the last one, never below zero.
int NonNegative(int v) {
    return std::max(0, v);
}

// Distances at 96 DPI from one side of a parent, turned into pixels at one DPI.
class Scale {
  public:
    explicit Scale(int dpi) : dpi_(dpi) {}
    int operator()(int size96) const { return nq::Scaled(size96, dpi_); }
    // A span of `length` from `from`, both measured from the same side.
    Rect Across(int from, int length, int top, int height) const {
        return {(*this)(from), top, (*this)(from + length) - (*this)(from), height};
    }
    Rect Box(int left, int top, int width, int height) const {
        return {(*this)(left), (*this)(top), (*this)(left + width) - (*this)(left),
                (*this)(top + height) - (*this)(top)};
    }

  private:
    int dpi_;
};

} // namespace

int ToolbarHeight(int dpi) {
    return nq::Scaled(kToolbarHeight, dpi);
}

ClientLayout ComputeClientLayout(int clientWidth, int clientHeight, const PaneSizes& sizes,
                                 int dpi) {
    const Scale s(dpi);
    const int w = NonNegative(clientWidth);
    const int h = NonNegative(clientHeight);
    const int collections = NonNegative(sizes.CollectionsPane);
    const int fonts = NonNegative(sizes.FontsPane);
    const int details = NonNegative(sizes.DetailsPane);
    ClientLayout l;

    l.Toolbar = {0, 0, w, std::min(h, s(kToolbarHeight))};
    const int searchWidth = s(kSearchPanelWidth);
    l.Panel10 = {w - searchWidth, 0, searchWidth, l.Toolbar.Height};
    l.Pb5 = {0, 0, searchWidth, l.Toolbar.Height};
    l.EditSearch = s.Box(kEditSearchLeft, kEditSearchTop, kEditSearchWidth, kEditSearchHeight);

    l.BgPanel = {0, l.Toolbar.Height, w, h - l.Toolbar.Height};
    const int bh = l.BgPanel.Height;

    // Left to right at 96 DPI: margin, collections pane, splitter, fonts
    // pane, splitter; the preview pane takes the rest.
    const int panel3 = kLeftMargin;
    const int splitter1 = panel3 + collections;
    const int panel1 = splitter1 + kPaneSplitterWidth;
    const int splitter2 = panel1 + fonts;
    const int preview = splitter2 + kPaneSplitterWidth;
    l.Panel3 = s.Across(panel3, collections, 0, bh);
    l.Splitter1 = s.Across(splitter1, kPaneSplitterWidth, 0, bh);
    l.Panel1 = s.Across(panel1, fonts, 0, bh);
    l.Splitter2 = s.Across(splitter2, kPaneSplitterWidth, 0, bh);
    l.PreviewPanel = {s(preview), 0, NonNegative(w - s(preview)), bh};

    // The two list panes: header strip on top, button bar at the bottom, the
    // list between them.
    const int barTop = NonNegative(bh - s(kBarHeight));
    const int header = std::min(bh, s(kHeaderHeight));
    const int listHeight = NonNegative(barTop - header);
    const int cw = l.Panel3.Width, fw = l.Panel1.Width;
    l.CollectionHeader = {0, 0, cw, header};
    l.LbFolders = {0, header, cw, listHeight};
    l.Panel9 = {0, barTop, cw, bh - barTop};
    l.FontHeader = {0, 0, fw, header};
    l.LbFonts = {0, header, fw, listHeight};
    l.Panel8 = {0, barTop, fw, bh - barTop};
    l.Pb4 = {0, 0, cw, l.Panel9.Height};
    l.Pb2 = {0, 0, fw, l.Panel8.Height};

    // The preview pane, bottom up: details strip, its splitter, then Panel5.
    const int pw = l.PreviewPanel.Width;
    const int stripHeight = std::min(bh, s(details));
    l.PaintBox1 = {0, bh - stripHeight, pw, stripHeight};
    const int splitterHeight =
        std::min(l.PaintBox1.Top, s(details + kDetailsSplitterHeight) - s(details));
    l.Splitter3 = {0, l.PaintBox1.Top - splitterHeight, pw, splitterHeight};
    l.Panel5 = {0, 0, pw, l.Splitter3.Top};

    const int bevel = s(kPanel5Bevel);
    const int innerWidth = NonNegative(pw - 2 * bevel);
    const int innerHeight = NonNegative(l.Panel5.Height - 2 * bevel);
    const int sizeBarHeight = std::min(innerHeight, s(kPanel5Bevel + kSizeBarHeight) - bevel);
    l.Panel6 = {bevel, bevel, innerWidth, sizeBarHeight};
    l.LbPreview = {bevel, bevel + sizeBarHeight, innerWidth, innerHeight - sizeBarHeight};
    // Panel7 ends where Panel6 ends, at the bevel from Panel5's right side.
    const int sizePanelWidth = s(kPanel5Bevel + kSizePanelWidth) - bevel;
    l.Panel7 = {innerWidth - sizePanelWidth, 0, sizePanelWidth, sizeBarHeight};
    l.Label5 = s.Box(kSizeLabelLeft, kSizeLabelTop, kSizeLabelWidth, kSizeLabelHeight);
    l.ComboBox1 = s.Box(kSizeBoxLeft, kSizeBoxTop, kSizeBoxWidth, kSizeBoxDropHeight);
    return l;
}

int DraggedPaneSize(int proposed, int room, int current) {
    const int largest = room - kMinDraggedSize;
    if (largest < kMinDraggedSize)
        return current;
    return std::clamp(proposed, kMinDraggedSize, largest);
}

namespace {

// What the dragged pane and the preview pane share: bgPanel less the margin,
// both splitters and the other list pane, at 96 DPI.
int ListPaneRoom(int bgPanelWidth, int otherPane, int dpi) {
    return nq::Unscaled(bgPanelWidth, dpi) - kLeftMargin - 2 * kPaneSplitterWidth -
           NonNegative(otherPane);
}

} // namespace

int DraggedCollectionsPane(int proposed, int bgPanelWidth, const PaneSizes& sizes, int dpi) {
    return DraggedPaneSize(proposed, ListPaneRoom(bgPanelWidth, sizes.FontsPane, dpi),
                           sizes.CollectionsPane);
}

int DraggedFontsPane(int proposed, int bgPanelWidth, const PaneSizes& sizes, int dpi) {
    return DraggedPaneSize(proposed, ListPaneRoom(bgPanelWidth, sizes.CollectionsPane, dpi),
                           sizes.FontsPane);
}

int DraggedDetailsPane(int proposed, int previewPanelHeight, const PaneSizes& sizes, int dpi) {
    const int height =
        DraggedPaneSize(proposed, nq::Unscaled(previewPanelHeight, dpi) - kDetailsSplitterHeight,
                        sizes.DetailsPane);
    return height == kMinDraggedSize ? kDefaultDetailsHeight : height;
}

PaneSizes FitPaneSizes(const PaneSizes& sizes, int paneAreaWidth, int paneAreaHeight, int dpi) {
    PaneSizes fitted = sizes;
    // What the two list panes share with the preview pane's minimum kept free.
    const int listRoom =
        nq::Unscaled(paneAreaWidth, dpi) - kLeftMargin - 2 * kPaneSplitterWidth - kMinDraggedSize;
    int& fonts = fitted.FontsPane;
    int& collections = fitted.CollectionsPane;
    if (collections + fonts > listRoom)
        fonts = std::max(std::min(fonts, kMinDraggedSize), listRoom - collections);
    if (collections + fonts > listRoom)
        collections = std::max(std::min(collections, kMinDraggedSize), listRoom - fonts);
    const int detailsRoom =
        nq::Unscaled(paneAreaHeight, dpi) - kDetailsSplitterHeight - kMinDraggedSize;
    if (fitted.DetailsPane > detailsRoom)
        fitted.DetailsPane =
            std::max(std::min(fitted.DetailsPane, kDefaultDetailsHeight), detailsRoom);
    return fitted;
}

} // namespace layout
