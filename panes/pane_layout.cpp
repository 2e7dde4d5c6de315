#include "pane_layout.h"

#include <algorithm>

namespace layout {

namespace {

// Controls aligned one after another take their size while it fits; the rest
// of the space goes to the last one, never below zero.
int NonNegative(int v) {
    return std::max(0, v);
}

} // namespace

ClientLayout ComputeClientLayout(int clientWidth, int clientHeight, const PaneSizes& sizes) {
    const int w = NonNegative(clientWidth);
    const int h = NonNegative(clientHeight);
    const int collections = NonNegative(sizes.CollectionsPane);
    const int fonts = NonNegative(sizes.FontsPane);
    const int details = NonNegative(sizes.DetailsPane);
    ClientLayout l;

    l.Toolbar = {0, 0, w, std::min(h, kToolbarHeight)};
    l.Panel10 = {w - kSearchPanelWidth, 0, kSearchPanelWidth, l.Toolbar.Height};
    l.Pb5 = {0, 0, kSearchPanelWidth, l.Toolbar.Height};
    l.EditSearch = {kEditSearchLeft, kEditSearchTop, kEditSearchWidth, kEditSearchHeight};

    l.BgPanel = {0, l.Toolbar.Height, w, h - l.Toolbar.Height};
    const int bh = l.BgPanel.Height;

    int x = kLeftMargin;
    l.Panel3 = {x, 0, collections, bh};
    x += collections;
    l.Splitter1 = {x, 0, kPaneSplitterWidth, bh};
    x += kPaneSplitterWidth;
    l.Panel1 = {x, 0, fonts, bh};
    x += fonts;
    l.Splitter2 = {x, 0, kPaneSplitterWidth, bh};
    x += kPaneSplitterWidth;
    l.PreviewPanel = {x, 0, NonNegative(w - x), bh};

    // The two list panes: header strip on top, button bar at the bottom, the
    // list between them.
    const int barTop = NonNegative(bh - kBarHeight);
    const int header = std::min(bh, kHeaderHeight);
    const int listHeight = NonNegative(barTop - header);
    l.CollectionHeader = {0, 0, collections, header};
    l.LbFolders = {0, header, collections, listHeight};
    l.Panel9 = {0, barTop, collections, bh - barTop};
    l.FontHeader = {0, 0, fonts, header};
    l.LbFonts = {0, header, fonts, listHeight};
    l.Panel8 = {0, barTop, fonts, bh - barTop};
    l.Pb4 = {0, 0, collections, l.Panel9.Height};
    l.Pb2 = {0, 0, fonts, l.Panel8.Height};

    // The preview pane, bottom up: details strip, its splitter, then Panel5.
    const int pw = l.PreviewPanel.Width;
    const int stripHeight = std::min(bh, details);
    l.PaintBox1 = {0, bh - stripHeight, pw, stripHeight};
    const int splitterHeight = std::min(l.PaintBox1.Top, kDetailsSplitterHeight);
    l.Splitter3 = {0, l.PaintBox1.Top - splitterHeight, pw, splitterHeight};
    l.Panel5 = {0, 0, pw, l.Splitter3.Top};

    const int innerWidth = NonNegative(pw - 2 * kPanel5Bevel);
    const int innerHeight = NonNegative(l.Panel5.Height - 2 * kPanel5Bevel);
    const int sizeBarHeight = std::min(innerHeight, kSizeBarHeight);
    l.Panel6 = {kPanel5Bevel, kPanel5Bevel, innerWidth, sizeBarHeight};
    l.LbPreview = {kPanel5Bevel, kPanel5Bevel + sizeBarHeight, innerWidth,
                   innerHeight - sizeBarHeight};
    l.Panel7 = {innerWidth - kSizePanelWidth, 0, kSizePanelWidth, sizeBarHeight};
    l.Label5 = {kSizeLabelLeft, kSizeLabelTop, kSizeLabelWidth, kSizeLabelHeight};
    l.ComboBox1 = {kSizeBoxLeft, kSizeBoxTop, kSizeBoxWidth, kSizeBoxDropHeight};
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
// both splitters and the other list pane.
int ListPaneRoom(int bgPanelWidth, int otherPane) {
    return bgPanelWidth - kLeftMargin - 2 * kPaneSplitterWidth - NonNegative(otherPane);
}

} // namespace

int DraggedCollectionsPane(int proposed, int bgPanelWidth, const PaneSizes& sizes) {
    return DraggedPaneSize(proposed, ListPaneRoom(bgPanelWidth, sizes.FontsPane),
                           sizes.CollectionsPane);
}

int DraggedFontsPane(int proposed, int bgPanelWidth, const PaneSizes& sizes) {
    return DraggedPaneSize(proposed, ListPaneRoom(bgPanelWidth, sizes.CollectionsPane),
                           sizes.FontsPane);
}

int DraggedDetailsPane(int proposed, int previewPanelHeight, const PaneSizes& sizes) {
    const int height =
        DraggedPaneSize(proposed, previewPanelHeight - kDetailsSplitterHeight, sizes.DetailsPane);
    return height == kMinDraggedSize ? kDefaultDetailsHeight : height;
}

PaneSizes FitPaneSizes(const PaneSizes& sizes, int paneAreaWidth, int paneAreaHeight) {
    PaneSizes fitted = sizes;
    // What the two list panes share with the preview pane's minimum kept free.
    const int listRoom = paneAreaWidth - kLeftMargin - 2 * kPaneSplitterWidth - kMinDraggedSize;
    int& fonts = fitted.FontsPane;
    int& collections = fitted.CollectionsPane;
    if (collections + fonts > listRoom)
        fonts = std::max(std::min(fonts, kMinDraggedSize), listRoom - collections);
    if (collections + fonts > listRoom)
        collections = std::max(std::min(collections, kMinDraggedSize), listRoom - fonts);
    const int detailsRoom = paneAreaHeight - kDetailsSplitterHeight - kMinDraggedSize;
    if (fitted.DetailsPane > detailsRoom)
        fitted.DetailsPane =
            std::max(std::min(fitted.DetailsPane, kDefaultDetailsHeight), detailsRoom);
    return fitted;
}

} // namespace layout
