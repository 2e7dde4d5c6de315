#include "drag_cursor.h"

#include "dc.h"
#include "handles.h"

namespace nq {

namespace {

// The arrow drawn into a colour bitmap and its mask, with a white sheet and a
// black outline at the lower right.
HCURSOR MakeDragCursor() {
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const int width = GetSystemMetrics(SM_CXCURSOR);
    const int height = GetSystemMetrics(SM_CYCURSOR);
    const ClientDC screen(nullptr);
    const MemoryDC dc(screen.get());
    const UniqueGdiObject colour(CreateCompatibleBitmap(screen.get(), width, height));
    const UniqueGdiObject mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!dc || !colour || !mask)
        return nullptr;
    const RECT all{0, 0, width, height};
    const RECT sheet{width / 2, height / 2 + 2, width / 2 + 9, height / 2 + 13};
    {
        const SelectGuard selected(dc.get(), mask.get());
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc.get(), 0, 0, arrow, 0, 0, 0, nullptr, DI_MASK);
        FillRect(dc.get(), &sheet, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    {
        const SelectGuard selected(dc.get(), colour.get());
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawIconEx(dc.get(), 0, 0, arrow, 0, 0, 0, nullptr, DI_IMAGE);
        FillRect(dc.get(), &sheet, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        const RECT inside{sheet.left + 1, sheet.top + 1, sheet.right - 1, sheet.bottom - 1};
        FillRect(dc.get(), &inside, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ICONINFO info{};
    info.fIcon = FALSE; // a cursor, with its hot spot at the arrow's tip
    GetIconInfo(arrow, &info);
    const UniqueGdiObject arrowMask(info.hbmMask), arrowColour(info.hbmColor);
    info.hbmMask = static_cast<HBITMAP>(mask.get());
    info.hbmColor = static_cast<HBITMAP>(colour.get());
    info.fIcon = FALSE;
    return CreateIconIndirect(&info);
}

} // namespace

HCURSOR DragCursor() {
    static const UniqueCursor cursor(MakeDragCursor());
    return cursor ? cursor.get() : LoadCursorA(nullptr, IDC_ARROW);
}

} // namespace nq
