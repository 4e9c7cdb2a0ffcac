#include "engine/gfx/sprite.h"

#include "engine/gfx/display.h"
#include "support/allocation_limit.h"
#include "support/engine_support.h"

#include <vector>

namespace {

class SpriteTest : public DisplayedTest {
protected:
    void TearDown() override {
        SpriteDestroy(&sprite);
        SpriteDestroy(&other);
        DisplayedTest::TearDown();
    }
    void Create(int frames = 32, int attributes = SPRITE_ANIMATED | SPRITE_VISIBLE) {
        ASSERT_EQ(SpriteCreate(&sprite, 0, 0, 72, 74, frames, attributes, DDSCAPS_SYSTEMMEMORY, 0, 8), 1);
    }
    // A sheet of 4 x 2 cells of 72 x 74 whose pixels tell where they came from.
    static BitmapFile Sheet() {
        BitmapFile sheet;
        sheet.infoHeader.biWidth = 296;
        sheet.infoHeader.biHeight = 151;
        sheet.infoHeader.biBitCount = 8;
        sheet.pixels.resize(296 * 151);
        for (int y = 0; y < 151; ++y)
            for (int x = 0; x < 296; ++x)
                sheet.pixels[static_cast<size_t>(y * 296 + x)] = static_cast<uint8_t>((x + 7 * y) % 251 + 1);
        return sheet;
    }
    uint8_t FramePixel(int frame, int x, int y) {
        IDirectDrawSurface7* s = sprite.frames[static_cast<size_t>(frame)];
        return s->memory()[y * s->pitch() + x];
    }
    Sprite sprite;
    Sprite other;
};

TEST_F(SpriteTest, AnimationStepsEverySixthCallAndStartsOver) {
    Create();
    const int32_t list[] = {0, 1, 2, 1};
    ASSERT_EQ(SpriteLoadAnimation(&sprite, 0, 4, list), 1);
    ASSERT_EQ(sprite.animations[0]->size(), 5u);
    EXPECT_EQ(sprite.animations[0]->back(), -1);
    SpriteSetAnimation(&sprite, 0);
    SpriteSetAnimationSpeed(&sprite, 6);
    std::vector<int32_t> shown;
    for (int call = 1; call <= 30; ++call) {
        SpriteAnimate(&sprite);
        if (call % 6 == 0) {
            shown.push_back(sprite.currentFrame);
        }
        if (call == 5) {
            EXPECT_EQ(sprite.currentFrame, 0);
        }
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{1, 2, 1, 0, 1}));
}

TEST_F(SpriteTest, PlayOnceStopsOnTheLastEntry) {
    Create(32, SPRITE_ANIMATED | SPRITE_PLAY_ONCE | SPRITE_VISIBLE);
    const int32_t list[] = {0, 1, 2, 1};
    SpriteLoadAnimation(&sprite, 0, 4, list);
    SpriteSetAnimationSpeed(&sprite, 1);
    for (int i = 0; i < 3; ++i) SpriteAnimate(&sprite);
    EXPECT_EQ(sprite.currentFrame, 1);
    EXPECT_EQ(sprite.animationState, 0);
    for (int i = 0; i < 5; ++i) {
        SpriteAnimate(&sprite);
        EXPECT_EQ(sprite.currentFrame, 1);
        EXPECT_EQ(sprite.animationState, 1);
    }
}

TEST_F(SpriteTest, StillWinsAndCycleWraps) {
    Create(32, SPRITE_STILL | SPRITE_ANIMATED | SPRITE_VISIBLE);
    sprite.currentFrame = 5;
    SpriteAnimate(&sprite);
    EXPECT_EQ(sprite.currentFrame, 0);
    sprite.attributes = SPRITE_CYCLE;
    sprite.currentFrame = 31;
    SpriteSetAnimationSpeed(&sprite, 0);
    SpriteAnimate(&sprite);
    EXPECT_EQ(sprite.currentFrame, 0);
    // Cycling goes before the animation's list.
    const int32_t list[] = {12, 13};
    SpriteLoadAnimation(&sprite, 0, 2, list);
    sprite.attributes = SPRITE_CYCLE | SPRITE_ANIMATED;
    sprite.currentFrame = 5;
    SpriteAnimate(&sprite);
    EXPECT_EQ(sprite.currentFrame, 6);
}

TEST_F(SpriteTest, SetAnimationKeepsTheFrameUntilTheNextStep) {
    Create();
    const int32_t walk[] = {0, 1, 2, 1};
    const int32_t strike[] = {12, 13, 14};
    SpriteLoadAnimation(&sprite, 0, 4, walk);
    SpriteLoadAnimation(&sprite, 2, 3, strike);
    SpriteSetAnimationSpeed(&sprite, 1);
    SpriteAnimate(&sprite);
    SpriteSetAnimation(&sprite, 2);
    EXPECT_EQ(sprite.currentFrame, 1);
    SpriteAnimate(&sprite);
    EXPECT_EQ(sprite.currentFrame, 13);  // the first step goes to the list's second entry
}

TEST_F(SpriteTest, CellModeCutsFromTheGrid) {
    Create();
    const BitmapFile sheet = Sheet();
    ASSERT_EQ(SpriteLoadFrame(&sprite, &sheet, 16, 1, 1, 0), 1);
    EXPECT_EQ(FramePixel(16, 0, 0), sheet.pixels[76 * 296 + 74]);
    EXPECT_EQ(FramePixel(16, 71, 73), sheet.pixels[(76 + 73) * 296 + 74 + 71]);
    ASSERT_EQ(SpriteLoadFrame(&sprite, &sheet, 0, 0, 0, 0), 1);
    EXPECT_EQ(FramePixel(0, 0, 0), sheet.pixels[1 * 296 + 1]);
    EXPECT_NE(sprite.attributes & SPRITE_LOADED, 0);
}

TEST_F(SpriteTest, RefusesWhatLeavesItsLimits) {
    EXPECT_EQ(SpriteCreate(&sprite, 0, 0, 72, 74, 65, 0, 0, 0, 8), 0);
    Create();
    const BitmapFile sheet = Sheet();
    EXPECT_EQ(SpriteLoadFrame(&sprite, &sheet, 0, 4, 0, 0), 0);  // a fifth column is not there
    EXPECT_EQ(SpriteLoadFrame(&sprite, &sheet, 0, 0, 2, 0), 0);
    EXPECT_EQ(SpriteLoadFrame(&sprite, &sheet, 0, 250, 0, 1), 0);
    EXPECT_EQ(SpriteLoadFrame(&sprite, &sheet, 32, 0, 0, 0), 0);  // no such frame
    const BitmapFile empty;
    EXPECT_EQ(SpriteLoadFrame(&sprite, &empty, 0, 0, 0, 0), 0);
    const int32_t bad[] = {0, 32};
    EXPECT_EQ(SpriteLoadAnimation(&sprite, 0, 2, bad), 0);
    EXPECT_EQ(SpriteLoadAnimation(&sprite, 16, 1, bad), 0);
    EXPECT_EQ(SpriteLoadAnimation(&sprite, 0, 0, bad), 0);
    EXPECT_EQ(SpriteSetAnimation(&sprite, -1), 0);
    EXPECT_EQ(SpriteDraw(nullptr, Display.backSurface), 0);
}

TEST_F(SpriteTest, AnAnimationWithoutMemoryLeavesItsSlotEmpty) {
    Create();
    const int32_t walk[] = {0, 1, 2, 1};
    ASSERT_EQ(SpriteLoadAnimation(&sprite, 0, 4, walk), 1);
    const std::vector<int32_t> longList(1u << 20, 3);  // 4 MiB of frame numbers
    int32_t loaded = 1;
    {
        AllocationLimit limit(1u << 20);
        loaded = SpriteLoadAnimation(&sprite, 0, static_cast<int32_t>(longList.size()), longList.data());
    }
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(sprite.animations[0], nullptr);
}

TEST_F(SpriteTest, SixteenBitLoadsFitOnlyFramesOfSixteenBits) {
    // The game's frames are 8-bit: rows of two bytes a pixel do not fit them.
    Create();
    BitmapFile sheet = Sheet();
    sheet.infoHeader.biWidth = 148;  // the same bytes read as 148 x 151 words
    EXPECT_EQ(SpriteLoadFrame16(&sprite, &sheet, 0, 0, 0, 1), 0);
    EXPECT_EQ(sprite.attributes & SPRITE_LOADED, 0);
    EXPECT_EQ(FramePixel(0, 0, 0), 0);
    // On a 16-bit display the frames are 16-bit and the same load fills them.
    SpriteDestroy(&sprite);
    DisplayShutdown();
    DisplayReset();
    ASSERT_EQ(DisplayInit(640, 480, 16, 0), 1);
    ASSERT_EQ(SpriteCreate(&sprite, 0, 0, 72, 74, 1, 0, DDSCAPS_SYSTEMMEMORY, 0, 16), 1);
    ASSERT_EQ(SpriteLoadFrame16(&sprite, &sheet, 0, 1, 2, 1), 1);
    IDirectDrawSurface7* frame = sprite.frames[0];
    EXPECT_EQ(frame->memory()[0], sheet.pixels[2 * 296 + 2]);
    EXPECT_EQ(frame->memory()[73 * frame->pitch() + 143], sheet.pixels[(2 + 73) * 296 + 2 + 143]);
}

TEST_F(SpriteTest, DrawTruncatesAndClipsAtTheScreenEdge) {
    Create();
    const BitmapFile sheet = Sheet();
    SpriteLoadFrame(&sprite, &sheet, 0, 0, 0, 0);
    DisplayFill(Display.backSurface, 0, nullptr);
    sprite.x = -10.7f;
    sprite.y = 5.0f;
    EXPECT_EQ(SpriteDraw(&sprite, Display.backSurface), 1);
    // Left edge at -10, right edge at (int)(72 - 10.7) = 61: the frame is drawn 71 wide, and
    // column 0 of the screen shows column 10 of it.
    EXPECT_EQ(BackPixel(0, 5), FramePixel(0, 10, 0));
    EXPECT_EQ(BackPixel(60, 5), FramePixel(0, 70, 0));
    EXPECT_EQ(BackPixel(61, 5), 0);
}

TEST_F(SpriteTest, ColourKeyZeroIsTransparentAndHiddenSpritesDrawNothing) {
    Create();
    DisplayFill(Display.backSurface, 7, nullptr);
    BitmapFile sheet = Sheet();
    sheet.pixels[1 * 296 + 1] = 0;
    SpriteLoadFrame(&sprite, &sheet, 0, 0, 0, 0);
    SpriteDraw(&sprite, Display.backSurface);
    EXPECT_EQ(BackPixel(0, 0), 7);
    EXPECT_EQ(BackPixel(1, 0), FramePixel(0, 1, 0));
    SpriteHide(&sprite);
    DisplayFill(Display.backSurface, 7, nullptr);
    EXPECT_EQ(SpriteDraw(&sprite, Display.backSurface), 1);
    EXPECT_EQ(BackPixel(1, 0), 7);
    sprite.currentFrame = 40;
    SpriteShow(&sprite);
    EXPECT_EQ(SpriteDraw(&sprite, Display.backSurface), 0);
}

TEST_F(SpriteTest, ScaledDrawStretchesTheFrame) {
    Create();
    const BitmapFile sheet = Sheet();
    SpriteLoadFrame(&sprite, &sheet, 0, 0, 0, 0);
    EXPECT_EQ(SpriteDrawScaled(&sprite, 144, 148, Display.backSurface), 1);
    EXPECT_EQ(BackPixel(2, 2), FramePixel(0, 1, 1));
    EXPECT_EQ(BackPixel(143, 147), FramePixel(0, 71, 73));
    // From the far left, a frame stretched over 2^31 pixels shows its middle column on screen.
    sprite.x = -1073741824.0f;
    EXPECT_EQ(SpriteDrawScaled(&sprite, INT32_MAX, 74, Display.backSurface), 1);
    for (int y : {0, 5, 73}) {
        EXPECT_EQ(BackPixel(0, y), FramePixel(0, 36, y)) << y;
        EXPECT_EQ(BackPixel(639, y), FramePixel(0, 36, y)) << y;
    }
}

TEST_F(SpriteTest, DestroyEmptiesAndCreateReleasesWhatWasHeld) {
    const int before = ComLiveObjects();
    for (int i = 0; i < 50; ++i) Create();
    EXPECT_EQ(ComLiveObjects(), before + 32);
    SpriteDestroy(&sprite);
    EXPECT_EQ(ComLiveObjects(), before);
    EXPECT_EQ(SpriteDraw(&sprite, Display.backSurface), 0);
    sprite.attributes |= SPRITE_ANIMATED;
    EXPECT_EQ(SpriteAnimate(&sprite), 1);  // an emptied sprite animates to no effect
}

TEST_F(SpriteTest, DestroyingACloneLeavesTheOriginalDrawable) {
    Create();
    const BitmapFile sheet = Sheet();
    SpriteLoadFrame(&sprite, &sheet, 0, 0, 0, 0);
    ASSERT_EQ(SpriteClone(&sprite, &other), 1);
    EXPECT_NE(other.attributes & SPRITE_CLONE, 0);
    EXPECT_EQ(other.frames[0], sprite.frames[0]);
    EXPECT_EQ(SpriteClone(&sprite, &sprite), 0);
    SpriteDestroy(&other);
    EXPECT_EQ(SpriteDraw(&sprite, Display.backSurface), 1);
    // And the other way round: the clone outlives its original safely.
    SpriteClone(&sprite, &other);
    SpriteDestroy(&sprite);
    EXPECT_EQ(SpriteDraw(&other, Display.backSurface), 1);
}

TEST_F(SpriteTest, MoveWrapsAndBouncesAtEveryEdge) {
    // The clip rectangle is the 640 x 480 screen; the sprite is 72 x 74.
    struct Case {
        const char* what;
        int32_t attributes;
        float x, y, vx, vy;
        float wantX, wantY, wantVx, wantVy;
    };
    const Case cases[] = {
        {"wraps off the right", SPRITE_WRAP, 638, 100, 2, 0, -72, 100, 2, 0},
        {"wrapping goes before bouncing", SPRITE_WRAP | SPRITE_BOUNCE, 638, 100, 2, 0, -72, 100, 2, 0},
        {"stays at the right edge", SPRITE_WRAP, 637, 100, 2, 0, 639, 100, 2, 0},
        {"wraps off the left", SPRITE_WRAP, -71, 100, -2, 0, 639, 100, -2, 0},
        {"wraps off the bottom", SPRITE_WRAP, 100, 478, 0, 2, 100, -74, 0, 2},
        {"wraps off the top", SPRITE_WRAP, 100, -73, 0, -2, 100, 479, 0, -2},
        {"bounces off the right", SPRITE_BOUNCE, 566, 100, 2, 0, 568, 100, -2, 0},
        {"bounces off the left", SPRITE_BOUNCE, 1, 100, -2, 0, -1, 100, 2, 0},
        {"bounces off the bottom", SPRITE_BOUNCE, 100, 404, 0, 2, 100, 406, 0, -2},
        {"bounces off the top", SPRITE_BOUNCE, 100, 1, 0, -2, 100, -1, 0, 2},
    };
    sprite.width = 72;
    sprite.height = 74;
    for (const Case& c : cases) {
        sprite.attributes = c.attributes;
        sprite.x = c.x;
        sprite.y = c.y;
        sprite.xVelocity = c.vx;
        sprite.yVelocity = c.vy;
        EXPECT_EQ(SpriteMove(&sprite), 1);
        EXPECT_FLOAT_EQ(sprite.x, c.wantX) << c.what;
        EXPECT_FLOAT_EQ(sprite.y, c.wantY) << c.what;
        EXPECT_FLOAT_EQ(sprite.xVelocity, c.wantVx) << c.what;
        EXPECT_FLOAT_EQ(sprite.yVelocity, c.wantVy) << c.what;
    }
}

TEST_F(SpriteTest, CollisionUsesThreeEighthsOfTheSize) {
    sprite.width = other.width = 72;
    sprite.height = other.height = 74;
    other.x = 53;
    EXPECT_EQ(SpritesCollide(&sprite, &other), 1);
    other.x = 54;
    EXPECT_EQ(SpritesCollide(&sprite, &other), 0);
    other.x = 0;
    other.y = 55;
    EXPECT_EQ(SpritesCollide(&sprite, &other), 1);
    other.y = 56;
    EXPECT_EQ(SpritesCollide(&sprite, &other), 0);
}

}  // namespace
