#include "game/combat.h"

#include "engine/audio/sound.h"
#include "game/assets.h"
#include "game/characters.h"
#include "game/game_state.h"

int32_t DefeatEnemy(int32_t n) {
    if (n < 1 || n > 5) {
        return 1;
    }
    SoundPlay(n == 5 ? SoundIds[SoundAriesDeath] : SoundIds[SoundEnemyDeath], 0, 0, 0, 0);
    SpriteDestroy(&EnemySprite(n));
    GameState.level = n + 1;
    return 1;
}

int32_t DefeatPlayer() {
    GameState.mode = GameOverScreen;
    SoundPlay(SoundIds[SoundGameOver], 0, 0, 0, 0);
    SpriteDestroy(&PlayerSprite());
    GameState.level = 1;
    GameState.landscape = 0;
    return 1;
}
