// Device-context guards: each releases its device context, or puts back the
// object it selected, exactly once when it goes out of scope.
#pragma once

#include <windows.h>

namespace nq {

// BeginPaint ... EndPaint around one WM_PAINT.
class PaintDC {
  public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &ps_); }
    HDC get() const { return dc_; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC ... ReleaseDC; a null window gives the screen's device context.
class ClientDC {
  public:
    explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    // GetDCEx with its DCX_ flags (for example the whole window, clipped or not).
    ClientDC(HWND window, DWORD dcxFlags)
        : window_(window), dc_(GetDCEx(window, nullptr, dcxFlags)) {}
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ~ClientDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with `like` (the screen when null).
class MemoryDC {
  public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (dc_)
            DeleteDC(dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HDC dc_;
};

// Selects an object into a device context and selects the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object)
        : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_)
            SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace nq
