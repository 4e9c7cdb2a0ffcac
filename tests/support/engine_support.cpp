#include "support/engine_support.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"

#include <cstring>

HWND OpenMainWindow(const char* className) {
    MainWindowHandle = OpenTestWindow(className);
    return MainWindowHandle;
}

void DisplayedTest::SetUp() {
    EngineTest::SetUp();
    OpenMainWindow("DISPLAYED");
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
}

// The display goes first; the records of the layers above (the fighters' frames) after it, as
// at the program's own end.
void DisplayedTest::TearDown() {
    DisplayShutdown();
    EngineTest::TearDown();
}

uint8_t DisplayedTest::BackPixel(int x, int y) {
    return Display.backSurface->memory()[y * Display.backSurface->pitch() + x];
}

void DisplayedTest::PaintBack(uint8_t colour, int groundTop) {
    IDirectDrawSurface7* back = Display.backSurface;
    for (int y = 0; y < 480; ++y) {
        std::memset(back->memory() + y * back->pitch(), y >= groundTop ? 116 : colour, 640);
    }
}

void AudioTest::SetUp() {
    AudioStandInTest::SetUp();
    MainWindowHandle = window;
}

void AudioTest::TearDown() {
    SoundSetPlayObserver(nullptr);
    MusicSetPlayObserver(nullptr);
    AudioStandInTest::TearDown();
}
