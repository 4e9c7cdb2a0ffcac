// What the fighters share: how far a stroke reaches, how far a step goes, how long a stroke or
// parry lasts. The player and the enemies fight by the same numbers.
#pragma once

#include <cstdint>

// A stroke lands when the enemy's x is less than this far ahead of the striker's.
constexpr float FIGHTER_REACH = 35.0f;
// Pixels a fighter walks in one pass.
constexpr float FIGHTER_WALK_STEP = 2.0f;
// Passes a stroke or a parry lasts.
constexpr int32_t FIGHTER_ATTACK_LENGTH = 32;
