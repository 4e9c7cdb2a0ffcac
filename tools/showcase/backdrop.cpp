#include "backdrop.h"

#include "engine/gfx/bitmap_file.h"
#include "engine/gfx/bitmap_image.h"
#include "engine/gfx/palette.h"
#include "engine/gfx/prims/lines.h"
#include "engine/gfx/prims/triangles.h"
#include "scenes.h"

#include <cstdio>

namespace {

BitmapImage picture;
PALETTEENTRY picturePalette[256];
bool havePicture = false;

// Sky bands, a sun and two ranges of hills, drawn with the engine's own fills.
void DrawPattern(uint8_t* memory, int32_t pitch) {
    for (int y = 0; y < 480; ++y) {
        FillRow8(0, 639, y, COLOUR_SKY + y * 32 / 480, memory, pitch);
    }
    for (int r = 40; r > 0; r -= 8) {
        DrawTriangle8(500 - r, 110, 500 + r, 110, 500, 110 + r, COLOUR_EMBER + 31 - r / 4, memory, pitch);
        DrawTriangle8(500 - r, 110, 500 + r, 110, 500, 110 - r, COLOUR_EMBER + 31 - r / 4, memory, pitch);
    }
    for (int k = 0; k < 6; ++k) {
        const int peak = 40 + k * 110;
        DrawTriangle8(peak - 170, 479, peak + 170, 479, peak, 250 + (k % 3) * 30, COLOUR_LEAF + 8 + k, memory, pitch);
    }
    for (int k = 0; k < 9; ++k) {
        const int peak = k * 80;
        DrawTriangle8(peak - 90, 479, peak + 90, 479, peak, 360 + (k % 2) * 25, COLOUR_LEAF + 20 + k % 4, memory,
                      pitch);
    }
}

}  // namespace

bool BackdropLoad(int number) {
    char fileName[32];
    std::snprintf(fileName, sizeof fileName, "LANDSCAPE%d.BMP", number);
    BitmapFile file;
    havePicture = BitmapFileLoad(&file, fileName) && file.infoHeader.biBitCount == 8 &&
                  BitmapImageCreate(&picture, 0, 0, 640, 480, 8) && BitmapImageLoad(&picture, &file, 0, 0, 1);
    if (havePicture) {
        for (int i = 0; i < 256; ++i) picturePalette[i] = file.paletteEntries[i];
    }
    BitmapFileUnload(&file);
    return havePicture;
}

void BackdropSetPalette() {
    if (havePicture) {
        PaletteSetAll(picturePalette);
    } else {
        ShowcasePaletteSet();
    }
}

void BackdropDraw(uint8_t* memory, int32_t pitch) {
    if (havePicture) {
        BitmapImageDraw(&picture, memory, pitch, 0);
    } else {
        DrawPattern(memory, pitch);
    }
}
