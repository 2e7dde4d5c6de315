// Whether a point presses an image button: a button's shape is that of its
// opaque pixels.
#pragma once

#include <cstdint>
#include <functional>

namespace nq {

// True when (x, y), relative to the image's top-left corner, lies inside the
// width x height image (0 <= x < width, 0 <= y < height) and the alpha byte
// (bits 24 to 31) of pixelAt(x, y), a 0xAARRGGBB value, is not zero. pixelAt
// is asked only for points inside; an image of no pixels is never hit.
bool AlphaHit(int x, int y, int width, int height,
              const std::function<std::uint32_t(int x, int y)>& pixelAt);

} // namespace nq
