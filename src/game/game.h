// The game as a whole.
#pragma once

// Back to the start values of every game record and of the engine beneath: the fighters first
// (their surfaces go while the display that made them is still there), then the enemies, the
// game state, the pictures and tables, and last EngineReset().
void GameReset();
