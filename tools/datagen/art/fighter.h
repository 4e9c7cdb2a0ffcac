// The six fighters: how each looks, how each frame is posed, and how a frame is painted.
#pragma once

#include <array>
#include <string>

#include "art/sprite_painter.h"
#include "core/types.h"

namespace datagen {

inline constexpr int kCellWidth = 72;
inline constexpr int kCellHeight = 74;
inline constexpr int kFighterCount = 6;

// The bottom row of the feet. A resting fighter's ground probe ends one row above the ground,
// which puts the ground's top on cell row 63, so the soles sit on row 62.
inline constexpr int kSoleRow = 62;
// The column the hero's body stands on; enemies are painted mirrored.
inline constexpr double kBodyColumn = 30.0;

enum class Headgear { FlowingHair, WildHair, LaurelCurls, Serpents, HornedHelm, CrestedHelm };

struct FighterStyle {
    double scale;  // height against the hero's
    double bulk;   // thickness of limbs and body
    Material skin, hair, torso, skirt, greaves, boots, cape, blade, hilt, trim;
    Headgear headgear;
    double bladeLength;  // in the hero's units, before scaling
    double bladeWidth;
    double bladeCurve;  // 0 straight; positive bends the blade back like a sickle
    bool hasCape, hasShield, longSkirt;
    std::uint8_t eye;
};

// Row 0 is the player, rows 1 to 5 the enemies in the order they are met.
const FighterStyle& FighterStyleOf(int row);

// Frames the game loads: 0-3 and 6-9 (the animations show 0-2 and 6-8), 12-17 and 18-23.
bool IsLoadedFrame(int frame);

// Paints one 72x74 frame. The player faces right; the enemies face left.
IndexedImage PaintFighterFrame(int row, int frame);

// A fighter in one of its poses carved in stone, for the petrified warriors of the landscapes.
IndexedImage PaintStatueFrame(int row, int frame, bool facingRight);

}  // namespace datagen
