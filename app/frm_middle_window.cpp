// TfrmMiddle: the window, its panes and their layout.
#include "frm_middle.h"

#include "control_ids.h"
#include "defer_pos.h"
#include "place.h"
#include "window_class.h"

#include <algorithm>
#include <utility>

namespace {

// The toolbar's one tool: the trash area at its left end.
constexpr UINT kTrashTool = 1;

} // namespace

TfrmMiddle::~TfrmMiddle() {
    if (Handle())
        DestroyWindow(Handle());
}

bool TfrmMiddle::Create() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1)); // hIconSm: Windows picks from it
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMiddleWindowClass;
    nq::RegisterClassOnce(wc);
    // Until a skin sets a caption, the window carries the application title.
    if (!CreateBound(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kMiddleWindowClass, "NimbQuillbox",
                     WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                     nullptr))
        return false;
    using nq::PanelLook;
    tips_.Create(Handle());
    const bool created = toolbar_.Create(Handle(), ctl::Toolbar, "Toolbar", PanelLook::Plain) &&
                         search_.Create(toolbar_.Handle(), *this) &&
                         bgPanel_.Create(Handle(), ctl::BgPanel, "bgPanel", PanelLook::Plain) &&
                         collections_.Create(bgPanel_.Handle(), *this) &&
                         fonts_.Create(bgPanel_.Handle(), *this) &&
                         preview_.Create(bgPanel_.Handle(), *this);
    if (!created) {
        DestroyWindow(Handle());
        return false;
    }
    toolbar_.SetMouseHandler([this](UINT message, POINT at) {
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
            POINT screen = at;
            ClientToScreen(toolbar_.Handle(), &screen);
            ToolbarMouseDown(screen);
        } else if (message == WM_LBUTTONUP) {
            ToolbarMouseUp(at);
        }
    });
    FileDrop1.OnDrop = [this](nq::TFileDrop& sender) { FileDrop1Drop(sender); };
    FileDrop1.SetDropControl(fonts_.List().Handle());
    FormCreate();
    return true;
}

layout::PaneSizes TfrmMiddle::LaidOutSizes() const {
    RECT client;
    GetClientRect(Handle(), &client);
    // A minimised window has no size to fit the panes to.
    if (client.right <= 0 || client.bottom <= 0)
        return paneSizes_;
    return layout::FitPaneSizes(paneSizes_, client.right,
                                client.bottom -
                                    std::min<int>(client.bottom, layout::kToolbarHeight));
}

void TfrmMiddle::ApplyLayout() {
    if (!bgPanel_.Handle())
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    const layout::ClientLayout l =
        layout::ComputeClientLayout(client.right, client.bottom, LaidOutSizes());
    nq::DeferBatch batch;
    nq::Place(batch, toolbar_.Handle(), l.Toolbar);
    nq::Place(batch, bgPanel_.Handle(), l.BgPanel);
    search_.Layout(batch, l);
    collections_.Layout(batch, l);
    fonts_.Layout(batch, l);
    preview_.Layout(batch, l);
    batch.Commit();
    tips_.Set(toolbar_.Handle(), kTrashTool, RECT{0, 0, layout::kTrashAreaWidth, l.Toolbar.Height},
              nq::bars::kTrashTip);
    // The bars' backgrounds, the count's place and the strip follow the panes.
    RefreshBars();
}

LRESULT TfrmMiddle::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        // Minimised, from the title bar or the taskbar: the edge windows go
        // with the client window and come back with it.
        if (wParam == SIZE_MINIMIZED) {
            for (HWND edge : EdgeHandles())
                ShowWindow(edge, SW_HIDE);
            wasMinimized_ = true;
            return 0;
        }
        ApplyLayout();
        if (std::exchange(wasMinimized_, false))
            RestoreEdges();
        return 0;
    case WM_ACTIVATEAPP:
        if (wParam)
            ApplicationEvents1Activate();
        else
            ApplicationEvents1Deactivate();
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 windowBrush_ ? static_cast<HBRUSH>(windowBrush_.get())
                              : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    case WM_DESTROY:
        FormDestroy();
        if (quitOnDestroy_)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}
