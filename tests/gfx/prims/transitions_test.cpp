#include "gfx/prims/transitions.h"

#include "gfx/palette.h"
#include "gfx/prims/canvas.h"
#include "platform/host/host_headless.h"

#include <cstdlib>

namespace {

// Transitions run on the headless host, whose clock moves only by the transitions' own waits,
// so the waited time counts their steps exactly (12 ms each).
class TransitionsTest : public PrimsTest {
protected:
    void SetUp() override {
        PrimsTest::SetUp();
        PaletteReset();
        HostSet(&host_);
    }
    void TearDown() override {
        HostSet(nullptr);
        PaletteReset();
        PrimsTest::TearDown();
    }

    // A palette with every component somewhere in 0..255 and a flags byte to keep.
    static void SetRampPalette() {
        PALETTEENTRY entries[256];
        for (int i = 0; i < 256; ++i) {
            entries[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i),
                                      static_cast<BYTE>((i * 7) & 255), PC_NOCOLLAPSE};
        }
        PaletteSetAll(entries);
    }

    HeadlessHost host_;
};

TEST_F(TransitionsTest, FadeBlackTakesEightyStepsAndSparesEntryZero) {
    SetRampPalette();
    PlayTransition(FadeBlack, nullptr, 0);
    EXPECT_EQ(host_.waitedMs(), 80u * 12);
    EXPECT_EQ(PaletteTable[0].peRed, 0);
    EXPECT_EQ(PaletteTable[0].peGreen, 255);  // entry 0 keeps its colour
    EXPECT_EQ(PaletteTable[255].peRed, 15);   // 255 - 80 x 3: not yet black
    EXPECT_EQ(PaletteTable[1].peGreen, 14);   // 254 - 80 x 3
    EXPECT_EQ(PaletteTable[3].peRed, 0);      // small components go straight to 0
    EXPECT_EQ(PaletteTable[200].peFlags, PC_NOCOLLAPSE);
}

TEST_F(TransitionsTest, PaletteEffectsEndOnTheirPureColours) {
    struct Case {
        int effect;
        BYTE r, g, b;
    };
    for (const Case& c : {Case{FadeWhite, 255, 255, 255}, Case{TintRed, 255, 0, 0}, Case{TintGreen, 0, 255, 0},
                          Case{TintBlue, 0, 0, 255}}) {
        SetRampPalette();
        const uint64_t before = host_.waitedMs();
        PlayTransition(c.effect, nullptr, 0);
        EXPECT_EQ(host_.waitedMs() - before, 64u * 12) << c.effect;
        for (int i = 0; i < 256; ++i) {
            const PALETTEENTRY& e = PaletteTable[i];
            ASSERT_EQ(e.peRed, c.r) << c.effect << " entry " << i;
            ASSERT_EQ(e.peGreen, c.g) << c.effect << " entry " << i;
            ASSERT_EQ(e.peBlue, c.b) << c.effect << " entry " << i;
            ASSERT_EQ(e.peFlags, PC_NOCOLLAPSE);
        }
    }
}

TEST_F(TransitionsTest, ClosingEffectsCoverTheScreenInTheirStepCounts) {
    struct Case {
        int effect;
        uint64_t steps;
    };
    for (const Case& c : {Case{CloseColumns, 160}, Case{CloseRows, 120}, Case{CloseBoth, 160}}) {
        Canvas8 screen(640, 480, 9);
        const uint64_t before = host_.waitedMs();
        PlayTransition(c.effect, screen.memory(), screen.pitch());
        EXPECT_EQ(host_.waitedMs() - before, c.steps * 12) << c.effect;
        EXPECT_EQ(screen.Count(), 640 * 480) << c.effect;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) ASSERT_EQ(screen.at(x, y), 0) << c.effect;
        EXPECT_TRUE(screen.PaddingClean()) << c.effect;
    }
}

TEST_F(TransitionsTest, SixteenBitScreensCloseWithWords) {
    Display.screenBitsPerPixel = 16;
    Canvas16 screen(640, 480, 0xFFFF);
    PlayTransition(CloseBoth, screen.memory(), screen.pitch());
    EXPECT_EQ(screen.Count(), 640 * 480);
    EXPECT_EQ(screen.at(320, 240), 0);
    EXPECT_TRUE(screen.PaddingClean());
}

TEST_F(TransitionsTest, SpeckleSprinklesWithoutPausing) {
    Display.screenWidth = 64;
    Display.screenHeight = 48;
    std::srand(5);
    Canvas8 screen(64, 48, 9);
    PlayTransition(Speckle, screen.memory(), screen.pitch());
    EXPECT_EQ(host_.waitedMs(), 0u);
    // 4 x 64 x 48 + 1 random pixels leave about e^-4 (under 2 %) of the screen untouched.
    int untouched = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) untouched += screen.at(x, y) == 9 ? 1 : 0;
    EXPECT_LT(untouched, 64 * 48 * 4 / 100);
    EXPECT_TRUE(screen.PaddingClean());

    Display.screenBitsPerPixel = 16;
    Canvas16 words(64, 48, 0xFFFF);
    PlayTransition(Speckle, words.memory(), words.pitch());
    EXPECT_TRUE(words.PaddingClean());
    EXPECT_GT(words.Count(), 64 * 48 * 96 / 100);
}

TEST_F(TransitionsTest, UnknownEffectsAndUndrawableScreensOnlyPause) {
    SetRampPalette();
    Canvas8 screen(640, 480, 9);
    PlayTransition(9, screen.memory(), screen.pitch());
    PlayTransition(-1, screen.memory(), screen.pitch());
    EXPECT_EQ(host_.waitedMs(), 0u);
    EXPECT_EQ(PaletteTable[255].peRed, 255);

    // Another depth, or no memory: the steps still take their time, nothing is drawn.
    Display.screenBitsPerPixel = 24;
    PlayTransition(CloseRows, screen.memory(), screen.pitch());
    PlayTransition(Speckle, screen.memory(), screen.pitch());
    EXPECT_EQ(host_.waitedMs(), 120u * 12);
    Display.screenBitsPerPixel = 8;
    PlayTransition(CloseColumns, nullptr, 640);
    PlayTransition(Speckle, nullptr, 640);
    EXPECT_EQ(screen.Count(), 0);

    // A screen one row high has no half-height to wrap the rows by.
    Display.screenHeight = 1;
    Display.clipMaxY = 0;
    Canvas8 strip(640, 1, 9);
    PlayTransition(CloseBoth, strip.memory(), strip.pitch());
    EXPECT_EQ(strip.Count(), 640);  // the columns alone
}

}  // namespace
