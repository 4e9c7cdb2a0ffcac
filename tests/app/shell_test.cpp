#include "app/shell.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"
#include "game/assets.h"
#include "game/game_state.h"
#include "platform/standins/com.h"
#include "platform/standins/ddraw.h"
#include "platform/standins/stand_ins.h"
#include "support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Runs the real WinMain on the headless host, in a folder of test pictures, with a script
// that may set keys before each pass and look at the host after it.
class ShellTest : public HeadlessTest {
protected:
    ShellTest() : HeadlessTest(ShellReset) {}
    void WritePictures(bool withMenu1 = true) {
        BmpPalette fifth = TestBmpPalette();
        fifth[4 * 200 + 2] = 201;  // red of entry 200 differs from the other files
        for (int i = 1; i <= 4; ++i) {
            if (i == 1 && !withMenu1) continue;
            WriteBitmap8(dir.File("Menu" + std::to_string(i) + ".bmp"), 640, 480,
                         std::vector<uint8_t>(640 * 480, static_cast<uint8_t>(i)));
        }
        for (int i = 1; i <= 5; ++i) {
            WriteBitmap8(dir.File("LANDSCAPE" + std::to_string(i) + ".BMP"), 640, 480,
                         std::vector<uint8_t>(640 * 480, static_cast<uint8_t>(10 + i)),
                         i == 5 ? fifth : TestBmpPalette());
        }
        FILE* pal = std::fopen(dir.File("PALDATA2.PAL").c_str(), "w");
        for (int i = 0; i < 256; ++i) std::fprintf(pal, "9 9 9 0\n");
        std::fclose(pal);
    }

    int Run(uint64_t maxPasses) {
        maxPasses_ = maxPasses;
        ShellPassHooks hooks;
        hooks.before = [](uint64_t pass, void* self) {
            auto* test = static_cast<ShellTest*>(self);
            test->host.ReleaseAllKeys();
            if (test->beforePass) test->beforePass(pass);
            return pass < test->maxPasses_;
        };
        hooks.after = [](uint64_t pass, void* self) {
            auto* test = static_cast<ShellTest*>(self);
            ++test->passes;
            if (test->afterPass) test->afterPass(pass);
        };
        hooks.user = this;
        ShellSetPassHooks(hooks);
        WorkingFolder here(dir.path());
        return WinMain(Win32ModuleInstance(), nullptr, nullptr, 1);
    }

    TempDir dir;
    uint64_t passes = 0;
    uint64_t maxPasses_ = 0;
    std::function<void(uint64_t)> beforePass;
    std::function<void(uint64_t)> afterPass;
};

TEST_F(ShellTest, EscapeEndsTheProgramAfterAnotherPass) {
    WritePictures();
    beforePass = [&](uint64_t pass) { host.SetKey(VK_ESCAPE, pass == 0); };
    EXPECT_EQ(Run(1000), 0);
    // Pass 0 posts WM_DESTROY, pass 1 takes it (quit posted), the loop leaves before pass 2.
    EXPECT_EQ(passes, 2u);
}

TEST_F(ShellTest, ShutDownLeavesNoObjectBehind) {
    WritePictures();
    beforePass = [&](uint64_t pass) { host.SetKey(VK_ESCAPE, pass == 0); };
    const int before = ComLiveObjects();
    EXPECT_EQ(Run(1000), 0);
    EXPECT_EQ(ComLiveObjects(), before);
}

// The first release of each object of the display, the sounds and the songs, by its owner, and
// how many pictures were still held when the first of them went.
struct GivenBack {
    std::map<IUnknown*, std::string> owners;
    std::vector<IUnknown*> seen;
    std::vector<std::string> order;
    int picturesHeld = -1;
} givenBack;

void RecordGivenBack(IUnknown* object) {
    const auto owner = givenBack.owners.find(object);
    if (owner == givenBack.owners.end() || std::ranges::count(givenBack.seen, object) > 0) return;
    givenBack.seen.push_back(object);
    if (givenBack.order.empty()) {
        auto held = [](const BitmapImage& image) { return !image.pixels.empty(); };
        givenBack.picturesHeld =
            static_cast<int>(std::ranges::count_if(MenuImages, held) + std::ranges::count_if(LandscapeImages, held));
    }
    if (givenBack.order.empty() || givenBack.order.back() != owner->second) givenBack.order.push_back(owner->second);
}

TEST_F(ShellTest, ShutDownGivesBackThePicturesTheDisplayTheSoundsThenTheSongs) {
    MakeTestDataPack(dir.path());
    givenBack = GivenBack{};
    beforePass = [&](uint64_t pass) {
        if (pass < 3) return;
        for (IUnknown* o : std::initializer_list<IUnknown*>{Display.backClipper, Display.palette, Display.backSurface,
                                                            Display.primarySurface, Display.directDraw}) {
            givenBack.owners[o] = "display";
        }
        for (const SoundSlot& slot : SoundTable) givenBack.owners[slot.buffer] = "sounds";
        givenBack.owners[SoundDirectSound] = "sounds";
        for (const MidiSlot& slot : MidiTable) givenBack.owners[slot.segment] = "songs";
        givenBack.owners[MusicPerformance] = "songs";
        givenBack.owners[MusicLoader] = "songs";
        givenBack.owners.erase(nullptr);
        ComSetReleaseObserver(&RecordGivenBack);
    };
    Run(3);
    ComSetReleaseObserver(nullptr);
    EXPECT_EQ(givenBack.seen.size(), givenBack.owners.size());
    EXPECT_GE(givenBack.owners.size(), 5u + 7u + 1u + 7u + 2u);
    EXPECT_EQ(givenBack.picturesHeld, 0);
    EXPECT_EQ(givenBack.order, (std::vector<std::string>{"display", "sounds", "songs"}));
}

// The full screen's surfaces lost (the player switched away): the flip that meets them restores
// them and loses only its own frame.
TEST_F(ShellTest, AFlipOnLostSurfacesRestoresThem) {
    WritePictures();
    std::vector<uint64_t> shown;
    beforePass = [&](uint64_t pass) {
        if (pass == 3) DirectDrawLoseSurfaces(Display.directDraw);
    };
    afterPass = [&](uint64_t) { shown.push_back(host.presentCount()); };
    Run(6);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[3], shown[2]) << "the pass that met the lost surfaces shows nothing";
    EXPECT_EQ(shown[4], shown[3] + 1) << "the next one shows its frame";
    EXPECT_EQ(shown[5], shown[4] + 1);
}

// Away and back (WM_ACTIVATEAPP): the loop waits instead of running passes, and the way back
// restores what was lost meanwhile, so that no frame is lost.
TEST_F(ShellTest, AwayNoPassRunsAndTheWayBackRestoresTheSurfaces) {
    WritePictures();
    std::vector<uint64_t> shown;
    uint32_t leftAt = 0;
    afterPass = [&](uint64_t pass) {
        shown.push_back(host.presentCount());
        if (pass == 3) {
            DirectDrawLoseSurfaces(Display.directDraw);
            host.QueueFocusChange(false);
            host.QueueFocusChange(true);
            leftAt = GetTickCount();
        }
    };
    beforePass = [&](uint64_t pass) {
        if (pass == 4) {
            EXPECT_EQ(host.waits(), 1u) << "away: one wait, no pass";
            EXPECT_EQ(GetTickCount(), leftAt);
        }
    };
    Run(6);
    ASSERT_EQ(shown.size(), 6u);
    for (size_t pass = 1; pass < shown.size(); ++pass) EXPECT_EQ(shown[pass], shown[pass - 1] + 1) << pass;
}

TEST_F(ShellTest, PaintingValidatesTheWindowAndDrawsNothing) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.lpszClassName = "PAINTED";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "PAINTED", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    const uint64_t shown = host.presentCount();
    EXPECT_EQ(MainWindowProc(window, WM_PAINT, 0, 0), 0);
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << msg.message;
    EXPECT_EQ(host.presentCount(), shown);
    EXPECT_EQ(MainWindowProc(window, WM_CREATE, 0, 0), 0);
    EXPECT_EQ(MainWindowProc(window, WM_DESTROY, 0, 0), 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(ShellTest, QuitKeysOnTheFirstMenuScreen) {
    WritePictures();
    for (int key : {int{'Q'}, VK_F2}) {
        ProcessReset(ShellReset);
        passes = 0;
        beforePass = [&](uint64_t pass) { host.SetKey(key, pass == 0); };
        EXPECT_EQ(Run(1000), 0);
        EXPECT_EQ(passes, 2u) << key;
    }
}

TEST_F(ShellTest, HeldEscapeKeepsThePassesComingUntilReleased) {
    // Each pass posts another WM_DESTROY, and posted messages come before the quit message.
    WritePictures();
    beforePass = [&](uint64_t pass) { host.SetKey(VK_ESCAPE, pass < 10); };
    EXPECT_EQ(Run(1000), 0);
    EXPECT_EQ(passes, 11u);
}

TEST_F(ShellTest, ClosingTheWindowEndsTheProgram) {
    WritePictures();
    beforePass = [&](uint64_t pass) {
        if (pass == 3) host.RequestClose();
    };
    EXPECT_EQ(Run(1000), 0);
    EXPECT_EQ(passes, 5u);  // pass 4 took WM_CLOSE; the quit came before pass 5
    EXPECT_FALSE(host.windowOpen());
}

TEST_F(ShellTest, FirstPassShowsTheFirstMenuWithTheFifthLandscapesPalette) {
    WritePictures();
    afterPass = [&](uint64_t pass) {
        if (pass != 0) return;
        EXPECT_EQ(host.framePixels()[0], 1);
        EXPECT_EQ(host.framePixels()[640 * 480 - 1], 1);
        EXPECT_EQ(host.framePalette()[4 * 200], 201);
        EXPECT_EQ(host.framePalette()[4 * 7], 7);
        EXPECT_EQ(host.framePalette()[4 * 7 + 3], PC_NOCOLLAPSE);
        EXPECT_TRUE(host.fullscreen());
    };
    EXPECT_EQ(Run(3), 0);
    EXPECT_EQ(passes, 3u);
    EXPECT_EQ(host.windowTitle(), "DirectDraw 8-Bit Page Scrolling Demo");
    EXPECT_FALSE(host.cursorVisible());
    EXPECT_EQ(PaletteTable[200].peRed, 201);
}

TEST_F(ShellTest, MenuPassesLastTheirBudget) {
    WritePictures();
    std::vector<uint32_t> stamps;
    afterPass = [&](uint64_t) { stamps.push_back(host.TicksMs()); };
    Run(4);
    ASSERT_EQ(stamps.size(), 4u);
    for (size_t i = 1; i < stamps.size(); ++i) EXPECT_EQ(stamps[i] - stamps[i - 1], 100u);
}

TEST_F(ShellTest, MissingPictureShowsAClearedScreen) {
    WritePictures(false);
    afterPass = [&](uint64_t) { EXPECT_EQ(host.framePixels()[1234], 0); };
    EXPECT_EQ(Run(2), 0);
    EXPECT_EQ(passes, 2u);
}

TEST_F(ShellTest, NewGameKeyLeavesTheFirstMenu) {
    WritePictures();
    for (int key : {int{'N'}, VK_DECIMAL}) {
        ProcessReset(ShellReset);
        beforePass = [&](uint64_t pass) { host.SetKey(key, pass == 1); };
        Run(2);
        EXPECT_EQ(GameState.mode, ReadyScreen);
    }
}

TEST_F(ShellTest, NoDisplayEndsWinMainBeforeStartUp) {
    WritePictures();
    host.SetDisplayAvailable(false);
    EXPECT_EQ(Run(1000), 0);
    EXPECT_EQ(passes, 0u);
    EXPECT_EQ(MainWindowHandle, nullptr);
    EXPECT_EQ(Display.directDraw, nullptr);
}

}  // namespace
