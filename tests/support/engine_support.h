// The engine's test fixtures: a fresh engine on the headless host, with the game's window and
// display, or with the sound and music tables.
#pragma once

#include "engine/core/engine.h"
#include "support/audio_fixture.h"
#include "support/test_support.h"

#include <cstdint>

// Opens a test window (OpenTestWindow) and makes it the main window; the window or nullptr.
HWND OpenMainWindow(const char* className);

// A headless test whose records are the engine's and the layers beneath (or a higher layer's,
// when its reset is given).
class EngineTest : public HeadlessTest {
protected:
    explicit EngineTest(void (*layersAbove)() = EngineReset) : HeadlessTest(layersAbove) {}
};

// An engine test with the game's window and full-screen 8-bit display set up.
class DisplayedTest : public EngineTest {
protected:
    using EngineTest::EngineTest;
    void SetUp() override;
    void TearDown() override;
    // The back surface's pixel at (x, y).
    uint8_t BackPixel(int x, int y);
    // Fills the back surface with `colour` and rows from `groundTop` down with ground colour 116.
    void PaintBack(uint8_t colour, int groundTop);
};

// The sound stand-ins' fixture for the engine's sound and music: the test window is the main
// window, the sound and music tables are as at program start, and no play is observed.
class AudioTest : public AudioStandInTest {
protected:
    AudioTest() : AudioStandInTest(EngineReset) {}
    void SetUp() override;
    void TearDown() override;
};
