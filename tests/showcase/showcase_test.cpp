#include "engine/core/engine.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"
#include "png_reader.h"
#include "scenes.h"
#include "showcase.h"
#include "support/test_support.h"
#include "build_paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace {

namespace fs = std::filesystem;

// One headless run of every scene for the whole suite (with the data pack's landscapes when the
// build made them), its frames read back by name.
class ShowcaseRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<TempDir>();
        std::unique_ptr<WorkingFolder> data;
        if (fs::exists(fs::path(GAIABLADE_BUILD_DATA_DIR) / "LANDSCAPE1.BMP")) {
            data = std::make_unique<WorkingFolder>(GAIABLADE_BUILD_DATA_DIR);
        }
        ShowcaseOptions options;
        options.headless = true;
        options.framesFolder = folder_->path().string();
        options.framesPerScene = 6;
        status_ = ShowcaseRun(options);
        for (const auto& entry : fs::directory_iterator(folder_->path())) {
            frames_[entry.path().stem().string()] = PngRead(ReadBytes(entry.path().string()));
        }
    }
    static void TearDownTestSuite() {
        frames_.clear();
        folder_.reset();
    }

    static const PngImage& Frame(const std::string& name) {
        static const PngImage missing{};
        const auto found = frames_.find(name);
        EXPECT_NE(found, frames_.end()) << name;
        return found == frames_.end() ? missing : found->second;
    }

    // The share of the frame's pixels for which `test(x, y)` holds.
    template <typename Test>
    static double Share(const PngImage& image, Test test) {
        int count = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) count += test(x, y) ? 1 : 0;
        return image.width ? static_cast<double>(count) / (image.width * image.height) : 0;
    }

    static inline std::unique_ptr<TempDir> folder_;
    static inline int status_ = -1;
    static inline std::map<std::string, PngImage> frames_;
};

TEST_F(ShowcaseRunTest, EveryScenePlaysAndLeavesReadableFrames) {
    EXPECT_EQ(status_, 0);
    const std::vector<Scene>& scenes = ShowcaseScenes();
    ASSERT_EQ(scenes.size(), 15u);  // five drawn scenes, the nine transitions and the 16-bit scene
    for (size_t i = 0; i < scenes.size(); ++i) {
        if (scenes[i].bitsPerPixel != 8) continue;  // frames are palette pictures: 8-bit scenes only
        char prefix[64];
        std::snprintf(prefix, sizeof prefix, "%02zu-%s-", i, scenes[i].slug);
        int found = 0;
        for (const auto& [name, image] : frames_) {
            if (name.rfind(prefix, 0) != 0) continue;
            ++found;
            EXPECT_EQ(image.error, "") << name;
            EXPECT_EQ(image.width, 640) << name;
            EXPECT_EQ(image.height, 480) << name;
        }
        EXPECT_GE(found, 2) << prefix;
    }
}

TEST_F(ShowcaseRunTest, PaletteEffectsEndOnTheirColours) {
    const auto all = [](const PngImage& image, uint32_t rgb) {
        return Share(image, [&](int x, int y) { return image.Rgb(x, y) == rgb; });
    };
    EXPECT_EQ(all(Frame("06-transition-FadeWhite-after"), 0xFFFFFF), 1.0);
    EXPECT_EQ(all(Frame("11-transition-TintBlue-after"), 0x0000FF), 1.0);
    EXPECT_EQ(all(Frame("12-transition-TintRed-after"), 0xFF0000), 1.0);
    EXPECT_EQ(all(Frame("13-transition-TintGreen-after"), 0x00FF00), 1.0);
    // Faded to black but for entry 0, which the fade leaves alone.
    const PngImage& black = Frame("05-transition-FadeBlack-after");
    EXPECT_EQ(Share(black,
                    [&](int x, int y) {
                        const uint32_t c = black.Rgb(x, y);
                        return black.Index(x, y) == 0 || ((c >> 16) <= 15 && ((c >> 8) & 255) <= 15 && (c & 255) <= 15);
                    }),
              1.0);
    // Before it, a picture.
    const PngImage& before = Frame("05-transition-FadeBlack-before");
    EXPECT_LT(Share(before, [&](int x, int y) { return before.Index(x, y) == 0; }), 0.5);
}

TEST_F(ShowcaseRunTest, DrawingEffectsCloseTheWholePictureStepByStep) {
    for (const char* name :
         {"07-transition-CloseColumns-after", "08-transition-CloseRows-after", "10-transition-CloseBoth-after"}) {
        const PngImage& image = Frame(name);
        EXPECT_EQ(Share(image, [&](int x, int y) { return image.Index(x, y) == 0; }), 1.0) << name;
    }
    const PngImage& speckle = Frame("09-transition-Speckle-after");
    EXPECT_GT(Share(speckle, [&](int x, int y) { return speckle.Index(x, y) == 0; }), 0.95);

    // At the 24th pause 23 steps have drawn: columns 0-45 and 594-639 are closed, and the
    // picture still shows between them.
    const PngImage& halfway = Frame("07-transition-CloseColumns-step24");
    const auto closed = [&](int x) {
        for (int y = 0; y < 480; ++y)
            if (halfway.Index(x, y) != 0) return false;
        return true;
    };
    for (int x = 0; x <= 45; ++x) EXPECT_TRUE(closed(x) && closed(639 - x)) << x;
    EXPECT_LT(Share(halfway, [&](int x, int y) { return halfway.Index(x, y) == 0; }), 0.5);
}

TEST_F(ShowcaseRunTest, PaletteSceneMovesItsColoursWithoutRedrawing) {
    const PngImage& first = Frame("03-palette-frame0");
    const PngImage& later = Frame("03-palette-frame5");
    EXPECT_EQ(first.Index(320, 200), later.Index(320, 200));
    EXPECT_NE(first.Rgb(320, 200), later.Rgb(320, 200));
}

TEST_F(ShowcaseRunTest, TriangleSceneShowsTheTwoEdgeArithmeticsApart) {
    // Row 11 of the example triangle: float edges fill columns 10-19, fixed point 11-20. In
    // the enlarged patches (9 pixels a cell, the triangle moved by -8) that is patch row 3.
    const PngImage& image = Frame("01-triangles-frame0");
    const auto lit = [&](int patchLeft, int column) {
        return image.Rgb(patchLeft + column * 9 + 4, 324 + 3 * 9 + 4) == 0xFAE632;
    };
    EXPECT_TRUE(lit(88, 2));
    EXPECT_FALSE(lit(88, 12));
    EXPECT_FALSE(lit(408, 2));
    EXPECT_TRUE(lit(408, 12));
}

// The 16-bit scene on a 16-bit display: a sky of packed shades, and the sprite's 16-bit frames
// drawn plain and scaled over the shapes.
class SixteenBitSceneTest : public HeadlessTest {
protected:
    SixteenBitSceneTest() : HeadlessTest(EngineReset) {}
    static uint16_t Word(int x, int y) {
        uint16_t word = 0;
        std::memcpy(&word, Display.backSurface->memory() + y * Display.backSurface->pitch() + 2 * x, 2);
        return word;
    }
};

TEST_F(SixteenBitSceneTest, DrawsWithTheSixteenBitTwins) {
    MainWindowHandle = OpenTestWindow("SIXTEEN");
    ASSERT_EQ(DisplayInit(640, 480, 16, 0), 1);
    const Scene scene = ShowcaseScenes().back();
    ASSERT_EQ(scene.bitsPerPixel, 16);
    scene.begin();
    uint8_t* memory = DisplayLockBack();
    ASSERT_NE(memory, nullptr);
    scene.draw(0, memory, Display.backPitch);
    DisplayUnlockBack();
    scene.annotate(0);
    std::set<uint16_t> shades;
    for (int y = 24; y < 480; ++y) shades.insert(Word(2, y));
    EXPECT_GT(shades.size(), 16u);
    // The emblem's inner ring, from its frame 0 at (40, 410) and three times as large at (300, 40).
    const uint16_t ring = Display.packRgb16(80, 255, 60);
    EXPECT_EQ(Word(40 + 22, 410 + 22), ring);
    EXPECT_EQ(Word(300 + 3 * 22 + 1, 40 + 3 * 22 + 1), ring);
    scene.end();
    DisplayShutdown();
}

}  // namespace
