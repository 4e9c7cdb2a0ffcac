#include "app/game_state.h"

#include "app/frame_clock.h"
#include "app/shell.h"
#include "gfx/display.h"

GameStateRecord GameState;

namespace {

bool KeyIsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// A menu screen: its picture, its keys, the present and the wait.
int32_t RunMenuScreen() {
    BitmapImageDraw(&MenuImages[GameState.mode - 1], Display.backMemory, Display.backPitch, 0);
    DisplayUnlockBack();
    uint32_t budget = 200;
    if (GameState.mode == MenuScreen) {
        budget = 100;
        if (KeyIsDown('N') || KeyIsDown(VK_DECIMAL)) {
            GameState.mode = ReadyScreen;
        }
        if (KeyIsDown('Q') || KeyIsDown(VK_F2)) {
            RequestQuit();
        }
    }
    DisplayFlip();
    FrameClockWait(budget);
    return 1;
}

}  // namespace

void GameStateReset() { GameState = GameStateRecord{}; }

int32_t AppFrame() {
    if (KeyIsDown(VK_ESCAPE)) {
        RequestQuit();
    }
    FrameClockStart();
    DisplayFill(Display.backSurface, 0, nullptr);
    DisplayLockBack();
    if (GameState.mode != Playing) {
        return RunMenuScreen();
    }
    DisplayUnlockBack();
    return 1;
}

int32_t CompleteGame() { return 1; }
