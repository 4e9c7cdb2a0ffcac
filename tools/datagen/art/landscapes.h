// The five landscapes, in the order their champions are met.
#pragma once

#include "art/ground.h"
#include "core/types.h"

namespace datagen {

// Landscape 0 to 4 as a 640x480 picture of palette indices. The ground line of
// GroundLineOf(index) is laid in the ground colour; nothing else uses it.
IndexedImage PaintLandscape(int index);

}  // namespace datagen
