#include "game/player.h"

#include "game/game_state.h"
#include "game/keys.h"
#include "game/screens.h"

#include "engine/gfx/display.h"
#include "game/fighters.h"

#include <algorithm>

namespace {

class PlayerTest : public FightersTest {
protected:
    // One player step with these keys held, on a freshly painted first landscape.
    void Step(std::initializer_list<int> keys) {
        host.ReleaseAllKeys();
        for (int key : keys) host.SetKey(key, true);
        KeysSample();  // as the pass's frame routine does first
        PaintBack(11, TestGroundTop(0));
        GameState.playerWalking = 0;
        PlayerStep();
    }
    Sprite& player = PlayerSprite();
    Sprite& enemy = EnemySprite(1);
};

TEST_F(PlayerTest, WalksRightInStepsOfTwo) {
    Step({VK_RIGHT});
    EXPECT_FLOAT_EQ(player.x, 22.0f);
    Step({VK_RIGHT});
    EXPECT_FLOAT_EQ(player.x, 24.0f);
    EXPECT_EQ(GameState.playerActed, 1);
    EXPECT_EQ(GameState.playerWalking, 1);
    EXPECT_FLOAT_EQ(player.y, 300.0f);
}

TEST_F(PlayerTest, CannotPassTheCurrentEnemy) {
    player.x = enemy.x - 30.0f;
    Step({VK_RIGHT});
    EXPECT_FLOAT_EQ(player.x, 510.0f);
    EXPECT_EQ(GameState.playerActed, 0);    // a refused step is no action
    EXPECT_EQ(GameState.playerWalking, 1);  // but the walk plays in place
    EXPECT_EQ(player.currentAnimation, Advance);
    player.x = enemy.x + 10.0f;  // an enemy on the left refuses the step too
    Step({VK_RIGHT});
    EXPECT_FLOAT_EQ(player.x, 550.0f);
}

TEST_F(PlayerTest, WayIsFreeBeforeTheCurrentEnemysLandscape) {
    GameState.level = 3;
    player.x = enemy.x - 4.0f;
    Step({VK_RIGHT});
    EXPECT_FLOAT_EQ(player.x, 538.0f);
}

TEST_F(PlayerTest, RightAndLeftTogether) {
    Step({VK_RIGHT, VK_LEFT});
    EXPECT_FLOAT_EQ(player.x, 20.0f);
    EXPECT_EQ(player.currentAnimation, Retreat);
    player.x = enemy.x - 20.0f;
    Step({VK_RIGHT, VK_LEFT});
    EXPECT_FLOAT_EQ(player.x, 518.0f);
}

TEST_F(PlayerTest, LeftWithSpaceWalksAndRightWithSpaceAlsoStrikes) {
    Step({VK_LEFT, VK_SPACE});
    EXPECT_FLOAT_EQ(player.x, 18.0f);
    EXPECT_EQ(GameState.playerAttackTimer, 0);
    Step({VK_RIGHT, VK_SPACE});
    EXPECT_FLOAT_EQ(player.x, 20.0f);
    EXPECT_EQ(GameState.playerAttackTimer, 32);
    EXPECT_EQ(player.currentAnimation, Strike);
}

TEST_F(PlayerTest, StrikeRunsThirtyTwoPassesWithoutKeysThenAdvanceTakesOver) {
    Step({VK_SPACE});
    for (int i = 0; i < 31; ++i) {
        Step({VK_RIGHT});
        EXPECT_FLOAT_EQ(player.x, 20.0f);
    }
    EXPECT_EQ(GameState.playerAttackTimer, 1);
    Step({});
    EXPECT_EQ(GameState.playerAttackTimer, 0);
    EXPECT_EQ(player.currentAnimation, Advance);
    EXPECT_TRUE(player.animationIndex == 1 || player.animationIndex == 2) << player.animationIndex;
}

TEST_F(PlayerTest, ControlParriesWithoutSound) {
    Step({VK_CONTROL});
    EXPECT_EQ(player.currentAnimation, Block);
    EXPECT_EQ(GameState.playerAttackTimer, 32);
    EXPECT_EQ(GameState.playerActed, 1);
}

TEST_F(PlayerTest, LeftEdgeOfTheFirstLandscapeStops) {
    player.x = -35.0f;
    Step({VK_LEFT});
    EXPECT_FLOAT_EQ(player.x, -36.0f);
    EXPECT_EQ(GameState.landscape, 0);
}

TEST_F(PlayerTest, LeftEdgeLeadsBack) {
    GameState.landscape = 2;
    GameState.level = 5;
    player.x = -36.0f;  // on the edge: still here
    Step({});
    EXPECT_EQ(GameState.landscape, 2);
    player.x = -35.0f;
    Step({VK_LEFT});
    EXPECT_EQ(GameState.landscape, 1);
    EXPECT_FLOAT_EQ(player.x, 604.0f);
}

TEST_F(PlayerTest, LastLandscapeCannotBeLeftToTheRight) {
    GameState.landscape = 4;
    GameState.level = 5;
    ASSERT_EQ(LoadCharacter(5), 1);
    EnemySprite(5).x = 700.0f;  // out of the way
    player.x = 604.0f;
    Step({VK_RIGHT});
    EXPECT_EQ(GameState.landscape, 4);
    EXPECT_FLOAT_EQ(player.x, 604.0f);
}

TEST_F(PlayerTest, AStrokeLandsWhileItsTimerIsElevenToNineteenAndTheGapUnderThirtyFive) {
    // The step counts the timer down first: 12 becomes 11, the first pass a stroke lands.
    const struct {
        int32_t timer;
        float gap;
        bool lands;
    } cases[] = {{12, 0, true}, {11, 0, false}, {20, 0, true}, {21, 0, false}, {15, 34, true}, {15, 35, false}};
    for (const auto& c : cases) {
        GameState.level = 1;
        ASSERT_EQ(LoadCharacter(1), 1);
        player.x = 100.0f;
        enemy.x = 100.0f + c.gap;
        GameState.playerAttackTimer = c.timer;
        player.currentAnimation = Strike;
        Step({});
        EXPECT_EQ(GameState.level, c.lands ? 2 : 1) << c.timer << " " << c.gap;
    }
}

TEST_F(PlayerTest, EnemyToTheLeftIsWithinReach) {
    GameState.playerAttackTimer = 20;
    player.currentAnimation = Strike;
    player.x = enemy.x + 100.0f;
    Step({});
    EXPECT_EQ(GameState.level, 2);
    EXPECT_FALSE(enemy.frames[0]);
}

}  // namespace

namespace {

// The pass that ends a won game: CompleteGame has emptied the player's sprite and set level 1 and
// landscape 0, while the player's stroke is still in its landing window. The first enemy's old
// record lies "within reach" (to the left), but a player who is gone lands nothing.
TEST_F(PlayerTest, NoStrokeLandsOnceThePlayerIsGone) {
    GameState.landscape = 4;
    GameState.level = 6;
    GameState.playerAttackTimer = 18;
    player.currentAnimation = Strike;
    player.x = 500.0f;
    enemy.x = 300.0f;
    CompleteGame();
    Step({});
    EXPECT_EQ(GameState.level, 1);
    EXPECT_TRUE(SpriteHoldsFrames(enemy));
}

}  // namespace

namespace {

// The player's ground test reads the back surface, where the enemy has already been drawn: ground
// colour in an enemy's picture holds the player up as the landscape's does.
TEST_F(PlayerTest, GroundColourInTheEnemysPictureHoldsThePlayerUp) {
    for (IDirectDrawSurface7* frame : enemy.frames) {
        if (frame) std::fill_n(frame->memory(), frame->pitch() * CHARACTER_HEIGHT, uint8_t{116});
    }
    player.x = enemy.x - 20.0f;  // the player's ground box overlaps the enemy's picture
    PaintBack(11, TestGroundTop(0));
    UpdateEnemy(1);  // still dormant: it only stands on the landscape's ground and is drawn
    PlayerStep();
    EXPECT_FLOAT_EQ(enemy.y, 300.0f);
    EXPECT_FLOAT_EQ(player.y, 237.0f);  // the ground box's bottom row just above the enemy's top
}

}  // namespace
