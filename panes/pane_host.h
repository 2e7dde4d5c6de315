// What the panes ask of the window that holds them. The client window
// implements it with the handlers that tie the panes to the font library;
// a pane knows nothing else of that window.
#pragma once

#include "bar_rules.h"
#include "pane_layout.h"

#include <windows.h>

#include <optional>
#include <string>

namespace nq {

class ClientSkin;
class Tooltip;

// The list a dragged row comes from.
enum class DragSource { Folders, Fonts };

class PaneHost {
  public:
    // A row of the collections list was chosen.
    virtual void lbFoldersClick() = 0;
    // A row of the fonts list was chosen.
    virtual void lbFontsClick() = 0;
    // The search box's text changed, it was clicked, it lost the focus.
    virtual void editSearchChange() = 0;
    virtual void editSearchClick() = 0;
    virtual void editSearchExit() = 0;
    // The size box's text changed.
    virtual void ComboBox1Change() = 0;
    // The hidden on/off buttons of the two bars were clicked.
    virtual void Button1Click() = 0;
    virtual void Button2Click() = 0;

    // The bars' add buttons: a font file by the open dialog, a new collection.
    virtual void AddFontByDialog() = 0;
    virtual void NewCollection() = 0;
    // The collections header was clicked.
    virtual void CollectionHeaderClick() = 0;

    // What the bars show: the selected row of the collections list (-1 for
    // none), CollectionOff, and the number of records while a search filter
    // is in force; the pressed state both bars share; the skin.
    virtual int SelectedCollectionRow() const = 0;
    virtual bool CollectionOff() const = 0;
    virtual std::optional<int> FilteredTotal() const = 0;
    // The fonts bar's count text while the listing still reads its files
    // ("Reading 2,345 of 10,000"); nothing once it is done.
    virtual std::optional<std::string> ListingText() const = 0;
    virtual bars::Pressed& BarPresses() = 0;
    virtual const ClientSkin& Skin() const = 0;
    // The tooltip control that tells what the bars' buttons do.
    virtual Tooltip& Tips() = 0;

    // A right click (or the menu key, with the point (-1, -1)) on a list:
    // its menu at the screen point.
    virtual void lbFontsContextPopup(POINT screen) = 0;
    virtual void lbFoldersContextPopup(POINT screen) = 0;

    // A row dragged from source is over the screen point: whether the window
    // there accepts it. Then the drop itself.
    virtual bool DragOver(DragSource source, POINT screen) = 0;
    virtual void DragDrop(DragSource source, POINT screen) = 0;

    // The DPI the client window is laid out and drawn at; every pane scales
    // its sizes at 96 DPI by it.
    virtual int Dpi() const = 0;

    // The pane sizes (at 96 DPI) the splitters change, and a new layout after a change.
    // A drag starts from the sizes as they are laid out (sizes that did not
    // fit the window were laid out smaller): TakeLaidOutSizes makes them the
    // model's.
    virtual layout::PaneSizes& MutablePaneSizes() = 0;
    virtual void TakeLaidOutSizes() = 0;
    virtual void ApplyLayout() = 0;

  protected:
    ~PaneHost() = default;
};

} // namespace nq
