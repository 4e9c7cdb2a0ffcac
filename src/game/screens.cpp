#include "game/screens.h"

#include "engine/audio/music.h"
#include "engine/core/frame_clock.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"
#include "game/assets.h"
#include "game/characters.h"
#include "game/combat.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "game/keys.h"
#include "game/player.h"

namespace {

constexpr uint32_t kPlayingBudget = 30;
constexpr uint32_t kFirstMenuBudget = 100;
constexpr uint32_t kMenuBudget = 200;

// The keys of the menu screen that runs; they may change the screen or end the program.
void MenuKeys() {
    switch (GameState.mode) {
        case MenuScreen:
            if (KeyIsDown('N') || KeyIsDown(VK_DECIMAL)) {
                GameState.mode = ReadyScreen;
            }
            if (KeyIsDown('Q') || KeyIsDown(VK_F2)) {
                RequestQuit();
            }
            break;
        case ReadyScreen:
            if (KeyIsDown(VK_SPACE)) {
                GameState.mode = Playing;
                MusicPlay(SongIds[0]);
            }
            break;
        default:  // GameOverScreen, EndingScreen
            if (KeyIsDown(VK_SPACE)) {
                GameState.mode = MenuScreen;
                MusicPlay(SongIds[SONG_INTRO]);
            }
            break;
    }
}

int32_t RunMenuScreen() {
    const int32_t shown = GameState.mode;
    BitmapImageDraw(&MenuImages[shown - 1], Display.backMemory, Display.backPitch, 0);
    DisplayUnlockBack();
    MenuKeys();
    DisplayFlip();
    FrameClockWait(shown == MenuScreen ? kFirstMenuBudget : kMenuBudget);
    if (shown == ReadyScreen) {
        LoadCharacter(0);
        LoadCharacter(1);
    }
    return 1;
}

void DispatchLevel() {
    const int32_t level = GameState.level;
    if (GameState.landscape != level - 1 && level != 0 && level <= 5) {
        return;  // the current enemy lives in another landscape
    }
    if (level == 0) {
        DefeatPlayer();
    } else if (level >= 1 && level <= 5) {
        UpdateEnemy(level);
    } else if (level == 6) {
        CompleteGame();
    } else {
        RequestQuit();
    }
}

int32_t RunPlayingPass() {
    BitmapImageDraw(&LandscapeImages[GameState.landscape], Display.backMemory, Display.backPitch, 0);
    DisplayUnlockBack();
    GameState.playerWalking = 0;
    DispatchLevel();
    if (GameState.level == 0) {
        return 1;  // struck down: nothing is presented, and the next pass comes at once
    }
    PlayerStep();
    DisplayFlip();
    FrameClockWait(kPlayingBudget);
    return 1;
}

}  // namespace

int32_t AppFrame() {
    KeysSample();
    if (KeyIsDown(VK_ESCAPE)) {
        RequestQuit();
    }
    FrameClockStart();
    DisplayFill(Display.backSurface, 0, nullptr);
    DisplayLockBack();
    if (GameState.mode >= MenuScreen && GameState.mode <= EndingScreen) {
        return RunMenuScreen();
    }
    if (GameState.mode != Playing || GameState.landscape < 0 || GameState.landscape > 4) {
        DisplayUnlockBack();
        RequestQuit();
        return 1;
    }
    return RunPlayingPass();
}

int32_t CompleteGame() {
    GameState.mode = EndingScreen;
    GameState.level = 1;
    SpriteDestroy(&PlayerSprite());
    GameState.landscape = 0;
    MusicPlay(SongIds[SONG_INTRO]);
    FrameClockWait(kMenuBudget);
    return 1;
}
