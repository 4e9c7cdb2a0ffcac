#include "art/icon.h"

#include "art/palette.h"
#include "art/sprite_sheets.h"

namespace datagen {

namespace {

constexpr int kCellWidth = 72;
constexpr int kCellHeight = 74;
constexpr int kScale = 3;

// Frame 15 of the hero: the third sheet, row 0, column 3, the blade reaching forward.
constexpr int kFile = 2;
constexpr int kColumn = 3;

}  // namespace

IndexedImage PaintIcon() {
    IndexedImage icon(kIconSize, kIconSize);
    // A dusk sky, darker at the top, in bands of the dawn ramp.
    for (int y = 0; y < kIconSize; ++y) {
        const std::uint8_t sky = Shade(ramp::kDawn, 0.15 + 0.7 * y / kIconSize);
        for (int x = 0; x < kIconSize; ++x) icon.Set(x, y, sky);
    }
    const IndexedImage sheet = PaintSpriteSheet(0, kFile);
    const int left = 1 + kCellPitchX * kColumn, top = 1;
    const int offsetX = (kIconSize - kCellWidth * kScale) / 2;
    const int offsetY = kIconSize - kCellHeight * kScale;
    for (int y = 0; y < kCellHeight * kScale; ++y) {
        for (int x = 0; x < kCellWidth * kScale; ++x) {
            const std::uint8_t index = sheet.At(left + x / kScale, top + y / kScale);
            if (index != kTransparent && icon.Contains(offsetX + x, offsetY + y)) {
                icon.Set(offsetX + x, offsetY + y, index);
            }
        }
    }
    return icon;
}

}  // namespace datagen
