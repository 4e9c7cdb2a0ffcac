// The four menu screens: title, ready, game over and victory.
#pragma once

#include "core/types.h"

namespace datagen {

// Menu screen 1 to 4 as a 640x480 picture of palette indices.
IndexedImage PaintMenu(int number);

}  // namespace datagen
