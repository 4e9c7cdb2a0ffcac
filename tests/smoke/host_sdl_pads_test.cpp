// The SDL host's game controllers, end to end through SDL: virtual pads are plugged in, pressed
// and pulled out, and the host's key questions answer as the game would ask them.
#include "platform/host/host_sdl.h"
#include "platform/standins/win32.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class SdlPadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // No display is needed, and the window of SDL's display-less driver never has the
        // focus that a pad's events otherwise wait for.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_TRUE(HostSdl().WindowOpen("pad test", 640, 480));
    }
    static void TearDownTestSuite() { HostSdl().WindowClose(); }

    void TearDown() override {
        if (joystick_) SDL_JoystickClose(joystick_);
        if (device_ >= 0) SDL_JoystickDetachVirtual(device_);
        Pump();
        for (int key : {VK_LEFT, VK_RIGHT, VK_SPACE, VK_CONTROL, int{'N'}, VK_ESCAPE}) Ask(key);
    }

    // Plugs in a virtual pad laid out as SDL's standard controller.
    void PlugIn() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "test pad";
        device_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(device_, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(device_);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        Pump();
    }
    void PullOut() {
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        SDL_JoystickDetachVirtual(device_);
        device_ = -1;
        Pump();
    }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
        Pump();
    }
    void Stick(int x) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
        Pump();
    }
    // One pass of the game's message loop: the host takes its events.
    static void Pump() {
        std::vector<HostEvent> events;
        HostSdl().PumpEvents(events);
    }
    static bool Ask(int virtualKey) { return HostSdl().KeyDown(virtualKey); }

    int device_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(SdlPadTest, ButtonsAreTheGameKeysWhileHeld) {
    PlugIn();
    EXPECT_FALSE(Ask(VK_SPACE));
    Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(Ask(VK_SPACE));
    EXPECT_TRUE(Ask(VK_SPACE));
    Button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_FALSE(Ask(VK_SPACE));

    Button(SDL_CONTROLLER_BUTTON_X, true);
    Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_TRUE(Ask(VK_CONTROL));
    EXPECT_TRUE(Ask(VK_RIGHT));
    EXPECT_FALSE(Ask(VK_LEFT));
}

TEST_F(SdlPadTest, AQuickTapBetweenPassesIsNotLost) {
    PlugIn();
    SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_START, 1);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_START, 0);
    Pump();
    EXPECT_TRUE(Ask('N'));
    EXPECT_TRUE(Ask('N')) << "asking takes nothing";
    Pump();
    EXPECT_FALSE(Ask('N')) << "the tap counted for one pass";
}

TEST_F(SdlPadTest, StickWalksAndBackWithStartQuits) {
    PlugIn();
    Stick(-30000);
    EXPECT_TRUE(Ask(VK_LEFT));
    Stick(0);
    EXPECT_FALSE(Ask(VK_LEFT));
    Button(SDL_CONTROLLER_BUTTON_BACK, true);
    Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(Ask(VK_ESCAPE));
    EXPECT_FALSE(Ask('N'));
}

TEST_F(SdlPadTest, PullingOutAPadReleasesItsKeysAndAnotherCanComeIn) {
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_TRUE(Ask(VK_LEFT));
    PullOut();
    EXPECT_FALSE(Ask(VK_LEFT));
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(Ask(VK_CONTROL));
}

// The keyboard answers alongside the pads; Alt+Enter and F12 are the host's and no game key.
TEST_F(SdlPadTest, KeyboardTapsCountAlongsidePadsAndHostKeysStayInTheHost) {
    auto press = [](SDL_Scancode code, Uint16 mod) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.keysym.scancode = code;
        event.key.keysym.sym = SDL_GetKeyFromScancode(code);
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
        event.type = SDL_KEYUP;
        event.key.state = SDL_RELEASED;
        SDL_PushEvent(&event);
    };
    press(SDL_SCANCODE_SPACE, KMOD_NONE);
    Pump();
    EXPECT_TRUE(Ask(VK_SPACE));
    Pump();
    EXPECT_FALSE(Ask(VK_SPACE));
    press(SDL_SCANCODE_N, KMOD_LALT);
    Pump();
    EXPECT_TRUE(Ask('N'));
    press(SDL_SCANCODE_RETURN, KMOD_LALT);
    press(SDL_SCANCODE_F12, KMOD_NONE);
    Pump();
    for (int key : {VK_LEFT, VK_RIGHT, VK_SPACE, VK_CONTROL, int{'N'}, VK_ESCAPE}) {
        EXPECT_FALSE(Ask(key)) << key;
    }
}

// The window losing the keyboard holds the game: every key goes up at once, and the host says so
// (and again when the keyboard comes back).
TEST_F(SdlPadTest, LosingTheKeyboardLetsEveryKeyGo) {
    auto push = [](SDL_Event event) { SDL_PushEvent(&event); };
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.state = SDL_PRESSED;
    key.key.keysym.scancode = SDL_SCANCODE_LEFT;
    push(key);
    Pump();
    EXPECT_TRUE(Ask(VK_LEFT));
    SDL_Event window{};
    window.type = SDL_WINDOWEVENT;
    auto pumpWith = [&](SDL_WindowEventID id) {
        window.window.event = id;
        push(window);
        std::vector<HostEvent> events;
        HostSdl().PumpEvents(events);
        return events.size() == 1 ? events[0].type : HostEventType::Close;
    };
    EXPECT_EQ(pumpWith(SDL_WINDOWEVENT_FOCUS_LOST), HostEventType::FocusLost);
    EXPECT_FALSE(Ask(VK_LEFT));
    EXPECT_EQ(pumpWith(SDL_WINDOWEVENT_FOCUS_GAINED), HostEventType::FocusGained);
    EXPECT_FALSE(Ask(VK_LEFT)) << "held through the switch, but its press went to the other window";
}

}  // namespace
