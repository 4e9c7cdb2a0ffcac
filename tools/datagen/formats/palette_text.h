// The palette text file: 256 lines of "red green blue flags".
#pragma once

#include "core/types.h"

namespace datagen {

// Formats the palette the way the game's own palette writer does: each entry as
// "\n%d %d %d %d" with flags 0, so the text begins with a line break and has none at the end.
Bytes EncodePaletteText(const Palette& palette);

}  // namespace datagen
