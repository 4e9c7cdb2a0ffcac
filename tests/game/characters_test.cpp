#include "fighters.h"

#include "engine/gfx/display.h"
#include "game/assets.h"

#include <filesystem>

namespace {

using CharactersTest = FightersTest;

TEST_F(CharactersTest, EveryFighterStartsAtItsPlaceShowingAdvance) {
    const float starts[6][2] = {{20, 300}, {540, 300}, {540, 375}, {540, 375}, {540, 410}, {540, 410}};
    for (int row = 0; row < 6; ++row) {
        ASSERT_EQ(LoadCharacter(row), 1);
        const Sprite& s = *CharacterTable[row].sprite;
        EXPECT_FLOAT_EQ(s.x, starts[row][0]) << row;
        EXPECT_FLOAT_EQ(s.y, starts[row][1]) << row;
        EXPECT_EQ(s.currentAnimation, Advance);
        EXPECT_EQ(s.animationSpeed, 6);
        EXPECT_EQ(s.xVelocity, 0.0f);
        EXPECT_EQ(s.width, 72);
        EXPECT_EQ(s.height, 74);
        EXPECT_EQ(s.frameCount, 32);
        EXPECT_EQ(s.attributes & (SPRITE_ANIMATED | SPRITE_VISIBLE), SPRITE_ANIMATED | SPRITE_VISIBLE);
    }
}

TEST_F(CharactersTest, FramesComeFromTheirFilesAndUnusedOnesStayEmpty) {
    const Sprite& player = PlayerSprite();
    auto pixel = [&](int frame, int x, int y) {
        IDirectDrawSurface7* s = player.frames[static_cast<size_t>(frame)];
        return s->memory()[y * s->pitch() + x];
    };
    // The test sheets paint each file's bodies in colour 40 + file.
    EXPECT_EQ(pixel(0, 30, 40), 40);
    EXPECT_EQ(pixel(3, 30, 40), 40);
    EXPECT_EQ(pixel(8, 30, 40), 41);
    EXPECT_EQ(pixel(16, 30, 40), 42);
    EXPECT_EQ(pixel(23, 30, 40), 43);
    for (int unused : {4, 5, 10, 11, 24, 31}) EXPECT_EQ(pixel(unused, 30, 40), 0) << unused;
    EXPECT_EQ(player.animations[0]->size(), 5u);
    EXPECT_EQ(player.animations[2]->size(), 11u);
    EXPECT_EQ((*player.animations[3])[0], 19);
}

TEST_F(CharactersTest, MissingPictureFileLeavesItsFramesEmpty) {
    std::filesystem::remove(dir.path() / "Eris2.BMP");
    ASSERT_EQ(LoadCharacter(1), 1);
    const Sprite& enemy = EnemySprite(1);
    auto pixel = [&](int frame) {
        IDirectDrawSurface7* s = enemy.frames[static_cast<size_t>(frame)];
        return s->memory()[40 * s->pitch() + 30];
    };
    EXPECT_EQ(pixel(12), 0);
    EXPECT_EQ(pixel(17), 0);
    EXPECT_EQ(pixel(18), 53);  // file 3 is still read
}

TEST_F(CharactersTest, RebuildingOnEveryReadyPassKeepsMemoryFlat) {
    const int before = ComLiveObjects();
    for (int pass = 0; pass < 2000; ++pass) {
        LoadCharacter(0);
        LoadCharacter(1);
    }
    EXPECT_EQ(ComLiveObjects(), before);
}

TEST_F(CharactersTest, StandingComesToRestOnePixelAboveTheGround) {
    Sprite& player = PlayerSprite();
    player.y = 250;
    for (int pass = 0; pass < 60; ++pass) CharacterStandOnGround(player);
    EXPECT_FLOAT_EQ(player.y, 300.0f);  // y + 62 is the row above the ground top, 363
    CharacterStandOnGround(player);
    EXPECT_FLOAT_EQ(player.y, 300.0f);  // level ground: sink one, climb one
    PaintBack(11, 340);                 // a rise is climbed at once
    CharacterStandOnGround(player);
    EXPECT_FLOAT_EQ(player.y, 277.0f);
}

TEST_F(CharactersTest, TheGroundBoxHoldsAllFourOfItsEdges) {
    // At (100, 300), sunk to 301: the box runs from x + 16 to x + width - 32 (116 to 140) and
    // from y + 24 to y + height - 12 (325 to 363). One pixel of ground inside lifts the fighter.
    const struct {
        int x, y;
        bool lifts;
    } cases[] = {{116, 340, true}, {115, 340, false}, {140, 340, true}, {141, 340, false},
                 {120, 325, true}, {120, 324, false}, {120, 363, true}, {120, 364, false}};
    Sprite& player = PlayerSprite();
    for (const auto& c : cases) {
        PaintBack(11, 480);
        DisplayLockBack()[c.y * Display.backPitch + c.x] = 116;
        DisplayUnlockBack();
        player.x = 100.0f;
        player.y = 300.0f;
        CharacterStandOnGround(player);
        EXPECT_EQ(player.y < 301.0f, c.lifts) << c.x << ", " << c.y;
    }
}

TEST_F(CharactersTest, GroundColourInTheTopRowsCannotHoldTheGame) {
    PaintBack(116, 0);
    Sprite& player = PlayerSprite();
    CharacterStandOnGround(player);  // must return
    EXPECT_LT(player.y + 62.0f, 0.0f);
}

}  // namespace
