// BitmapFileLoad on any bytes: 8, 16 and 24-bit files, and what the game and the engine then do
// with the record: a full-screen picture and a sprite cell copied out of it into images of both
// depths, both image draws into screens of both depths, and both sprite frame loads into the
// 8-bit frames of the game's display.
#include "fuzz_support.h"

#include "engine/gfx/bitmap_file.h"
#include "engine/gfx/bitmap_image.h"
#include "engine/gfx/display.h"
#include "engine/gfx/sprite.h"

#include <vector>

namespace {

// Draws `image` with both draws; only the one of its own depth may draw, inside the screen.
void DrawBoth(const BitmapImage& image) {
    static std::vector<uint8_t> screen8(640 * 480), screen16(640 * 480 * 2);
    for (int32_t transparent : {0, 1}) {
        const int32_t drew8 = BitmapImageDraw(&image, screen8.data(), 640, transparent);
        const int32_t drew16 = BitmapImageDraw16(&image, screen16.data(), 1280, transparent);
        FUZZ_CHECK(!(drew8 && drew16));
        FUZZ_CHECK(!drew8 || image.bitsPerPixel == 8);
        FUZZ_CHECK(!drew16 || image.bitsPerPixel == 16);
    }
}

// Copies out of the record the way start-up and the fighters' sheets do, with the 8 and 16-bit
// loads into images of both depths; the loads refuse rectangles outside the picture, so any
// size of record is fine.
void UseRecord(const BitmapFile& bitmap) {
    for (int32_t bits : {8, 16}) {
        BitmapImage screen;
        BitmapImageCreate(&screen, 0, 0, 640, 480, bits);
        BitmapImage cell;
        BitmapImageCreate(&cell, 0, 0, 72, 74, bits);
        for (BitmapImage* image : {&screen, &cell}) {
            const int32_t mode = image == &screen ? 1 : 0;
            if (BitmapImageLoad(image, &bitmap, mode == 0 ? 1 : 0, mode == 0 ? 1 : 0, mode) ||
                BitmapImageLoad16(image, &bitmap, mode == 0 ? 1 : 0, mode == 0 ? 1 : 0, mode)) {
                DrawBoth(*image);
            }
        }
    }
    // The fighters' frames are 8-bit in the game's display: a 16-bit load must not fit them.
    Sprite sprite;
    if (SpriteCreate(&sprite, 0, 0, 72, 74, 2, 0, DDSCAPS_SYSTEMMEMORY, 0, 8)) {
        SpriteLoadFrame(&sprite, &bitmap, 0, 1, 1, 0);
        FUZZ_CHECK(SpriteLoadFrame16(&sprite, &bitmap, 1, 0, 0, 1) == 0);
    }
    SpriteDestroy(&sprite);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzHeadlessMachine();
    static const bool displayed = DisplayInit(640, 480, 8, 0) == 1;
    FUZZ_CHECK(displayed);
    const std::string path = FuzzWriteInput("input.bmp", data, size);
    BitmapFile bitmap;
    Display.pixelFormat = 16;
    if (!BitmapFileLoad(&bitmap, path.c_str())) {
        FUZZ_CHECK(!bitmap.hasPixels());
        return 0;
    }
    // An accepted file describes its pixels exactly: rows top first, no padding, and 24-bit
    // files turned into 16-bit words.
    const BitmapInfoHeader& info = bitmap.infoHeader;
    FUZZ_CHECK(info.biBitCount == 8 || info.biBitCount == 16);
    FUZZ_CHECK(info.biWidth > 0 && info.biHeight > 0);
    FUZZ_CHECK(bitmap.pixels.size() == size_t(info.biWidth) * size_t(info.biHeight) * size_t(info.biBitCount / 8));
    FUZZ_CHECK(info.biSizeImage == bitmap.pixels.size());
    UseRecord(bitmap);

    // Loading again into the loaded record, with the other 16-bit layout, replaces the pixels
    // with as many again.
    const size_t first = bitmap.pixels.size();
    Display.pixelFormat = 15;
    FUZZ_CHECK(BitmapFileLoad(&bitmap, path.c_str()) == 1);
    FUZZ_CHECK(bitmap.pixels.size() == first);
    BitmapFileUnload(&bitmap);
    FUZZ_CHECK(!bitmap.hasPixels());
    return 0;
}
