// A 32-bit top-down DIB section with premultiplied-alpha ARGB pixels: what a
// layered window is pushed from and what off-screen painting composes into.
#pragma once

#include "handles.h"

#include <windows.h>

#include <cstdint>

namespace nq {

class ArgbDib {
  public:
    ArgbDib() = default;
    // A bitmap of width x height pixels, all zero; empty when either is not
    // positive or the bitmap could not be made.
    ArgbDib(int width, int height);
    ArgbDib(ArgbDib&&) noexcept = default;
    ArgbDib& operator=(ArgbDib&&) noexcept = default;

    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row y starts at Pixels() + y * Width(); each pixel is 0xAARRGGBB.
    std::uint32_t* Pixels() const { return pixels_; }
    std::uint32_t Pixel(int x, int y) const { return pixels_[y * width_ + x]; }

  private:
    UniqueGdiObject bitmap_;
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace nq
