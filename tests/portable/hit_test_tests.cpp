// The image buttons' hit test: a point presses a button on its opaque pixels only.
#include "hit_test.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(AlphaHit, OpaquePixelsInsideTheImageHit) {
    // A 3 x 2 image, 0xAARRGGBB; only the alpha byte decides.
    constexpr std::uint32_t image[2][3] = {{0x00FFFFFF, 0x01000000, 0xFF123456},
                                           {0x80FFFFFF, 0x00000000, 0xFF000000}};
    const auto pixelAt = [&](int x, int y) {
        EXPECT_TRUE(x >= 0 && x < 3 && y >= 0 && y < 2) << "asked outside: " << x << "," << y;
        return image[y][x];
    };
    struct Case {
        int x, y;
        bool hit;
    } const cases[] = {
        {0, 0, false},  {1, 1, false},                // transparent, whatever the colour
        {1, 0, true},   {0, 1, true},   {2, 1, true}, // the faintest alpha counts; far corner
        {-1, 0, false}, {0, -1, false}, {3, 0, false}, {0, 2, false}, {-40000, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nq::AlphaHit(c.x, c.y, 3, 2, pixelAt), c.hit) << c.x << "," << c.y;
    // No pixels, or no way to read them: never hit.
    const auto opaque = [](int, int) -> std::uint32_t { return 0xFF000000; };
    EXPECT_FALSE(nq::AlphaHit(0, 0, 0, 5, opaque) || nq::AlphaHit(0, 0, 5, 0, opaque));
    EXPECT_FALSE(nq::AlphaHit(0, 0, 1, 1, nullptr));
}

} // namespace
