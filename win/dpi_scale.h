// Sizes at 96 DPI and the pixels they take on a window of another DPI. Every
// size the program lays out, draws or reads from a skin is a size at 96 DPI,
// turned into pixels here, one way for all of them. Portable: no Windows calls.
#pragma once

#include <string>

namespace nq {

// The DPI at which a size in pixels is the size itself (100 %).
inline constexpr int kBaseDpi = 96;

// The pixels a size of size96 at 96 DPI takes at dpi: size96 * dpi / 96,
// rounded to the nearest integer with halves away from zero, as MulDiv
// rounds (1.5 gives 2, -1.5 gives -2). A dpi of 0 or less counts as 96;
// results beyond the range of int are held to it.
int Scaled(int size96, int dpi);

// The size at 96 DPI of pixels at dpi, rounded the same way. From 96 DPI on,
// Unscaled(Scaled(size96, dpi), dpi) is size96 again.
int Unscaled(int pixels, int dpi);

// A skin image may come as "name@2x.png", drawn from 150 % on.
inline constexpr int kDoubleSizeFromDpi = 144;
bool UsesDoubleSizeImages(int dpi);

// The name of an image's double-size form: "@2x" before the extension
// ("+norm.png" gives "+norm@2x.png", "bg.bmp" "bg@2x.bmp"), at the end of a
// name without one.
std::string DoubleSizeImageName(const std::string& name);

// The pixels on screen of an image extent (its width or height) made for
// `factor` times 96 DPI (1 for "name.png", 2 for "name@2x.png") on a window
// of dpi: extent * dpi / (96 * factor), rounded as Scaled rounds.
int ImageExtent(int extent, int factor, int dpi);

// The image pixel (column or row) shown at position `at` of an image
// `extent` pixels long drawn `shown` pixels long: floor(at * extent / shown);
// -1 outside 0 <= at < shown or for an empty image.
int ImagePixelAt(int at, int extent, int shown);

} // namespace nq
