// The game's icon: the hero mid-stroke against a dusk sky, in the game's palette.
#pragma once

#include "core/types.h"

namespace datagen {

inline constexpr int kIconSize = 256;

// The icon as palette indices (kIconSize square); shown with GamePalette().
IndexedImage PaintIcon();

}  // namespace datagen
