// Preview pictures for looking at the pack: each landscape with fighters standing where the
// game's falling-and-climbing rule puts them.
#pragma once

#include <filesystem>

#include "core/types.h"

namespace datagen {

// Where a fighter with its top-left corner at column x comes to rest on the picture, starting
// from row y: the game's rule of sinking one row per pass and climbing while the ground probe
// (columns x+16..x+40, rows y+24..y+62) touches the ground colour, run for `passes` passes.
int SettleOnGround(const IndexedImage& landscape, int x, int y, int passes);

// Writes "preview-landscape1.bmp" .. "preview-landscape5.bmp": the player at x 20 and x 300,
// the landscape's champion at x 540, each settled from its start row.
void WritePreviews(const std::filesystem::path& folder);

}  // namespace datagen
