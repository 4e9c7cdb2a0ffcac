#include "preview.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "art/fighter.h"
#include "art/ground.h"
#include "art/landscapes.h"
#include "art/palette.h"
#include "formats/bmp_writer.h"

namespace datagen {
namespace {

bool ProbeTouchesGround(const IndexedImage& picture, int x1, int y1, int x2, int y2) {
    x1 = std::clamp(x1, 0, picture.width - 1);
    x2 = std::clamp(x2, 0, picture.width - 1);
    y1 = std::clamp(y1, 0, picture.height - 1);
    y2 = std::clamp(y2, 0, picture.height - 1);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (picture.At(x, y) == kGround) return true;
    return false;
}

void DrawSprite(IndexedImage& picture, const IndexedImage& cell, int left, int top) {
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x)
            if (cell.At(x, y) != kTransparent && picture.Contains(left + x, top + y))
                picture.Set(left + x, top + y, cell.At(x, y));
}

// Start rows of the champions of landscapes 1 to 5.
constexpr int kChampionStartY[kLandscapeCount] = {300, 375, 375, 410, 410};

}  // namespace

int SettleOnGround(const IndexedImage& landscape, int x, int y, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        ++y;
        while (ProbeTouchesGround(landscape, x + 16, y + 24, x + kCellWidth - 32, y + kCellHeight - 12)) --y;
    }
    return y;
}

void WritePreviews(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < kLandscapeCount; ++i) {
        const IndexedImage landscape = PaintLandscape(i);
        IndexedImage picture = landscape;
        // The champion is drawn first, as in the game, then the player.
        const int championY = SettleOnGround(landscape, 540, kChampionStartY[i], 200);
        DrawSprite(picture, PaintFighterFrame(i + 1, 0), 540, championY);
        for (int x : {20, 300}) {
            const int y = SettleOnGround(landscape, x, 300, 200);
            DrawSprite(picture, PaintFighterFrame(0, x == 20 ? 0 : 17), x, y);
        }
        const Bytes bytes = EncodeBmp8(picture, GamePalette());
        std::ofstream out(folder / ("preview-landscape" + std::to_string(i + 1) + ".bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

}  // namespace datagen
