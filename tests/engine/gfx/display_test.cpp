#include "engine/gfx/display.h"

#include "engine/core/main_window.h"
#include "engine/gfx/error_log.h"
#include "engine/gfx/palette.h"
#include "support/allocation_limit.h"
#include "support/engine_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// A display set up as the game does it, in a folder that may hold a palette file.
class DisplayTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        OpenMainWindow("DISPLAYTEST");
    }
    void TearDown() override {
        DisplayShutdown();
        DirectDrawSetDesktopBits(8);
        EngineTest::TearDown();
    }
    TempDir dir;
};

TEST_F(DisplayTest, FullScreenSetUpClearsAndClips) {
    WorkingFolder here(dir.path());
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    EXPECT_TRUE(host.fullscreen());
    ASSERT_NE(Display.backSurface, nullptr);
    EXPECT_EQ(Display.backSurface->width(), 640);
    EXPECT_EQ(Display.pixelFormat, 8);
    EXPECT_EQ(Display.packRgb16, PackRgb565);
    EXPECT_EQ(Display.clipMaxX, 639);
    EXPECT_EQ(Display.clipMaxY, 479);
    ASSERT_NE(Display.backClipper, nullptr);
    const RECT& bound = Display.backClipper->bound();
    EXPECT_EQ(bound.right, 640);
    EXPECT_EQ(bound.bottom, 480);
    // Both surfaces were cleared, the visible one shown, and a fill reaching past the screen is
    // clipped to it rather than refused.
    EXPECT_GE(host.presentCount(), 1u);
    EXPECT_EQ(DisplayFillRect(-10, -10, 10, 10, 5, Display.backSurface), 1);
    const uint8_t* back = Display.backSurface->memory();
    const int pitch = Display.backSurface->pitch();
    EXPECT_EQ(back[0], 5);
    EXPECT_EQ(back[9 * pitch + 9], 5);
    EXPECT_EQ(back[10 * pitch + 10], 0);
    EXPECT_EQ(back[479 * pitch + 639], 0);
    // Without the palette file every entry is black.
    for (const PALETTEENTRY& e : PaletteTable) {
        EXPECT_EQ(e.peRed | e.peGreen | e.peBlue | e.peFlags, 0);
    }
}

// Each surface made through the DirectDraw object holds a reference to it, so a frame still
// alive at the end keeps it past the display's release: the desktop's mode comes back all the same.
TEST_F(DisplayTest, ShutdownGivesTheDesktopBackWhileTheObjectLivesOn) {
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    IDirectDraw7* held = Display.directDraw;
    held->AddRef();
    DisplayShutdown();
    EXPECT_FALSE(host.fullscreen());
    DisplayReset();
    held->Release();
}

TEST_F(DisplayTest, FillsTakeTheirColoursLowSixteenOrAllBitsOnSixteenBitSurfaces) {
    ASSERT_EQ(DisplayInit(640, 480, 16, 0), 1);
    auto word = [](int x, int y) {
        const uint8_t* p = Display.backSurface->memory() + y * Display.backSurface->pitch() + 2 * x;
        return p[0] | (p[1] << 8);
    };
    RECT area{0, 0, 4, 1};
    EXPECT_EQ(DisplayFill(Display.backSurface, 0x12345, &area), 1);
    EXPECT_EQ(word(0, 0), 0x2345);
    EXPECT_EQ(DisplayFillRect(10, 10, 12, 11, 0x12345, Display.backSurface), 1);
    EXPECT_EQ(word(10, 10), 0x2345);
    EXPECT_EQ(word(12, 10), 0);
}

TEST_F(DisplayTest, PaletteFileFillsThePaletteObject) {
    WorkingFolder here(dir.path());
    {
        FILE* file = std::fopen("PALDATA2.PAL", "w");
        std::fputs("1 2 3 0\n4 5 6 0\n", file);
        std::fclose(file);
    }
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    EXPECT_EQ(PaletteTable[1].peBlue, 6);
    EXPECT_EQ(Display.palette->entries()[1].peRed, 4);
    EXPECT_EQ(Display.primarySurface->palette(), Display.palette);
}

TEST_F(DisplayTest, LocksDoNotNestAndBlockTheFlip) {
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    EXPECT_EQ(DisplayUnlockBack(), 0);
    uint8_t* first = DisplayLockBack();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(DisplayLockBack(), first);
    EXPECT_EQ(Display.backPitch, 640);
    const uint64_t presented = host.presentCount();
    EXPECT_EQ(DisplayFlip(), 0);
    EXPECT_EQ(host.presentCount(), presented);
    first[0] = 42;
    EXPECT_EQ(DisplayUnlockBack(), 1);
    EXPECT_EQ(Display.backMemory, nullptr);
    EXPECT_EQ(Display.backPitch, 0);
    EXPECT_EQ(DisplayFlip(), 1);
    EXPECT_EQ(host.presentCount(), presented + 1);
    EXPECT_EQ(host.framePixels()[0], 42);
}

TEST_F(DisplayTest, FillTakesTheLowSixteenBits) {
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    EXPECT_EQ(DisplayFill(Display.backSurface, 0x10007, nullptr), 1);
    uint8_t* memory = DisplayLockBack();
    EXPECT_EQ(memory[0], 7);
    EXPECT_EQ(memory[640 * 480 - 1], 7);
    DisplayUnlockBack();
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(DisplayFill(Display.backSurface, 3, &r), 1);
    EXPECT_EQ(DisplayFillRect(1, 0, 2, 1, 0x105, Display.backSurface), 1);
    memory = DisplayLockBack();
    EXPECT_EQ(memory[0], 3);
    EXPECT_EQ(memory[1], 5);
    EXPECT_EQ(memory[2], 7);
    DisplayUnlockBack();
}

TEST_F(DisplayTest, ClipperBoundGrowsOverItsRectangles) {
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    const RECT rects[] = {{10, 20, 30, 40}, {5, 30, 25, 50}};
    IDirectDrawClipper* clipper = DisplayAttachClipper(Display.backSurface, 2, rects);
    ASSERT_NE(clipper, nullptr);
    EXPECT_EQ(clipper->bound().left, 5);
    EXPECT_EQ(clipper->bound().top, 20);
    EXPECT_EQ(clipper->bound().right, 30);
    EXPECT_EQ(clipper->bound().bottom, 50);
    EXPECT_EQ(Display.backSurface->clipper(), clipper);
    clipper->Release();
    EXPECT_EQ(DisplayAttachClipper(nullptr, 2, rects), nullptr);
}

TEST_F(DisplayTest, AClipperWithoutMemoryForItsRegionIsNoneAndGone) {
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    const std::vector<RECT> rects(1u << 20, RECT{0, 0, 640, 480});  // a region of 16 MiB
    IDirectDrawClipper* held = Display.backSurface->clipper();
    const int before = ComLiveObjects();
    IDirectDrawClipper* clipper = nullptr;
    {
        AllocationLimit limit(1u << 20);
        clipper = DisplayAttachClipper(Display.backSurface, static_cast<int32_t>(rects.size()), rects.data());
    }
    EXPECT_EQ(clipper, nullptr);
    EXPECT_EQ(ComLiveObjects(), before);
    EXPECT_EQ(Display.backSurface->clipper(), held);
}

// A set-up refused at a step that counts stops there: what the steps before it made stays, and
// no later step runs (the sizes, 320 x 240 here, are stored after the display mode; the
// clippers come last).
TEST_F(DisplayTest, SetUpStopsAtTheFirstRefusalThatCounts) {
    HWND gone = OpenTestWindow("GONE");
    DestroyWindow(gone);
    HWND window = MainWindowHandle;
    const struct {
        const char* step;
        int32_t bits, windowed;
        HWND window;
        int desktopBits;
        size_t memory;  // allocations above it fail; 0 for no limit
        bool sizes, primary, palette;
    } cases[] = {
        {"cooperative level, full screen", 8, 0, gone, 8, 0, false, false, false},
        {"cooperative level, windowed", 8, 1, gone, 8, 0, false, false, false},
        {"display mode", 24, 0, window, 8, 0, false, false, false},
        {"attached back surface", 8, 0, window, 8, 1u << 15, true, false, false},
        {"palette attachment", 8, 1, window, 16, 0, true, true, true},
    };
    for (const auto& c : cases) {
        MainWindowHandle = c.window;
        DirectDrawSetDesktopBits(c.desktopBits);
        int32_t result = -1;
        {
            AllocationLimit limit(c.memory ? c.memory : SIZE_MAX);
            result = DisplayInit(320, 240, c.bits, c.windowed);
        }
        EXPECT_EQ(result, 0) << c.step;
        EXPECT_NE(Display.directDraw, nullptr) << c.step;
        EXPECT_EQ(Display.screenWidth == 320, c.sizes) << c.step;
        EXPECT_EQ(Display.primarySurface != nullptr, c.primary) << c.step;
        EXPECT_EQ(Display.palette != nullptr, c.palette) << c.step;
        EXPECT_EQ(Display.backClipper, nullptr) << c.step;
        EXPECT_EQ(Display.windowClipper, nullptr) << c.step;
        DisplayShutdown();
        DisplayReset();
    }
    MainWindowHandle = window;
}

std::vector<IUnknown*> firstReleases;
void RecordFirstRelease(IUnknown* object) {
    if (std::ranges::count(firstReleases, object) == 0) firstReleases.push_back(object);
}

TEST_F(DisplayTest, ShutdownReleasesTheClippersThePaletteTheSurfacesThenTheObject) {
    for (int32_t windowed : {0, 1}) {
        ASSERT_EQ(DisplayInit(640, 480, 8, windowed), 1);
        const DisplayRecord made = Display;
        std::vector<IUnknown*> order = {made.backClipper, made.windowClipper,  made.palette,
                                        made.backSurface, made.primarySurface, made.directDraw};
        std::erase(order, nullptr);
        EXPECT_EQ(order.size(), windowed ? 6u : 5u);
        firstReleases.clear();
        ComSetReleaseObserver(&RecordFirstRelease);
        EXPECT_EQ(DisplayShutdown(), 1);
        ComSetReleaseObserver(nullptr);
        EXPECT_EQ(firstReleases, order) << windowed;
        EXPECT_EQ(Display.directDraw, made.directDraw) << "the fields keep their values";
        DisplayReset();
    }
}

TEST_F(DisplayTest, WindowedDisplayPresentsByBlitting) {
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    EXPECT_FALSE(host.fullscreen());
    ASSERT_NE(Display.windowClipper, nullptr);
    // The twenty entries the system keeps, 0-9 and 246-255, and only they.
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(Display.palette->entries()[i].peFlags, i < 10 || i > 245 ? PC_EXPLICIT : 0) << i;
    }
    uint8_t* memory = DisplayLockBack();
    memory[641] = 9;
    DisplayUnlockBack();
    EXPECT_EQ(DisplayFlip(), 1);
    EXPECT_EQ(host.framePixels()[641], 9);
}

TEST_F(DisplayTest, WindowedPresentShowsTheWholePictureWhereverTheWindowIs) {
    MainWindowHandle = CreateWindowExA(0, "DISPLAYTEST", "", WS_POPUP | WS_VISIBLE, 100, 50, 640, 480, nullptr, nullptr,
                                       nullptr, nullptr);
    ASSERT_NE(MainWindowHandle, nullptr);
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    uint8_t* memory = DisplayLockBack();
    const int32_t pitch = Display.backPitch;
    memory[0] = 7;                  // the top-left corner
    memory[479 * pitch + 639] = 8;  // the bottom-right corner
    DisplayUnlockBack();
    EXPECT_EQ(DisplayFlip(), 1);
    ASSERT_EQ(host.frameWidth(), 640);
    ASSERT_EQ(host.frameHeight(), 480);
    EXPECT_EQ(host.framePixels()[0], 7);
    EXPECT_EQ(host.framePixels()[479 * 640 + 639], 8);
}

TEST_F(DisplayTest, FifteenBitDesktopChoosesTheFiveFiveFiveBuilder) {
    DirectDrawSetDesktopBits(15);
    TempDir logDir;
    const std::string logName = logDir.File("log.txt");
    ErrorLogOpen(logName.c_str(), nullptr);
    ASSERT_EQ(DisplayInit(640, 480, 16, 1), 1);
    ErrorLogClose();
    EXPECT_EQ(Display.pixelFormat, 15);
    EXPECT_EQ(Display.packRgb16, PackRgb555);
    const auto bytes = ReadBytes(logName);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("\npixel format = 15\npixel format = 5.5.5"), std::string::npos);
}

TEST(PackRgb, BuildsBothLayouts) {
    EXPECT_EQ(PackRgb565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(PackRgb555(255, 255, 255), 0x7FFF);
    EXPECT_EQ(PackRgb565(8, 4, 8), 0x0821);
    EXPECT_EQ(PackRgb565(255, 0, 0), 0xF800);
    EXPECT_EQ(PackRgb555(0, 255, 0), 0x03E0);
    // Out-of-range inputs stay inside their fields.
    EXPECT_EQ(PackRgb565(-1, 0, 0), 0xF800);
}

}  // namespace
