#include "engine/gfx/palette.h"

#include "engine/gfx/display.h"
#include "support/engine_support.h"

#include <cstdio>
#include <string>

namespace {

class PaletteTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        void* made = nullptr;
        DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr);
        dd = static_cast<IDirectDraw7*>(made);
        PALETTEENTRY zero[256] = {};
        dd->CreatePalette(DDPCAPS_8BIT, zero, &Display.palette, nullptr);
    }
    void TearDown() override {
        Display.palette->Release();
        dd->Release();
        EngineTest::TearDown();
    }
    void WriteText(const std::string& name, const std::string& text) {
        FILE* file = std::fopen(name.c_str(), "w");
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
    PALETTEENTRY Shown(int index) {
        PALETTEENTRY e{};
        Display.palette->GetEntries(0, static_cast<DWORD>(index), 1, &e);
        return e;
    }
    IDirectDraw7* dd = nullptr;
    TempDir dir;
};

bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue && a.peFlags == b.peFlags;
}

TEST_F(PaletteTest, ShortFileFillsOnlyWhatItHolds) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += std::to_string(i) + " 1 2 0\n";
    WriteText(dir.File("short.pal"), text);
    PALETTEENTRY entries[256];
    for (auto& e : entries) e = PALETTEENTRY{9, 9, 9, 9};
    EXPECT_EQ(PaletteLoad(dir.File("short.pal").c_str(), entries), 1);
    EXPECT_EQ(entries[99].peRed, 99);
    EXPECT_TRUE(Same(entries[100], PALETTEENTRY{9, 9, 9, 9}));
}

TEST_F(PaletteTest, AWordStopsTheReadingMidEntry) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::to_string(i + 1) + " ";
    text += "word 7 7 7";
    WriteText(dir.File("word.pal"), text);
    PALETTEENTRY entries[256];
    for (auto& e : entries) e = PALETTEENTRY{9, 9, 9, 9};
    EXPECT_EQ(PaletteLoad(dir.File("word.pal").c_str(), entries), 1);
    EXPECT_EQ(entries[11].peFlags, 48);
    EXPECT_EQ(entries[12].peRed, 49);
    EXPECT_EQ(entries[12].peGreen, 50);
    EXPECT_EQ(entries[12].peBlue, 9);  // the fields from the word on keep what they held
    EXPECT_EQ(entries[12].peFlags, 9);
    EXPECT_TRUE(Same(entries[13], PALETTEENTRY{9, 9, 9, 9}));
}

TEST_F(PaletteTest, NumbersKeepTheirLowEightBits) {
    WriteText(dir.File("wide.pal"), "263 -1 256 511\n-256 1000 -255 65536\n");
    PALETTEENTRY entries[256] = {};
    EXPECT_EQ(PaletteLoad(dir.File("wide.pal").c_str(), entries), 1);
    EXPECT_TRUE(Same(entries[0], PALETTEENTRY{7, 255, 0, 255}));
    EXPECT_TRUE(Same(entries[1], PALETTEENTRY{0, 232, 1, 0}));
}

TEST_F(PaletteTest, MissingFileChangesNothing) {
    PALETTEENTRY entries[256] = {};
    entries[0].peRed = 5;
    EXPECT_EQ(PaletteLoad(dir.File("none.pal").c_str(), entries), 0);
    EXPECT_EQ(entries[0].peRed, 5);
    EXPECT_EQ(PaletteSave((dir.File("no/such/dir.pal")).c_str(), entries), 0);
}

TEST_F(PaletteTest, SaveThenLoadGivesTheSameEntriesAndTheFileFormat) {
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i)
        entries[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, static_cast<BYTE>(i % 5)};
    const std::string name = dir.File("round.pal");
    ASSERT_EQ(PaletteSave(name.c_str(), entries), 1);
    PALETTEENTRY back[256] = {};
    ASSERT_EQ(PaletteLoad(name.c_str(), back), 1);
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(Same(entries[i], back[i])) << i;
    const auto bytes = ReadBytes(name);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, 12), "\n0 255 7 0\n1");
    EXPECT_EQ(text.substr(text.size() - 10), "\n255 0 7 0");  // no line break after the last
}

TEST_F(PaletteTest, EntriesReachTheTableAndTheObject) {
    const PALETTEENTRY e{1, 2, 3, 4};
    EXPECT_EQ(PaletteSetEntry(5, &e), 1);
    PALETTEENTRY out{};
    EXPECT_EQ(PaletteGetEntry(5, &out), 1);
    EXPECT_TRUE(Same(out, e));
    EXPECT_TRUE(Same(Shown(5), e));
    EXPECT_EQ(PaletteSetEntry(256, &e), 0);
    EXPECT_EQ(PaletteGetEntry(-1, &out), 0);
}

TEST_F(PaletteTest, RotateMovesEachColourUpOnePlace) {
    const PALETTEENTRY c1{10, 0, 0, 0}, c2{20, 0, 0, 0}, c3{30, 0, 0, 0};
    PaletteSetEntry(10, &c1);
    PaletteSetEntry(11, &c2);
    PaletteSetEntry(12, &c3);
    EXPECT_EQ(PaletteRotate(10, 12), 1);
    EXPECT_TRUE(Same(Shown(10), c3));
    EXPECT_TRUE(Same(Shown(11), c1));
    EXPECT_TRUE(Same(Shown(12), c2));
    EXPECT_TRUE(Same(PaletteTable[10], c3));
    EXPECT_EQ(PaletteRotate(12, 10), 0);
    EXPECT_EQ(PaletteRotate(0, 256), 0);
    EXPECT_EQ(PaletteRotate(7, 7), 1);
}

TEST_F(PaletteTest, BlinkAlternatesWithoutTouchingTheTable) {
    const PALETTEENTRY before{50, 50, 50, 0};
    PaletteSetEntry(20, &before);
    BlinkEntry blink{20, PALETTEENTRY{255, 0, 0, 0}, PALETTEENTRY{0, 0, 255, 0}, 2, 3, 0, 0};
    const int32_t id = PaletteBlink(BLINK_ADD, &blink, 0);
    ASSERT_EQ(id, 0);
    EXPECT_EQ(Shown(20).peBlue, 255);                        // off colour at once
    const int expectRed[] = {0, 0, 255, 255, 0, 0, 0, 255};  // steps 1..8
    for (int step = 1; step <= 8; ++step) {
        PaletteBlink(BLINK_STEP, nullptr, 0);
        EXPECT_EQ(Shown(20).peRed, expectRed[step - 1]) << "step " << step;
    }
    EXPECT_TRUE(Same(PaletteTable[20], before));
    // A change shows the colour of the phase at once: step 8 left the entry on.
    blink.onColor = PALETTEENTRY{1, 2, 3, 0};
    blink.offColor = PALETTEENTRY{0, 99, 0, 0};
    EXPECT_EQ(PaletteBlink(BLINK_CHANGE, &blink, id), id);
    EXPECT_TRUE(Same(Shown(20), blink.onColor));
    for (int step = 0; step < 3; ++step) PaletteBlink(BLINK_STEP, nullptr, 0);
    EXPECT_TRUE(Same(Shown(20), blink.offColor));
    EXPECT_EQ(PaletteBlink(BLINK_REMOVE, nullptr, id), id);
    EXPECT_EQ(PaletteBlink(BLINK_REMOVE, nullptr, id), -1);
    EXPECT_EQ(PaletteBlink(BLINK_CHANGE, &blink, id), -1);
    EXPECT_EQ(PaletteBlink(BLINK_REMOVE, nullptr, 300), -1);
    EXPECT_EQ(PaletteBlink(9, nullptr, 0), 1);
}

TEST_F(PaletteTest, BlinkTableHoldsTwoHundredFiftySixSlots) {
    BlinkEntry blink{1, {}, {}, 1, 1, 0, 0};
    for (int i = 0; i < 256; ++i) ASSERT_EQ(PaletteBlink(BLINK_ADD, &blink, 0), i);
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &blink, 0), -1);
    EXPECT_EQ(PaletteBlink(BLINK_REMOVE, nullptr, 7), 7);
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &blink, 0), 7);
}

}  // namespace
