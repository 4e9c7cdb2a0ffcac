// BitmapFileLoad on any bytes: 8, 16 and 24-bit files, and what the game then does with the
// record (a full-screen picture and a sprite cell copied out of it).
#include "fuzz_support.h"

#include "gfx/bitmap_file.h"
#include "gfx/bitmap_image.h"
#include "gfx/display.h"

namespace {

// Copies out of the record the way start-up and the fighters' sheets do; the copies refuse
// rectangles outside the picture, so any size of record is fine.
void UseRecord(const BitmapFile& bitmap) {
    const int bytesPerPixel = bitmap.infoHeader.biBitCount / 8;
    BitmapImage screen;
    BitmapImageCreate(&screen, 0, 0, 640, 480, 8 * bytesPerPixel);
    BitmapImage cell;
    BitmapImageCreate(&cell, 0, 0, 72, 74, 8 * bytesPerPixel);
    if (bytesPerPixel == 1) {
        BitmapImageLoad(&screen, &bitmap, 0, 0, 1);
        BitmapImageLoad(&cell, &bitmap, 1, 1, 0);
    } else {
        BitmapImageLoad16(&screen, &bitmap, 0, 0, 1);
        BitmapImageLoad16(&cell, &bitmap, 1, 1, 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
