// The skin's stretched backgrounds and image files under Wine's GDI+, checked
// by their pixels.
#include "background.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using nq::GdipBitmapPtr;

// Texel (column, row): red by column, green by row.
ARGB Texel(int column, int row) {
    return 0xFF000040u | ARGB(0x10 + 0x50 * column) << 16 | ARGB(0x20 + 0x60 * row) << 8;
}

GdipBitmapPtr Texture(int width, int height) {
    GpBitmap* texture = nullptr;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &texture);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            GdipBitmapSetPixel(texture, x, y, Texel(x, y));
    return GdipBitmapPtr(texture);
}

ARGB Pixel(GpBitmap* image, int x, int y) {
    ARGB pixel = 0;
    GdipBitmapGetPixel(image, x, y, &pixel);
    return pixel;
}

TEST(StretchedBackground, StretchesTheTextureAcrossAndRepeatsItDownwards) {
    struct Case {
        int textureWidth, textureHeight, width, height;
    };
    for (const Case c : {Case{2, 3, 100, 10}, Case{1, 3, 36, 7}, Case{3, 2, 100, 9}}) {
        SCOPED_TRACE(std::to_string(c.textureWidth) + " to " + std::to_string(c.width));
        const GdipBitmapPtr texture = Texture(c.textureWidth, c.textureHeight);
        nq::StretchedBackground background;
        GpBitmap* image = background.Ensure(c.width, c.height, texture.get(), 0);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(nq::ImageSize(image).cx, c.width);
        EXPECT_EQ(nq::ImageSize(image).cy, c.height);
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                // A pixel that a column's stretched edge crosses may take either side.
                const int left = x * c.textureWidth / c.width;
                const int right = ((x + 1) * c.textureWidth - 1) / c.width;
                const ARGB pixel = Pixel(image, x, y), row = y % c.textureHeight;
                if (pixel != Texel(left, row) && pixel != Texel(right, row) && ++wrong < 4)
                    ADD_FAILURE() << x << "," << y << ": " << std::hex << pixel;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(StretchedBackground, KeepsItsImageWhileTheSizeStays) {
    const GdipBitmapPtr texture = Texture(2, 3), otherTexture = Texture(1, 1);
    nq::StretchedBackground background;
    GpBitmap* first = background.Ensure(40, 20, texture.get(), 0);
    EXPECT_EQ(background.Ensure(40, 20, otherTexture.get(), 0), first);
    EXPECT_EQ(Pixel(first, 39, 2), Texel(1, 2)); // still the first texture
    GpBitmap* wider = background.Ensure(41, 20, texture.get(), 0);
    EXPECT_EQ(nq::ImageSize(wider).cx, 41);
    EXPECT_EQ(background.Get(), wider);
    EXPECT_EQ(background.Ensure(0, 20, texture.get(), 0), nullptr);
    EXPECT_EQ(background.Get(), nullptr);
}

// A skin without a readable texture: the background is the skin's colour, not
// a division by the texture's zero width.
TEST(StretchedBackground, NoTextureGivesTheFallbackColour) {
    const GdipBitmapPtr missing = nq::LoadSkinImage("C:\\nq_no_such_folder\\bg.bmp");
    EXPECT_EQ(missing, nullptr);
    nq::StretchedBackground background;
    GpBitmap* image = background.Ensure(20, 5, missing.get(), RGB(0x11, 0x22, 0x33));
    ASSERT_NE(image, nullptr);
    for (const POINT p : {POINT{0, 0}, POINT{19, 4}, POINT{7, 2}})
        EXPECT_EQ(Pixel(image, p.x, p.y), 0xFF112233u);
}

TEST(SkinImage, LoadsFromFileAndHitsOnItsOpaquePixels) {
    const GdipBitmapPtr made = Texture(2, 1);
    GdipBitmapSetPixel(made.get(), 0, 0, 0x00FFFFFF); // transparent
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "nq_skin_image.png";
    const CLSID png = {
        0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    ASSERT_EQ(GdipSaveImageToFile(made.get(), std::wstring(path.begin(), path.end()).c_str(), &png,
                                  nullptr),
              Ok);
    const GdipBitmapPtr loaded = nq::LoadSkinImage(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(Pixel(loaded.get(), 1, 0), Texel(1, 0));
    EXPECT_EQ(nq::ImageHit(loaded.get(), 0, 0), false);
    EXPECT_EQ(nq::ImageHit(loaded.get(), 1, 0), true);
    EXPECT_EQ(nq::ImageHit(nullptr, 0, 0), false);
}

// Which file a skin image comes from at a DPI: the double-size form from
// 150 % on, and only when it is exactly twice the image's size (or the image
// is missing); the image itself otherwise.
TEST(SkinImage, TakesTheDoubleSizeFormOnlyWhereItFits) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "nq_skin_2x\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const CLSID png = {
        0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    std::vector<std::string> written;
    const auto write = [&](const std::string& name, int width, int height) {
        const GdipBitmapPtr made = Texture(width, height);
        const std::string path = folder + name;
        ASSERT_EQ(GdipSaveImageToFile(made.get(), std::wstring(path.begin(), path.end()).c_str(),
                                      &png, nullptr),
                  Ok);
        written.push_back(path);
    };
    write("fits.png", 3, 2);
    write("fits@2x.png", 6, 4);
    write("wrong.png", 3, 2);
    write("wrong@2x.png", 6, 5);
    write("single.png", 3, 2);
    write("alone@2x.png", 6, 4);
    struct Case {
        const char* name;
        int dpi, factor, shownWidth;
    };
    for (const Case c :
         {Case{"fits.png", 96, 1, 3}, Case{"fits.png", 120, 1, 4}, Case{"fits.png", 144, 2, 5},
          Case{"fits.png", 192, 2, 6}, Case{"wrong.png", 144, 1, 5}, Case{"single.png", 144, 1, 5},
          Case{"alone.png", 144, 2, 5}, Case{"alone.png", 96, 1, 0}}) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.dpi));
        const nq::SkinImage image = nq::LoadSkinImageFor(folder, c.name, c.dpi);
        EXPECT_EQ(image.Factor, c.factor);
        EXPECT_EQ(image.Shown(c.dpi).cx, c.shownWidth);
    }
    for (const std::string& path : written)
        DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

// GDI+ runs for the whole test program.
int main(int argc, char** argv) {
    const nq::GdiplusSession gdiplus;
    ::testing::InitGoogleTest(&argc, argv);
    return gdiplus.Started() ? RUN_ALL_TESTS() : 1;
}
