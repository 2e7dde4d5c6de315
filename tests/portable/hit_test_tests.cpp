// The image buttons' hit test: a point presses a button on its opaque pixels only.
#include "hit_test.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A 3 x 2 image, 0xAARRGGBB; only the alpha byte decides.
constexpr std::uint32_t kImage[2][3] = {
    {0x00FFFFFF, 0x01000000, 0xFF123456},
    {0x80FFFFFF, 0x00000000, 0xFF000000},
};

TEST(AlphaHit, OpaquePixelsInsideTheImageHit) {
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {0, 0, false},                                // transparent, whatever its colour
        {1, 1, false},                                // transparent black
        {1, 0, true},                                 // the faintest alpha counts
        {2, 0, true},   {0, 1, true},   {2, 1, true}, // the far corner
        {-1, 0, false}, {0, -1, false}, {3, 0, false},
        {0, 2, false},  {3, 2, false},  {-40000, 5, false},
    };
    const auto pixelAt = [](int x, int y) -> std::uint32_t {
        EXPECT_TRUE(x >= 0 && x < 3 && y >= 0 && y < 2) << "asked outside: " << x << "," << y;
        return kImage[y][x];
    };
    for (const Case& c : cases)
        EXPECT_EQ(nq::AlphaHit(c.x, c.y, 3, 2, pixelAt), c.hit) << c.x << "," << c.y;
}

TEST(AlphaHit, ImageWithoutPixelsIsNeverHit) {
    const auto opaque = [](int, int) -> std::uint32_t { return 0xFF000000; };
    for (const auto& size : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, -1}})
        EXPECT_FALSE(nq::AlphaHit(0, 0, size.first, size.second, opaque));
    EXPECT_FALSE(nq::AlphaHit(0, 0, 1, 1, nullptr));
}

} // namespace
