// A fixture for the fighters' tests: the display, the test data pack as the working folder,
// and the player and enemy 1 built as the ready screen builds them.
#pragma once

#include "game/characters.h"
#include "game/enemies.h"
#include "game/game.h"
#include "game/game_state.h"
#include "support/engine_support.h"

#include <memory>

class FightersTest : public DisplayedTest {
protected:
    FightersTest() : DisplayedTest(GameReset) {}
    void SetUp() override {
        DisplayedTest::SetUp();
        MakeTestDataPack(dir.path());
        here = std::make_unique<WorkingFolder>(dir.path());
        ASSERT_EQ(LoadCharacter(0), 1);
        ASSERT_EQ(LoadCharacter(1), 1);
        GameState.mode = Playing;
        PaintBack(11, TestGroundTop(0));
    }
    void TearDown() override {
        here.reset();
        DisplayedTest::TearDown();
    }
    TempDir dir;
    std::unique_ptr<WorkingFolder> here;
};
