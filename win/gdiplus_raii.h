// GDI+ through its flat API: the process-wide session and owners for the
// objects the flat API hands out.
#pragma once

#include <windows.h>
// WIN32_LEAN_AND_MEAN leaves out the COM types that gdiplus.h needs.
#include <objidl.h>

#include <gdiplus.h>

#include <memory>

namespace nq {

// Starts GDI+ (version 1, no debug callback, background thread and external
// codecs not suppressed) and shuts it down when it goes out of scope. One per
// process, created before any window and destroyed last.
class GdiplusSession {
  public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (status_ == Gdiplus::Ok)
            Gdiplus::GdiplusShutdown(token_);
    }
    bool Started() const { return status_ == Gdiplus::Ok; }

  private:
    ULONG_PTR token_ = 0;
    Gdiplus::Status status_ = Gdiplus::GenericError;
};

// unique_ptr deleter that calls the flat API's dispose function for T.
template <typename T, Gdiplus::GpStatus(WINGDIPAPI* Dispose)(T*)> struct GdipDeleter {
    void operator()(T* object) const { Dispose(object); }
};

template <typename T, Gdiplus::GpStatus(WINGDIPAPI* Dispose)(T*)>
using GdipPtr = std::unique_ptr<T, GdipDeleter<T, Dispose>>;

using GdipImagePtr = GdipPtr<Gdiplus::GpImage, Gdiplus::DllExports::GdipDisposeImage>;
// Bitmaps are images to the flat API, which disposes of both with one call.
inline Gdiplus::GpStatus WINGDIPAPI DisposeGdipBitmap(Gdiplus::GpBitmap* bitmap) {
    return Gdiplus::DllExports::GdipDisposeImage(bitmap);
}
using GdipBitmapPtr = GdipPtr<Gdiplus::GpBitmap, DisposeGdipBitmap>;
using GdipGraphicsPtr = GdipPtr<Gdiplus::GpGraphics, Gdiplus::DllExports::GdipDeleteGraphics>;
using GdipBrushPtr = GdipPtr<Gdiplus::GpBrush, Gdiplus::DllExports::GdipDeleteBrush>;
using GdipPenPtr = GdipPtr<Gdiplus::GpPen, Gdiplus::DllExports::GdipDeletePen>;
using GdipPathPtr = GdipPtr<Gdiplus::GpPath, Gdiplus::DllExports::GdipDeletePath>;
using GdipFontFamilyPtr = GdipPtr<Gdiplus::GpFontFamily, Gdiplus::DllExports::GdipDeleteFontFamily>;
using GdipFontPtr = GdipPtr<Gdiplus::GpFont, Gdiplus::DllExports::GdipDeleteFont>;
using GdipStringFormatPtr =
    GdipPtr<Gdiplus::GpStringFormat, Gdiplus::DllExports::GdipDeleteStringFormat>;

} // namespace nq
