// The fighters' picture files: four sheets per fighter, each a grid of 72x74 cells.
#pragma once

#include "core/types.h"

namespace datagen {

inline constexpr int kSheetWidth = 296;   // the 293-pixel grid plus spare columns: rows of 4n bytes
inline constexpr int kSheetHeight = 151;  // two rows of cells with their lines
inline constexpr int kCellPitchX = 73;
inline constexpr int kCellPitchY = 75;

// Sheet `file` (0 to 3) of fighter `row`: frames 6*file + 0..3 in row 0, and for files 2 and
// 3 frames 6*file + 4 and + 5 in row 1. Unused cells stay transparent; the grid lines are
// drawn in a grey that is never transparent.
IndexedImage PaintSpriteSheet(int row, int file);

}  // namespace datagen
