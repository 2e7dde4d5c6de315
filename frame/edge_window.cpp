#include "edge_window.h"

#include "dc.h"
#include "window_class.h"

#include <windowsx.h>

#include <algorithm>

namespace nq {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

GdipBrushPtr TiledBrush(GpImage* image, float stretchX, float stretchY) {
    const SIZE size = ImageSize(image);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    GpTexture* brush = nullptr;
    if (GdipCreateTexture(image, WrapModeTile, &brush) != Ok)
        return {};
    GdipBrushPtr owned(brush);
    if (stretchX != 1.0f || stretchY != 1.0f)
        GdipScaleTextureTransform(brush, stretchX, stretchY, MatrixOrderPrepend);
    return owned;
}

void PollTimer::Start() {
    if (running_ || !window_.Handle())
        return;
    running_ = SetTimer(window_.Handle(), id_, 1, nullptr) != 0;
}

void PollTimer::Stop() {
    if (!running_)
        return;
    running_ = false;
    if (window_.Handle())
        KillTimer(window_.Handle(), id_);
}

EdgeWindow::EdgeWindow(FrameHost& host, const char* className, UINT classStyle)
    : host_(host), className_(className), classStyle_(classStyle) {}

bool EdgeWindow::Create(HWND owner) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle_;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className_;
    RegisterClassOnce(wc);
    // The class name is also the window's text, so that outside tools find it.
    return CreateBound(0, className_, className_, WS_POPUP, 0, 0, 0, 0, owner, nullptr) != nullptr;
}

std::string EdgeWindow::StatePrefix() const {
    return ImagePrefix(FrameStateOf(host_.Active(), false));
}

SkinImage EdgeWindow::EdgeImage(const std::string& prefix, const char* name) const {
    return LoadSkinImageFor(host_.SkinPath(), prefix + name, host_.Dpi());
}

void EdgeWindow::RenderEdge(int width, int height) {
    Compose(width, height, nullptr);
}

void EdgeWindow::Compose(int width, int height, const POINT* destination) {
    ++compositions_;
    const std::string prefix = StatePrefix();
    const HWND window = Handle();
    if (!window)
        return;
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    composedWidth_ = std::max(width, 0);
    composedHeight_ = std::max(height, 0);
    composition_ = ArgbDib(width, height);
    if (composition_) {
        // GDI+ draws straight into the DIB's premultiplied pixels, which is
        // what the layered window takes.
        GpBitmap* surface = nullptr;
        if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                      reinterpret_cast<BYTE*>(composition_.Pixels()),
                                      &surface) == Ok) {
            const GdipBitmapPtr ownedSurface(surface);
            GpGraphics* graphics = nullptr;
            if (GdipGetImageGraphicsContext(surface, &graphics) == Ok) {
                const GdipGraphicsPtr ownedGraphics(graphics);
                PaintContent(graphics, width, height, prefix);
            }
        }
    }
    Push(width, height, destination);
}

void EdgeWindow::Push(int width, int height, const POINT* destination) {
    const HWND window = Handle();
    POINT at{};
    if (destination) {
        at = *destination;
    } else {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        at = POINT{bounds.left, bounds.top};
    }
    pushedAlpha_ = ConstantAlpha();
    // The window takes its new size inside this block; the change arrives at
    // FormCanResize while Updating is set.
    updating_ = true;
    if (composition_) {
        const ClientDC screen(nullptr);
        const MemoryDC memory(screen.get());
        const SelectGuard select(memory.get(), composition_.Bitmap());
        SIZE size{width, height};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, pushedAlpha_, AC_SRC_ALPHA};
        UpdateLayeredWindow(window, screen.get(), &at, &size, memory.get(), &source, 0, &blend,
                            ULW_ALPHA);
    } else {
        // Nothing to push: the window shows nothing at that size.
        SetWindowPos(window, nullptr, at.x, at.y, composedWidth_, composedHeight_,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    updating_ = false;
}

void EdgeWindow::FormCanResize(const WINDOWPOS& change) {
    if (updating_ || (change.flags & SWP_NOSIZE))
        return;
    if (change.cx == composedWidth_ && change.cy == composedHeight_)
        return;
    // Composed where the window is going, so it is pushed once, in place.
    const POINT to{change.x, change.y};
    Compose(change.cx, change.cy, (change.flags & SWP_NOMOVE) ? nullptr : &to);
}

LRESULT EdgeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        FormCanResize(*reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // Held to the release, so that a release off the window still ends
        // the press here.
        SetCapture(Handle());
        FormMouseDown(message == WM_LBUTTONDOWN   ? MouseButton::Left
                      : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                  : MouseButton::Middle,
                      x, y);
        return 0;
    case WM_LBUTTONDBLCLK: // only classes with CS_DBLCLKS: the second press
        SetCapture(Handle());
        FormDblClick();
        FormMouseDown(MouseButton::Left, x, y);
        return 0;
    case WM_MOUSEMOVE:
        FormMouseMove(x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        // Let go first: the release's action may open a menu or end the program.
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == Handle())
            ReleaseCapture();
        FormMouseUp(message == WM_LBUTTONUP   ? MouseButton::Left
                    : message == WM_RBUTTONUP ? MouseButton::Right
                                              : MouseButton::Middle,
                    x, y);
        return 0;
    case WM_CAPTURECHANGED: // lParam: the window that takes the mouse
        if (reinterpret_cast<HWND>(lParam) != Handle())
            OnCaptureLost();
        return 0;
    case WM_TIMER:
        OnPollTimer(wParam);
        return 0;
    case WM_DPICHANGED:
        // The frame has the client window's DPI and places its windows
        // itself: the rectangle Windows suggests for this one is not taken.
        host_.EdgeDpiChanged(*this, LOWORD(wParam));
        return 0;
    case WM_CLOSE: // Alt+F4 here closes the program, never this window alone
        host_.CloseProgram();
        return 0;
    case WM_SYSCOMMAND:
        if (host_.FrameSysCommand(static_cast<UINT>(wParam & 0xFFF0)))
            return 0;
        break;
    case WM_ACTIVATE:
        // Brought to the top alone, it takes the other four along.
        if (LOWORD(wParam) != WA_INACTIVE)
            host_.BringFrameToFront();
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
            POINT at{};
            GetCursorPos(&at);
            ScreenToClient(Handle(), &at);
            SetCursor(LoadCursorA(nullptr, CursorAt(at.x, at.y)));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

} // namespace nq
