// TfrmMiddle: the window, its panes and their layout.
#include "frm_middle.h"

#include "child.h"
#include "control_ids.h"
#include "defer_pos.h"
#include "dpi.h"
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
    const HINSTANCE module = GetModuleHandleA(nullptr);
    const HICON icon = LoadIconA(module, MAKEINTRESOURCEA(1)); // hIconSm: Windows picks from it
    // The taskbar's window comes first: it owns the client window.
    if (!appWindow_.Create(kApplicationTitle, icon))
        return false;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMiddleWindowClass;
    nq::RegisterClassOnce(wc);
    // Until a skin sets a caption, the window carries the application title.
    if (!CreateBound(WS_EX_CONTROLPARENT, kMiddleWindowClass, kApplicationTitle,
                     WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                     appWindow_.Handle(), nullptr))
        return false;
    // The panes' fonts are made for the monitor the window is created on; the
    // window takes its bounds (and perhaps another DPI) in FormCreate.
    dpi_ = nq::WindowDpi(Handle());
    using nq::PanelLook;
    tips_.Create(Handle());
    tips_.SetDpi(dpi_);
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
    return LaidOutSizes(nq::ClientSize(Handle()));
}

layout::PaneSizes TfrmMiddle::LaidOutSizes(SIZE client) const {
    // A minimised window has no size to fit the panes to.
    if (client.cx <= 0 || client.cy <= 0)
        return paneSizes_;
    return layout::FitPaneSizes(paneSizes_, client.cx,
                                client.cy - std::min<int>(client.cy, layout::ToolbarHeight(dpi_)),
                                dpi_);
}

void TfrmMiddle::ApplyDpi() {
    tips_.SetDpi(dpi_);
    search_.ApplyDpi();
    collections_.ApplyDpi();
    fonts_.ApplyDpi();
    preview_.ApplyDpi();
}

void TfrmMiddle::ApplyLayout() {
    LayOut(nq::ClientSize(Handle()));
}

void TfrmMiddle::LayOut(SIZE client) {
    if (!bgPanel_.Handle())
        return;
    const layout::ClientLayout l =
        layout::ComputeClientLayout(client.cx, client.cy, LaidOutSizes(client), dpi_);
    nq::DeferBatch batch;
    nq::Place(batch, toolbar_.Handle(), l.Toolbar);
    nq::Place(batch, bgPanel_.Handle(), l.BgPanel);
    search_.Layout(batch, l);
    collections_.Layout(batch, l);
    fonts_.Layout(batch, l);
    preview_.Layout(batch, l);
    batch.Commit();
    tips_.Set(toolbar_.Handle(), kTrashTool,
              RECT{0, 0, nq::Scaled(layout::kTrashAreaWidth, dpi_), l.Toolbar.Height},
              nq::bars::kTrashTip);
    // The bars' backgrounds, the count's place and the strip follow the panes.
    RefreshBars();
}

LRESULT TfrmMiddle::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        // The program minimises through its taskbar window; should the client
        // window be minimised on its own, the edge windows still go with it
        // and come back with it.
        if (wParam == SIZE_MINIMIZED) {
            for (HWND edge : EdgeHandles())
                ShowWindow(edge, SW_HIDE);
            wasMinimized_ = true;
            return 0;
        }
        // Hidden while rolled up, and cut rather than squeezed while it rolls:
        // the controls keep the layout of the height it rolls down to.
        if (!rolledUp_ && !rolling_)
            ApplyLayout();
        if (std::exchange(wasMinimized_, false))
            ShowFrameWindows(false);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            BringFrameToFront();
        break;
    case WM_ENABLE:
        // A modal box of the program disables the client window, its owner:
        // the title bar's buttons, the borders and the skin menu follow, so
        // that nothing of the frame acts behind the box.
        for (HWND edge : EdgeHandles())
            EnableWindow(edge, wParam != 0);
        return 0;
    case WM_SYSCOMMAND:
        if (FrameSysCommand(static_cast<UINT>(wParam & 0xFFF0)))
            return 0;
        break;
    case WM_ENDSESSION:
        // Windows ends: the program closes as it would by its Close button.
        if (wParam)
            DestroyWindow(Handle());
        return 0;
    case WM_DPICHANGED:
        FormDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
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
    case kFontsArrived:
        FontsArrived();
        return 0;
    case WM_DESTROY:
        // The frame leaves the screen with its client window (disabled first,
        // so that no edge window takes the activation on the way); the edge
        // windows themselves live on until the program ends.
        for (HWND edge : EdgeHandles()) {
            EnableWindow(edge, FALSE);
            ShowWindow(edge, SW_HIDE);
        }
        appWindow_.ShowButton(false);
        FormDestroy();
        if (quitOnDestroy_)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}
