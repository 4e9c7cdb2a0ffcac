#include "art/sprite_sheets.h"

#include "art/fighter.h"
#include "art/palette.h"

namespace datagen {
namespace {

void DrawGrid(IndexedImage& sheet) {
    for (int c = 0; c <= 4; ++c)
        for (int y = 0; y <= 2 * kCellPitchY; ++y) sheet.Set(c * kCellPitchX, y, kSheetGridColour);
    for (int r = 0; r <= 2; ++r)
        for (int x = 0; x <= 4 * kCellPitchX; ++x) sheet.Set(x, r * kCellPitchY, kSheetGridColour);
}

void PlaceCell(IndexedImage& sheet, const IndexedImage& cell, int column, int row) {
    const int left = 1 + kCellPitchX * column, top = 1 + kCellPitchY * row;
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x) sheet.Set(left + x, top + y, cell.At(x, y));
}

}  // namespace

IndexedImage PaintSpriteSheet(int row, int file) {
    IndexedImage sheet(kSheetWidth, kSheetHeight, kTransparent);
    DrawGrid(sheet);
    for (int k = 0; k < 4; ++k) PlaceCell(sheet, PaintFighterFrame(row, 6 * file + k), k, 0);
    if (file >= 2)
        for (int k = 4; k < 6; ++k) PlaceCell(sheet, PaintFighterFrame(row, 6 * file + k), k - 4, 1);
    return sheet;
}

}  // namespace datagen
