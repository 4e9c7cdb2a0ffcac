// The enemies' behaviour: one routine for all five, differing in how long they hesitate.
#pragma once

#include <cstdint>

struct EnemyState {
    int32_t action = 0;       // 0 Advance, 2 Strike, 3 Block: the last action chosen
    int32_t attackTimer = 0;  // passes left in the current stroke or parry
    int32_t pauseTimer = 0;   // passes left in the current hesitation
    int32_t mayCutPause = 1;  // enemy 1: the current hesitation may still be cut short
};

// Enemy n's record is EnemyStates[n - 1].
extern EnemyState EnemyStates[5];
// Hesitations of enemy n last 0 to EnemyPauseRange[n - 1] - 1 passes.
extern const int32_t EnemyPauseRange[5];

// One pass of enemy n (1 to 5): decide, strike or parry, hesitate, fall, draw; returns 1.
int32_t UpdateEnemy(int32_t n);
// Back to the start values.
void EnemiesReset();
