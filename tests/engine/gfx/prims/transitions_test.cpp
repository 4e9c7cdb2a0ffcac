#include "engine/gfx/prims/transitions.h"

#include "engine/gfx/palette.h"
#include "engine/gfx/prims/canvas.h"
#include "platform/host/host_headless.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

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

// A headless host that shows the surface to a check at the start of every 12 ms step, before
// the step draws: the check sees the picture after each earlier step.
class StepWatchingHost : public HeadlessHost {
public:
    std::function<void(int step)> atStep;

    void SleepMs(uint32_t ms) override {
        Watch();
        HeadlessHost::SleepMs(ms);
    }
    void SpinPause() override {
        Watch();
        HeadlessHost::SpinPause();
    }
    int steps() const { return nextStep_; }

private:
    void Watch() {
        if (waitedMs() == 12u * nextStep_) atStep(nextStep_++);
    }
    int nextStep_ = 0;
};

// The closing rule for CloseBoth, step by step: with q = p mod (height / 2), full-width rows at
// height - 1 - q, q, height - 2 - q and q + 1, then full-height columns at width - 1 - p, p,
// width - 2 - p and p + 1, all of colour 0 and cut to the clip rectangle.
template <typename Pixel>
void RuleCloseBothStep(Canvas<Pixel>& canvas, int p) {
    const int width = Display.screenWidth, height = Display.screenHeight;
    const int minX = std::max(0, Display.clipMinX), maxX = std::min(width - 1, Display.clipMaxX);
    const int minY = std::max(0, Display.clipMinY), maxY = std::min(height - 1, Display.clipMaxY);
    const int q = p % (height / 2);
    for (int y : {height - 1 - q, q, height - 2 - q, q + 1}) {
        if (y < minY || y > maxY) continue;
        for (int x = minX; x <= maxX; ++x) canvas.set(x, y, 0);
    }
    for (int x : {width - 1 - p, p, width - 2 - p, p + 1}) {
        if (x < minX || x > maxX) continue;
        for (int y = minY; y <= maxY; ++y) canvas.set(x, y, 0);
    }
}

template <typename Pixel>
void ExpectCloseBothFollowsTheRule(StepWatchingHost& host, Pixel background) {
    const int width = Display.screenWidth, height = Display.screenHeight;
    Canvas<Pixel> screen(width, height, background), expected(width, height, background);
    std::string wrong;  // where the picture first left the rule
    host.atStep = [&](int step) {
        if (step > 0) RuleCloseBothStep(expected, 2 * (step - 1));
        if (wrong.empty() && !screen.SameAs(expected)) {
            wrong = step == 0 ? "before the first step" : "after p = " + std::to_string(2 * (step - 1));
        }
    };
    PlayTransition(CloseBoth, screen.memory(), screen.pitch());
    const int last = 2 * (host.steps() - 1);
    RuleCloseBothStep(expected, last);
    if (wrong.empty() && !screen.SameAs(expected)) wrong = "after the last step, p = " + std::to_string(last);
    EXPECT_EQ(host.steps(), (width / 2 + 1) / 2);
    EXPECT_EQ(wrong, "");
}

TEST_F(TransitionsTest, CloseBothDrawsTheDocumentedRowsAndColumnsAtEveryStep) {
    struct Case {
        int width, height, depth;
        int clipMinX, clipMinY, clipMaxX, clipMaxY;
    };
    // The real screen; an odd width whose middle column only the rows reach, on a short screen;
    // a 16-bit one with a narrow clip rectangle.
    const Case cases[] = {{640, 480, 8, 0, 0, 639, 479}, {65, 12, 8, 0, 0, 64, 11}, {66, 20, 16, 3, 2, 60, 17}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.depth);
        Display.screenWidth = c.width;
        Display.screenHeight = c.height;
        Display.screenBitsPerPixel = c.depth;
        SetClip(c.clipMinX, c.clipMinY, c.clipMaxX, c.clipMaxY);
        StepWatchingHost host;
        HostSet(&host);
        if (c.depth == 8) {
            ExpectCloseBothFollowsTheRule<uint8_t>(host, 9);
        } else {
            ExpectCloseBothFollowsTheRule<uint16_t>(host, 0xFFFF);
        }
        HostSet(&host_);
    }
}

TEST_F(TransitionsTest, CloseBothRowsAloneReachTheMiddleColumnOfAnOddWidth) {
    // Nine columns: the two steps draw columns 8, 0, 7, 1 and 6, 2, 5, 3, never 4. Forty rows:
    // the rows of the two steps are 39, 0, 38, 1 and 37, 2, 36, 3.
    Display.screenWidth = 9;
    Display.screenHeight = 40;
    SetClip(0, 0, 8, 39);
    Canvas8 screen(9, 40, 9);
    PlayTransition(CloseBoth, screen.memory(), screen.pitch());
    for (int y = 0; y < 40; ++y) {
        const bool closed = y <= 3 || y >= 36;
        EXPECT_EQ(screen.at(4, y), closed ? 0 : 9) << y;
    }
    EXPECT_EQ(screen.Count(), 9 * 40 - 32);
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
