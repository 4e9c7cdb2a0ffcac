// Maps a full-colour canvas onto the game palette.
#pragma once

#include <vector>

#include "art/canvas.h"
#include "art/palette.h"

namespace datagen {

// Turns the canvas into palette indices, choosing only among the entries of the given ramps
// and never the ground colour. Ordered dithering of the given strength (in colour units,
// about one ramp step is right) smooths gradients; pixels marked crisp are not dithered.
IndexedImage Quantise(const Canvas& canvas, const std::vector<Ramp>& ramps, double dither);

}  // namespace datagen
