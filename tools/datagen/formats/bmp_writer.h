// Writes 8-bit Windows bitmap files in the one strict form the game's loader relies on.
#pragma once

#include "core/types.h"

namespace datagen {

// Byte offset of the pixels: 14-byte file header, 40-byte info header, 256 four-byte colours.
inline constexpr int kBmpPixelOffset = 14 + 40 + 256 * 4;

// Encodes the picture as an uncompressed, bottom-up 8-bit bitmap with a full 256-entry colour
// table. The width must be a multiple of 4 so that rows carry no padding; throws otherwise.
Bytes EncodeBmp8(const IndexedImage& image, const Palette& palette);

}  // namespace datagen
