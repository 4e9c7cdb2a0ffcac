#include "platform/services/pad.h"

#include "platform/win/win32.h"

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

// Held, tapped and unplugged pads are tested through SDL in the smoke folder; here what SDL's
// virtual pads cannot easily show.
TEST(PadKeyBoard, TwoPadsHoldTogether) {
    PadKeyBoard board;
    PadState left;
    left.dpadLeft = true;
    PadState blocking;
    blocking.x = true;
    board.Update(1, left);
    board.Update(2, blocking);
    EXPECT_TRUE(board.TakeKeyDown(VK_LEFT));
    EXPECT_TRUE(board.TakeKeyDown(VK_CONTROL));
    board.Update(1, PadState{});
    EXPECT_FALSE(board.TakeKeyDown(VK_LEFT));
    EXPECT_TRUE(board.TakeKeyDown(VK_CONTROL));
}

TEST(PadKeyBoard, KeysOutsideTheTableAreNeverDown) {
    PadKeyBoard board;
    EXPECT_FALSE(board.TakeKeyDown(-1));
    EXPECT_FALSE(board.TakeKeyDown(256));
    EXPECT_FALSE(board.TakeKeyDown('Q'));
}

}  // namespace
