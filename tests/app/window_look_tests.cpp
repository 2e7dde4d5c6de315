// What the client window draws: list rows, measured in the pixels the window
// itself paints into a bitmap.
#include "window_test_support.h"

#include "dc.h"
#include "dib.h"

namespace {

// A row drawn by the pane that owns the list, into a 32-bit bitmap, through
// the owner-draw request the list sends.
nq::ArgbDib DrawRow(HWND list, int row, bool selected, int width = 200) {
    nq::ArgbDib dib(width, 15);
    const nq::MemoryDC dc(nullptr);
    const nq::SelectGuard bitmap(dc.get(), dib.Bitmap());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(list));
    item.itemID = static_cast<UINT>(row);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = selected ? ODS_SELECTED : 0;
    item.hwndItem = list;
    item.hDC = dc.get();
    item.rcItem = RECT{0, 0, width, 15};
    item.itemData = static_cast<ULONG_PTR>(SendMessageA(list, LB_GETITEMDATA, row, 0));
    SendMessageA(GetParent(list), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    return dib;
}

COLORREF Rgb(std::uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Whether any pixel of columns [from, to) has the colour.
bool ColumnsHold(const nq::ArgbDib& dib, int from, int to, COLORREF colour) {
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = from; x < to; ++x)
            if (Rgb(dib.Pixel(x, y)) == colour)
                return true;
    return false;
}

class LookTest : public WindowTest {};

TEST_F(LookTest, ListRowsShowTheirStateInTheSchemeColoursWithARightAlignedOffMarker) {
    ASSERT_TRUE(CreateDirectoryA((Root() + "Off").c_str(), nullptr));
    WriteFileText(Root() + "Off\\disabled.txt", "");
    CopyHostFont(kDejaVuSans, Root() + "Off\\DejaVuSans.ttf");
    WriteFileText(Root() + "disabled.txt", ""); // never makes "All Fonts" off
    auto form = Open(true);
    HWND folders = Control(*form, ctl::LbFolders);
    HWND fonts = Control(*form, ctl::LbFonts);
    EXPECT_EQ(SendMessageA(folders, LB_GETITEMHEIGHT, 0, 0), 15);
    ClickFolder(*form, FindRow(folders, "Off"));
    ASSERT_EQ(ListRows(fonts), std::vector<std::string>{"DejaVu Sans"});

    const COLORREF offText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF white = RGB(255, 255, 255);
    struct Case {
        HWND List;
        int Row;
        bool Selected, Off;
    };
    for (const Case& c :
         {Case{folders, 0, false, false}, Case{folders, 1, false, true},
          Case{folders, 1, true, true}, Case{fonts, 0, false, true}, Case{fonts, 0, true, true}}) {
        const nq::ArgbDib row = DrawRow(c.List, c.Row, c.Selected);
        const COLORREF text = c.Selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                         : (c.Off ? offText : GetSysColor(COLOR_WINDOWTEXT));
        const COLORREF back = c.Selected ? highlight : white;
        EXPECT_EQ(Rgb(row.Pixel(1, 7)), back) << c.Row;
        EXPECT_TRUE(ColumnsHold(row, 10, 60, text)) << "the name from 10 pixels in";
        EXPECT_FALSE(ColumnsHold(row, 0, 10, text)) << "nothing left of the indent";
        // "off" stands at the right end, one space's width left free.
        EXPECT_EQ(ColumnsHold(row, 170, 196, text), c.Off) << c.Row << " " << c.Selected;
        EXPECT_EQ(Rgb(row.Pixel(199, 7)), back);
    }
    // A registered font has no marker.
    (*form->Fonts())[0]->Installed = true;
    EXPECT_FALSE(ColumnsHold(DrawRow(fonts, 0, false), 170, 196, GetSysColor(COLOR_WINDOWTEXT)));
    Close(form);
}

} // namespace
