#include "game/player.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/gfx/display.h"
#include "game/assets.h"
#include "game/characters.h"
#include "game/combat.h"
#include "game/game_state.h"
#include "game/keys.h"
#include "game/tuning.h"

namespace {

// A free player walks right only while the enemy on the screen is further ahead than this.
constexpr float kKeepOff = 30.0f;
constexpr int32_t kLastLandscape = 4;

bool EnemyOnThisScreen() { return GameState.landscape == GameState.level - 1; }

// A strike or parry under way: no keys; a stroke may land on the current enemy.
void ContinueAttack(Sprite& player) {
    --GameState.playerAttackTimer;
    SpriteSetAnimationSpeed(&player, 3);
    SpriteAnimate(&player);
    SpriteSetAnimationSpeed(&player, 6);
    const int32_t timer = GameState.playerAttackTimer;
    // A player whose sprite has been emptied (struck down, or the game just won) lands no
    // stroke: in that pass level and landscape already belong to the next game.
    if (EnemyOnThisScreen() && timer > 10 && timer < 20 && player.currentAnimation == Strike &&
        SpriteHoldsFrames(player)) {
        const int32_t n = GameState.level;
        const Sprite& enemy = EnemySprite(n);
        if (enemy.x - player.x < FIGHTER_REACH) {
            if (enemy.currentAnimation != Block) {
                DefeatEnemy(n);
            } else if (timer == 15) {
                SoundPlay(SoundIds[SoundClash], 0, 0, 0, 0);
            }
        }
    }
    if (GameState.playerAttackTimer == 0) {
        player.currentAnimation = Advance;  // the place in the sequence stays as it is
    }
}

void StartAttack(Sprite& player, int32_t animation) {
    if (player.currentAnimation != animation) {
        SpriteSetAnimation(&player, animation);
    }
    SpriteSetAnimationSpeed(&player, 3);
    SpriteAnimate(&player);
    SpriteSetAnimationSpeed(&player, 6);
    GameState.playerActed = 1;
    GameState.playerAttackTimer = FIGHTER_ATTACK_LENGTH;
}

// The keys of a free player; returns the horizontal step taken (+2, -2 or 0).
float ReadKeys(Sprite& player) {
    float step = 0.0f;
    if (KeyIsDown(VK_RIGHT)) {
        const int32_t level = GameState.level;
        const bool allowed = GameState.landscape < level - 1 ||
                             (level >= 1 && level <= 5 && EnemySprite(level).x - player.x > kKeepOff);
        if (player.currentAnimation != Advance) {
            SpriteSetAnimation(&player, Advance);
        }
        GameState.playerWalking = 1;
        if (allowed) {
            player.x += FIGHTER_WALK_STEP;
            step = FIGHTER_WALK_STEP;
            GameState.playerActed = 1;
        }
    }
    if (KeyIsDown(VK_LEFT)) {
        player.x -= FIGHTER_WALK_STEP;
        step = -FIGHTER_WALK_STEP;
        GameState.playerWalking = 1;
        if (player.currentAnimation != Retreat) {
            SpriteSetAnimation(&player, Retreat);
        }
        GameState.playerActed = 1;
    } else if (KeyIsDown(VK_SPACE)) {
        StartAttack(player, Strike);
        SoundPlay(SoundIds[SoundStrike], 0, 0, 0, 0);
    } else if (KeyIsDown(VK_CONTROL)) {
        StartAttack(player, Block);
    }
    return step;
}

void EnterLandscape(int32_t landscape) {
    GameState.landscape = landscape;
    MusicPlay(SongIds[landscape]);
}

// Crossing the screen edges carries the player from landscape to landscape.
void CrossEdges(Sprite& player, float step) {
    const float half = static_cast<float>(player.width >> 1);
    if (player.x > 640.0f - half) {
        if (GameState.landscape < kLastLandscape) {
            EnterLandscape(GameState.landscape + 1);
            player.x = -half;
            if (EnemyOnThisScreen()) {
                LoadCharacter(GameState.level);
            }
        } else {
            player.x -= step;
        }
    } else if (player.x < -half) {
        player.x = -half;
        if (GameState.landscape > 0) {
            EnterLandscape(GameState.landscape - 1);
            player.x = 640.0f - half;
        }
    }
}

}  // namespace

void PlayerStep() {
    Sprite& player = PlayerSprite();
    float step = 0.0f;
    if (GameState.playerAttackTimer > 0) {
        ContinueAttack(player);
    } else {
        step = ReadKeys(player);
    }
    if (GameState.playerWalking == 1) {
        SpriteAnimate(&player);
    }
    CharacterStandOnGround(player);
    SpriteDraw(&player, Display.backSurface);
    CrossEdges(player, step);
}
