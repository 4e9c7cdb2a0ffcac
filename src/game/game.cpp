#include "game/game.h"

#include "engine/core/engine.h"
#include "game/assets.h"
#include "game/characters.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "game/keys.h"

void GameReset() {
    CharactersReset();
    EnemiesReset();
    GameStateReset();
    KeysReset();
    AssetsReset();
    EngineReset();
}
