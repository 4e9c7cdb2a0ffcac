#include "platform/input/key_latch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Plays a keyboard's events for one key, pass by pass: 'p' press, 'r' repeat, 'u' release,
// 'a' the window lost the keyboard, '|' a pass begins (where the key is asked about). Returns
// the answer of each pass, "1" down or "0" up.
std::string Passes(const std::string& events) {
    KeyLatch latch;
    std::string answers;
    for (char event : events) {
        switch (event) {
            case 'p': latch.Press(32, false); break;
            case 'r': latch.Press(32, true); break;
            case 'u': latch.Release(32); break;
            case 'a': latch.ReleaseAll(); break;
            default:
                latch.NextPass();
                answers += latch.Down(32) ? '1' : '0';
                break;
        }
    }
    return answers;
}

TEST(KeyLatch, EachPassSeesTheKeyAsThePlayerPressedIt) {
    struct Case {
        const char* events;
        const char* want;
        const char* what;
    } cases[] = {
        {"|p||u||", "01100", "held for the passes it is down"},
        {"|pu|||", "0100", "a tap between two passes counts for the next pass only"},
        {"p|rrr|rr|u|", "1110", "auto-repeat is no new press"},
        {"p|u|ru||", "1000", "a repeat after the release (another window had it) is nothing"},
        {"pu|pu|", "11", "two taps, two passes"},
        {"p|a||", "100", "the window lost the keyboard: every key up"},
        {"pua|", "0", "and a tap not yet seen is forgotten"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Passes(c.events), c.want) << c.what << " (" << c.events << ")";
    }
}

TEST(KeyLatch, AskingTakesNothingAndKeysOutsideAreUp) {
    KeyLatch latch;
    latch.Press(KEY_LATCH_SIZE - 1, false);
    latch.Release(KEY_LATCH_SIZE - 1);
    latch.Press(KEY_LATCH_SIZE, false);
    latch.Press(-1, false);
    latch.NextPass();
    EXPECT_TRUE(latch.Down(KEY_LATCH_SIZE - 1));
    EXPECT_TRUE(latch.Down(KEY_LATCH_SIZE - 1));
    EXPECT_FALSE(latch.Down(KEY_LATCH_SIZE));
    EXPECT_FALSE(latch.Down(-1));
}

}  // namespace
