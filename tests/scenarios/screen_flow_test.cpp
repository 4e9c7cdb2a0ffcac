#include "scenario.h"

#include "platform/standins/win32.h"

namespace {

using ScreenFlow = Scenario;

TEST_F(ScreenFlow, MenusLeadIntoPlayAndTheIntroSongStarts) {
    Run([](uint64_t pass, std::vector<int>& keys) {
        if (pass == 2) keys = {'N'};
        if (pass == 5) keys = {VK_SPACE};
        return pass < 8;
    });
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records[0].state.mode, MenuScreen);
    EXPECT_EQ(records[0].firstPixel, 1);
    // Start-up's own events come with the first pass: the intro song, and no other song after.
    EXPECT_EQ(records[0].events.song, "Intro.mid");
    for (size_t pass = 1; pass < 5; ++pass) EXPECT_EQ(records[pass].events.song, "") << pass;
    EXPECT_EQ(records[2].state.mode, ReadyScreen);
    EXPECT_EQ(records[3].firstPixel, 2);
    EXPECT_EQ(records[5].state.mode, Playing);
    EXPECT_EQ(records[5].events.song, "MIDIFILE0.MID");
    EXPECT_EQ(records[6].firstPixel, 11);  // the first landscape
    // Budgets: 100 ms on the first menu, 200 ms on the ready screen, 30 ms while playing.
    EXPECT_EQ(records[1].ms - records[0].ms, 100u);
    EXPECT_EQ(records[4].ms - records[3].ms, 200u);
    EXPECT_EQ(records[7].ms - records[6].ms, 30u);
    // Both fighters stand at their start positions when play begins.
    EXPECT_FLOAT_EQ(records[5].playerX, 20.0f);
}

TEST_F(ScreenFlow, NewGameAndQuitTogetherDoBoth) {
    Run([](uint64_t pass, std::vector<int>& keys) {
        if (pass == 0) keys = {'N', 'Q'};
        return true;
    });
    EXPECT_EQ(records.front().state.mode, ReadyScreen);
    EXPECT_EQ(records.size(), 2u);  // the quit message ends the loop after one more pass
}

TEST_F(ScreenFlow, SpaceHeldFromTheReadyScreenStrikesAtOnce) {
    Run([](uint64_t pass, std::vector<int>& keys) {
        if (pass == 0) keys = {'N'};
        if (pass >= 1) keys = {VK_SPACE};
        return pass < 3;
    });
    EXPECT_EQ(records[1].state.mode, Playing);
    EXPECT_EQ(records[2].state.playerAttackTimer, 32);
    EXPECT_EQ(records[2].events.sounds, std::vector<std::string>{"Sword Strike.WAV"});
    EXPECT_EQ(records[2].state.playerActed, 1);
}

TEST_F(ScreenFlow, PlayerStandsOnTheGroundAndWalks) {
    Run([](uint64_t pass, std::vector<int>& keys) {
        if (pass == 0) keys = {'N'};
        if (pass == 1) keys = {VK_SPACE};
        if (pass >= 3) keys = {VK_RIGHT};
        return pass < 8;
    });
    EXPECT_FLOAT_EQ(records[2].playerY, 300.0f);
    EXPECT_FLOAT_EQ(records[2].playerX, 20.0f);
    EXPECT_FLOAT_EQ(records[3].playerX, 22.0f);
    EXPECT_FLOAT_EQ(records[7].playerX, 30.0f);
    EXPECT_FLOAT_EQ(records[7].playerY, 300.0f);
    EXPECT_EQ(records[7].playerAnimation, Advance);
}

TEST_F(ScreenFlow, EscapeQuitsFromPlay) {
    Run([](uint64_t pass, std::vector<int>& keys) {
        if (pass == 0) keys = {'N'};
        if (pass == 1) keys = {VK_SPACE};
        if (pass == 4) keys = {VK_ESCAPE};
        return true;
    });
    EXPECT_EQ(records.size(), 6u);
}

}  // namespace
