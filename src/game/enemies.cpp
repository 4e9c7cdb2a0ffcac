#include "game/enemies.h"

#include "engine/audio/sound.h"
#include "engine/gfx/display.h"
#include "game/assets.h"
#include "game/characters.h"
#include "game/game_state.h"
#include "game/tuning.h"

#include <cstdlib>

EnemyState EnemyStates[5];
const int32_t EnemyPauseRange[5] = {25, 20, 15, 10, 5};

namespace {

// A stroke or parry under way: count down, animate, and let a stroke land.
void RunAttack(EnemyState& state, Sprite& enemy, float gap) {
    --state.attackTimer;
    SpriteAnimate(&enemy);
    if (state.attackTimer >= 11 && state.attackTimer <= 14 && state.action == Strike && gap < FIGHTER_REACH) {
        if (PlayerSprite().currentAnimation != Block) {
            GameState.level = 0;
        } else if (state.attackTimer == 12) {
            SoundPlay(SoundIds[SoundClash], 0, 0, 0, 0);
        }
    }
    if (state.attackTimer == 0) {
        enemy.currentAnimation = Advance;
    }
}

// A hesitation: stand still; enemy 1 may cut it short when the player strikes.
void RunPause(EnemyState& state, int32_t n) {
    --state.pauseTimer;
    if (n == 1 && PlayerSprite().currentAnimation == Strike && state.mayCutPause == 1) {
        if (std::rand() % 2 == 1) {
            state.pauseTimer = 0;
        } else {
            state.mayCutPause = 0;
        }
    }
}

void Decide(EnemyState& state, Sprite& enemy, int32_t n, float gap) {
    if (gap > FIGHTER_REACH) {
        state.action = Advance;
    } else if (PlayerSprite().currentAnimation == Strike) {
        state.action = Block;
    } else {
        state.action = Strike;
    }
    if (state.action != Advance && std::rand() % 2 == 1) {
        state.pauseTimer = std::rand() % EnemyPauseRange[n - 1];
        if (n == 1) {
            state.mayCutPause = 1;
        }
        return;
    }
    if (enemy.currentAnimation != state.action) {
        SpriteSetAnimation(&enemy, state.action);
    }
    if (state.action == Strike || state.action == Block) {
        state.attackTimer = FIGHTER_ATTACK_LENGTH;
        SpriteSetAnimationSpeed(&enemy, 3);
        SpriteAnimate(&enemy);
        // Entry 3 of the sound table is never filled: a parry plays id 0, the first effect loaded.
        SoundPlay(SoundIds[state.action], 0, 0, 0, 0);
    } else {
        SpriteSetAnimationSpeed(&enemy, 6);
        enemy.x -= FIGHTER_WALK_STEP;
        SpriteAnimate(&enemy);
    }
}

}  // namespace

int32_t UpdateEnemy(int32_t n) {
    if (n < 1 || n > 5) {
        return 1;
    }
    EnemyState& state = EnemyStates[n - 1];
    Sprite& enemy = EnemySprite(n);
    if (GameState.playerActed != 0) {
        const float gap = enemy.x - PlayerSprite().x;
        if (state.attackTimer > 0) {
            RunAttack(state, enemy, gap);
        } else if (state.pauseTimer > 0) {
            RunPause(state, n);
        } else {
            Decide(state, enemy, n, gap);
        }
    }
    CharacterStandOnGround(enemy);
    SpriteDraw(&enemy, Display.backSurface);
    return 1;
}

void EnemiesReset() {
    for (EnemyState& state : EnemyStates) {
        state = EnemyState{};
    }
}
