// The one 256-colour palette that every picture of the game is shown with.
//
// Sixteen ramps of sixteen entries, each running from dark to light, so that shading is a
// matter of moving along a ramp. Two entries are reserved for the game's rules:
// index 0 is black, the cleared screen and the sprites' transparent colour, and index 116
// is the ground colour, which only the walkable ground of a landscape may use.
#pragma once

#include <cstdint>

#include "core/types.h"

namespace datagen {

inline constexpr std::uint8_t kTransparent = 0;
inline constexpr std::uint8_t kGround = 116;

// A ramp of palette entries, dark to light.
struct Ramp {
    std::uint8_t first;
    std::uint8_t count;
};

namespace ramp {
inline constexpr Ramp kGrey{0, 16};      // 0 black, 1 outline black, greys to white
inline constexpr Ramp kSkin{16, 16};     // deep brown to pale peach skin
inline constexpr Ramp kGold{32, 16};     // bronze to bright gold
inline constexpr Ramp kSteel{48, 16};    // blued iron to polished silver
inline constexpr Ramp kRed{64, 16};      // maroon to hot orange-red
inline constexpr Ramp kGreen{80, 16};    // forest to spring green
inline constexpr Ramp kBlue{96, 16};     // night blue to pale sky
inline constexpr Ramp kEarth{112, 16};   // soil to sand; entry 116 is the ground path
inline constexpr Ramp kViolet{128, 16};  // shadow violet to lilac
inline constexpr Ramp kTeal{144, 16};    // deep sea to foam
inline constexpr Ramp kDawn{160, 16};    // dawn sky: dusk violet, rose, peach, cream
inline constexpr Ramp kFire{176, 16};    // embers to white-hot flame
inline constexpr Ramp kStone{192, 16};   // warm stone and marble
inline constexpr Ramp kHaze{208, 16};    // blue-grey haze of distant hills
inline constexpr Ramp kOlive{224, 16};   // olive leaves and dry grass
inline constexpr Ramp kWood{240, 16};    // leather, wood and brown hair
}  // namespace ramp

inline constexpr std::uint8_t kOutlineBlack = 1;
inline constexpr std::uint8_t kSheetGridColour = 8;  // a mid grey, never transparent

// The palette itself.
const Palette& GamePalette();

// Palette index at position t (0 dark .. 1 light) along a ramp. Never returns the ground
// colour: on the earth ramp the position of 116 falls to its darker neighbour.
std::uint8_t Shade(Ramp r, double t);

// The colour of a ramp position, for painting in full colour before quantising.
Rgb ShadeRgb(Ramp r, double t);

}  // namespace datagen
