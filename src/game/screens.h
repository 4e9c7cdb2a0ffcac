// The per-pass routine: the menu screens and the playing pass, presented and paced.
#pragma once

#include <cstdint>

// One pass of the program: a menu screen or a playing pass, presented and paced; returns 1.
int32_t AppFrame();
// Ends a won game: the ending screen, the intro song; returns 1.
int32_t CompleteGame();
