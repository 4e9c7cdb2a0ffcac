#include "fighters.h"

#include <cstdlib>

namespace {

class EnemiesTest : public FightersTest {
protected:
    void SetUp() override {
        FightersTest::SetUp();
        GameState.playerActed = 1;
    }
    // Places the player `gap` pixels left of enemy 1 and runs one pass of the enemy.
    void Step(float gap) {
        PlayerSprite().x = EnemySprite(1).x - gap;
        Pass();
    }
    void Pass() {
        PaintBack(11, TestGroundTop(0));
        UpdateEnemy(1);
    }
    // The first value rand() will give after srand(seed).
    static int FirstRand(unsigned seed) {
        std::srand(seed);
        const int value = std::rand();
        std::srand(seed);
        return value;
    }
    // A seed whose first draw is even (act) or odd (hesitate).
    static unsigned SeedWhoseFirstDrawIs(bool odd) {
        for (unsigned seed = 1;; ++seed) {
            if ((FirstRand(seed) % 2 == 1) == odd) return seed;
        }
    }
    // A seed whose first two draws are odd or even as asked; the generator is left seeded with it.
    static unsigned SeedWhoseDrawsAre(bool firstOdd, bool secondOdd) {
        for (unsigned seed = 1;; ++seed) {
            std::srand(seed);
            const bool first = std::rand() % 2 == 1;
            const bool second = std::rand() % 2 == 1;
            std::srand(seed);
            if (first == firstOdd && second == secondOdd) return seed;
        }
    }
};

TEST_F(EnemiesTest, DormantUntilThePlayerActs) {
    GameState.playerActed = 0;
    EnemySprite(1).y = 280;
    for (int i = 0; i < 30; ++i) Step(10);
    EXPECT_FLOAT_EQ(EnemySprite(1).x, 540.0f);
    EXPECT_FLOAT_EQ(EnemySprite(1).y, 300.0f);  // fell onto the ground
    EXPECT_EQ(EnemyStates[0].attackTimer, 0);
    EXPECT_EQ(EnemyStates[0].pauseTimer, 0);
}

TEST_F(EnemiesTest, WalksWhileFartherThanReachWithoutDrawingANumber) {
    // Seeded before the walk: a number drawn while walking would leave the decision the second
    // one, which is odd, and the enemy would hesitate instead of striking.
    std::srand(SeedWhoseDrawsAre(false, true));
    Step(36);
    EXPECT_EQ(EnemyStates[0].action, Advance);
    EXPECT_FLOAT_EQ(EnemySprite(1).x, 538.0f);
    EXPECT_EQ(EnemySprite(1).animationSpeed, 6);
    Pass();  // the gap is now 34: it acts
    EXPECT_EQ(EnemyStates[0].action, Strike);
    EXPECT_EQ(EnemyStates[0].attackTimer, 32);
    EXPECT_EQ(EnemySprite(1).currentAnimation, Strike);
    EXPECT_EQ(EnemySprite(1).animationSpeed, 3);
}

TEST_F(EnemiesTest, AtExactlyReachItDoesNotWalkAndItsStrokeCannotLand) {
    std::srand(SeedWhoseFirstDrawIs(false));
    Step(35);
    EXPECT_FLOAT_EQ(EnemySprite(1).x, 540.0f);
    EXPECT_EQ(EnemyStates[0].action, Strike);
    for (int i = 0; i < 32; ++i) Step(35);
    EXPECT_EQ(GameState.level, 1);
}

TEST_F(EnemiesTest, BlocksAPlayerWhoStrikes) {
    std::srand(SeedWhoseFirstDrawIs(false));
    PlayerSprite().currentAnimation = Strike;
    Step(20);
    EXPECT_EQ(EnemyStates[0].action, Block);
    EXPECT_EQ(EnemySprite(1).currentAnimation, Block);
}

TEST_F(EnemiesTest, AnOddDrawMakesItHesitateWithinItsRange) {
    const unsigned seed = SeedWhoseFirstDrawIs(true);
    std::srand(seed);
    std::rand();
    const int expected = std::rand() % 25;
    std::srand(seed);
    Step(20);
    EXPECT_EQ(EnemyStates[0].attackTimer, 0);
    EXPECT_EQ(EnemyStates[0].pauseTimer, expected);
    EXPECT_EQ(EnemyStates[0].action, Strike);  // kept although not acted on
    EXPECT_EQ(EnemyStates[0].mayCutPause, 1);
}

TEST_F(EnemiesTest, StrokeLandsOnItsFirstHurtingPass) {
    std::srand(SeedWhoseFirstDrawIs(false));
    Step(20);
    ASSERT_EQ(EnemyStates[0].action, Strike);
    int passes = 0;
    while (GameState.level != 0 && passes < 40) {
        Step(20);
        ++passes;
    }
    EXPECT_EQ(passes, 18);
    EXPECT_EQ(EnemyStates[0].attackTimer, 14);
}

TEST_F(EnemiesTest, ParryMustCoverAllFourHurtingPasses) {
    std::srand(SeedWhoseFirstDrawIs(false));
    Step(20);
    // Parry from the pass in which the timer falls to 14 up to the one in which it falls to 12.
    for (int i = 0; i < 20; ++i) {
        PlayerSprite().currentAnimation = EnemyStates[0].attackTimer <= 15 ? Block : Advance;
        Step(20);
    }
    EXPECT_EQ(EnemyStates[0].attackTimer, 12);
    EXPECT_EQ(GameState.level, 1);
    PlayerSprite().currentAnimation = Advance;  // the parry ends too soon
    Step(20);
    EXPECT_EQ(GameState.level, 0);
}

TEST_F(EnemiesTest, FirstEnemyGetsOneCoinTossPerHesitation) {
    for (bool odd : {true, false}) {
        EnemyStates[0] = EnemyState{};
        EnemyStates[0].pauseTimer = 10;
        EnemyStates[0].mayCutPause = 1;
        PlayerSprite().currentAnimation = Strike;
        std::srand(SeedWhoseFirstDrawIs(odd));
        Step(20);
        if (odd) {
            EXPECT_EQ(EnemyStates[0].pauseTimer, 0);
        } else {
            EXPECT_EQ(EnemyStates[0].pauseTimer, 9);
            EXPECT_EQ(EnemyStates[0].mayCutPause, 0);
            Step(20);
            EXPECT_EQ(EnemyStates[0].pauseTimer, 8);  // no second toss
        }
    }
}

TEST_F(EnemiesTest, FirstEnemyTossesNoCoinWhileThePlayerIsNotStriking) {
    for (int32_t animation : {Advance, Retreat, Block}) {
        EnemyStates[0] = EnemyState{};
        EnemyStates[0].pauseTimer = 10;
        EnemyStates[0].mayCutPause = 1;
        PlayerSprite().currentAnimation = animation;
        const int first = FirstRand(SeedWhoseFirstDrawIs(true));  // heads, were a coin tossed
        Step(20);
        EXPECT_EQ(EnemyStates[0].pauseTimer, 9) << animation;
        EXPECT_EQ(EnemyStates[0].mayCutPause, 1) << animation;
        EXPECT_EQ(std::rand(), first) << animation << ": no number drawn";
    }
}

TEST_F(EnemiesTest, AfterAnAttackTheAnimationGoesOnFromWhereItStands) {
    // The last pass of a stroke or parry: its list steps on (every third pass), the animation
    // becomes Advance at that place, and the walk goes on from there.
    const struct { int32_t action, index, counter, after; } cases[] = {{Strike, 3, 0, 3}, {Block, 2, 2, 3}};
    for (const auto& c : cases) {
        EnemyStates[0].action = c.action;
        EnemyStates[0].attackTimer = 1;
        Sprite& enemy = EnemySprite(1);
        enemy.currentAnimation = c.action;
        enemy.animationIndex = c.index;
        enemy.animationCounter = c.counter;
        enemy.animationSpeed = 3;
        Step(60);
        EXPECT_EQ(EnemyStates[0].attackTimer, 0);
        EXPECT_EQ(enemy.currentAnimation, Advance) << c.action;
        EXPECT_EQ(enemy.animationIndex, c.after) << c.action;
        Step(60);  // far away: it walks, without restarting the list
        EXPECT_EQ(EnemyStates[0].action, Advance);
        EXPECT_EQ(enemy.animationIndex, c.after) << c.action;
    }
}

}  // namespace

namespace {

// Later enemies hesitate less (up to 24 passes for the first, 4 for the last), and only the first
// may cut a hesitation short when the player strikes.
TEST_F(EnemiesTest, LaterEnemiesHesitateLessAndOnlyTheFirstCutsAHesitationShort) {
    // A seed whose first draw is odd (hesitate) and whose second is 299 modulo 300, a multiple of
    // every range: the longest hesitation of whichever enemy draws it.
    unsigned longest = 1;
    for (;; ++longest) {
        std::srand(longest);
        const bool odd = std::rand() % 2 == 1;
        if (odd && std::rand() % 300 == 299) break;
    }
    const struct {
        int32_t n;
        int32_t pause;
        bool cutsShort;
    } enemies[] = {{1, 24, true}, {2, 19, false}, {3, 14, false}, {4, 9, false}, {5, 4, false}};
    for (const auto& e : enemies) {
        ASSERT_EQ(LoadCharacter(e.n), 1);
        EnemyState& state = EnemyStates[e.n - 1];
        PlayerSprite().x = EnemySprite(e.n).x - 20.0f;
        PlayerSprite().currentAnimation = Advance;
        std::srand(longest);
        PaintBack(11, TestGroundTop(0));
        UpdateEnemy(e.n);
        EXPECT_EQ(state.pauseTimer, e.pause) << e.n;
        PlayerSprite().currentAnimation = Strike;
        state.mayCutPause = 1;
        std::srand(SeedWhoseFirstDrawIs(true));  // heads: the first enemy stops hesitating
        UpdateEnemy(e.n);
        EXPECT_EQ(state.pauseTimer, e.cutsShort ? 0 : e.pause - 1) << e.n;
    }
}

}  // namespace
