// Where the walkable ground of each landscape lies.
//
// A fighter comes to rest with the bottom of its ground probe one row above the highest
// ground pixel beneath it, that is with its top-left corner 63 rows above the ground's top.
// The lines below put the ground where the fighters' start positions expect it and let a
// fighter walk from the right edge of one landscape into the left edge of the next at the
// same height.
#pragma once

#include <array>

namespace datagen {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr int kLandscapeCount = 5;

// Rows between a resting fighter's top-left corner and the top row of the ground under it.
inline constexpr int kRestOffset = 63;

// Top row of the ground colour in each column.
using GroundLine = std::array<int, kScreenWidth>;

// The ground line of landscape 0 to 4.
GroundLine GroundLineOf(int landscape);

}  // namespace datagen
