#include "hit_test.h"

namespace nq {

bool AlphaHit(int x, int y, int width, int height,
              const std::function<std::uint32_t(int x, int y)>& pixelAt) {
    if (x < 0 || y < 0 || x >= width || y >= height || !pixelAt)
        return false;
    return (pixelAt(x, y) >> 24) != 0;
}

} // namespace nq
