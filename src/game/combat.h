// Hits and deaths: one stroke that lands ends a fight.
#pragma once

#include <cstdint>

// Enemy n (1 to 5) is struck down: its death cry, its sprite emptied, level n + 1. Returns 1.
int32_t DefeatEnemy(int32_t n);
// The player is struck down: the game-over screen and sound, the player's sprite emptied,
// level 1 and landscape 0 for the next game. Returns 1.
int32_t DefeatPlayer();
