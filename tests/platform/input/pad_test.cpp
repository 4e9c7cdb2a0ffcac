#include "platform/input/pad.h"

#include "platform/standins/win32.h"

#include <gtest/gtest.h>

namespace {

constexpr int kGameKeys[] = {VK_LEFT, VK_RIGHT, VK_SPACE, VK_CONTROL, 'N', VK_ESCAPE};

// The game keys held by `state`, as a string such as "Left Space" (easy to read in a failure).
std::string Held(const PadState& state) {
    const char* names[] = {"Left", "Right", "Space", "Ctrl", "N", "Escape"};
    const PadKeys keys = PadKeysFor(state);
    std::string out;
    for (size_t i = 0; i < std::size(kGameKeys); ++i) {
        if (keys[static_cast<size_t>(kGameKeys[i])]) out += std::string(out.empty() ? "" : " ") + names[i];
    }
    return out;
}

PadState With(void (*set)(PadState&)) {
    PadState state;
    set(state);
    return state;
}

TEST(PadKeys, EachButtonIsItsKey) {
    EXPECT_EQ(Held(PadState{}), "");
    EXPECT_EQ(Held(With([](PadState& s) { s.dpadLeft = true; })), "Left");
    EXPECT_EQ(Held(With([](PadState& s) { s.dpadRight = true; })), "Right");
    EXPECT_EQ(Held(With([](PadState& s) { s.a = true; })), "Space");
    EXPECT_EQ(Held(With([](PadState& s) { s.b = true; })), "Ctrl");
    EXPECT_EQ(Held(With([](PadState& s) { s.x = true; })), "Ctrl");
    EXPECT_EQ(Held(With([](PadState& s) { s.start = true; })), "N");
    EXPECT_EQ(Held(With([](PadState& s) { s.back = true; })), "");
}

// Back and Start together quit, and must not also start a game on the menu.
TEST(PadKeys, BackWithStartIsEscapeOnly) {
    EXPECT_EQ(Held(With([](PadState& s) { s.back = s.start = true; })), "Escape");
}

TEST(PadKeys, ButtonsCombineAsKeysDo) {
    EXPECT_EQ(Held(With([](PadState& s) { s.dpadRight = s.a = s.b = true; })), "Right Space Ctrl");
    EXPECT_EQ(Held(With([](PadState& s) { s.dpadLeft = s.dpadRight = true; })), "Left Right");
}

TEST(PadKeys, StickWalksOnlyPastHalfWay) {
    auto stick = [](int x) {
        PadState s;
        s.leftStickX = x;
        return Held(s);
    };
    EXPECT_EQ(stick(0), "");
    EXPECT_EQ(stick(PAD_STICK_THRESHOLD - 1), "");
    EXPECT_EQ(stick(-(PAD_STICK_THRESHOLD - 1)), "");
    EXPECT_EQ(stick(PAD_STICK_THRESHOLD), "Right");
    EXPECT_EQ(stick(32767), "Right");
    EXPECT_EQ(stick(-PAD_STICK_THRESHOLD), "Left");
    EXPECT_EQ(stick(-32768), "Left");
}

// The latch's rule, through the pads as the host drives them: events, then the pass begins.
// (Held, tapped and unplugged pads through SDL itself: tests/smoke/host_sdl_pads_test.cpp.)
TEST(PadKeyBoard, ATapCountsForTheNextPassOnly) {
    PadKeyBoard board;
    PadState start;
    start.start = true;
    board.Update(1, start);
    board.Update(1, PadState{});
    EXPECT_FALSE(board.Down('N')) << "a tap waits for the pass to begin";
    board.NextPass();
    EXPECT_TRUE(board.Down('N'));
    EXPECT_TRUE(board.Down('N')) << "asking takes nothing";
    board.NextPass();
    EXPECT_FALSE(board.Down('N')) << "a tap not asked for in its pass is forgotten";
}

// Two pads hold a key together: it goes up only when neither holds it, and a second pad
// pressing a key the first holds is no new press.
TEST(PadKeyBoard, TwoPadsHoldTogether) {
    PadKeyBoard board;
    PadState left;
    left.dpadLeft = true;
    PadState blocking;
    blocking.x = true;
    board.Update(1, left);
    board.Update(2, blocking);
    board.NextPass();
    EXPECT_TRUE(board.Down(VK_LEFT));
    EXPECT_TRUE(board.Down(VK_CONTROL));
    board.Update(1, PadState{});
    board.NextPass();
    EXPECT_FALSE(board.Down(VK_LEFT));
    EXPECT_TRUE(board.Down(VK_CONTROL));
    board.Update(1, blocking);
    board.Update(1, PadState{});
    board.Update(2, PadState{});
    board.NextPass();
    EXPECT_FALSE(board.Down(VK_CONTROL)) << "a press while another pad held Ctrl is no tap";
    board.Update(2, blocking);
    board.Remove(2);
    board.NextPass();
    EXPECT_TRUE(board.Down(VK_CONTROL)) << "pressed, then its pad pulled out: a tap";
    board.NextPass();
    EXPECT_FALSE(board.Down(VK_CONTROL));
    EXPECT_FALSE(board.Down(-1));
    EXPECT_FALSE(board.Down(KEY_LATCH_SIZE));
}

}  // namespace
