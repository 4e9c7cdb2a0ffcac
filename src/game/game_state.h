// The game-wide state: which screen runs, which enemy is next, where the player is.
#pragma once

#include <cstdint>

enum GameMode : int32_t {
    Playing = 0,
    MenuScreen = 1,
    ReadyScreen = 2,
    GameOverScreen = 3,
    EndingScreen = 4,
};

struct GameStateRecord {
    int32_t mode = MenuScreen;
    int32_t level = 1;      // the enemy to fight (1-5); 0 the player struck down; 6 all beaten
    int32_t landscape = 0;  // 0-4
    int32_t playerAttackTimer = 0;
    int32_t playerActed = 0;
    int32_t playerWalking = 0;
};

extern GameStateRecord GameState;

// Back to the start values.
void GameStateReset();
