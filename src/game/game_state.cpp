#include "game/game_state.h"

GameStateRecord GameState;

void GameStateReset() { GameState = GameStateRecord{}; }
