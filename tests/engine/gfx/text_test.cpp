#include "engine/gfx/text.h"

#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"
#include "support/engine_support.h"

namespace {

class TextTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        void* made = nullptr;
        DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr);
        dd = static_cast<IDirectDraw7*>(made);
        dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
        Display.directDraw = dd;
        surface = DisplayCreateSurface(200, 30, DDSCAPS_SYSTEMMEMORY, 0);
        PALETTEENTRY entries[256] = {};
        entries[3] = PALETTEENTRY{255, 128, 0, 0};
        entries[9] = PALETTEENTRY{0, 0, 250, 0};
        dd->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr);
        surface->SetPalette(palette);
        PaletteTable[3] = entries[3];
    }
    void TearDown() override {
        surface->Release();
        palette->Release();
        dd->Release();
        EngineTest::TearDown();
    }
    int Count(uint8_t colour) {
        int n = 0;
        for (int i = 0; i < 200 * 30; ++i) n += surface->memory()[i] == colour;
        return n;
    }
    IDirectDraw7* dd = nullptr;
    IDirectDrawSurface7* surface = nullptr;
    IDirectDrawPalette* palette = nullptr;
};

TEST_F(TextTest, IndexedTextUsesThePaletteTableColour) {
    ASSERT_EQ(SurfaceDrawTextIndexed("Gaia", 4, 4, 3, surface), 1);
    EXPECT_GT(Count(3), 30);
    EXPECT_EQ(Count(0) + Count(3), 200 * 30);  // transparent background, one ink colour
}

TEST_F(TextTest, ColourMapsToTheNearestPaletteEntry) {
    ASSERT_EQ(SurfaceDrawText("Blue", 4, 4, RGB(0, 0, 255), surface), 1);
    EXPECT_GT(Count(9), 30);
}

TEST_F(TextTest, LockedSurfaceRefusesText) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    EXPECT_EQ(SurfaceDrawText("No", 0, 0, 0xFFFFFF, surface), 0);
    surface->Unlock(nullptr);
    EXPECT_EQ(Count(0), 200 * 30);
}

TEST_F(TextTest, TextIsClippedAtTheSurfaceEdges) {
    for (int32_t far : {-500, INT32_MAX - 3, INT32_MIN}) {
        EXPECT_EQ(SurfaceDrawTextIndexed("Off", far, far, 3, surface), 1) << far;
        EXPECT_EQ(SurfaceDrawTextIndexed("Off", far, 4, 3, surface), 1) << far;
    }
    EXPECT_EQ(Count(0), 200 * 30);
    // What lies on the surface is the same part of the text drawn whole elsewhere.
    EXPECT_EQ(SurfaceDrawTextIndexed("Edge of the world", 150, 20, 3, surface), 1);
    IDirectDrawSurface7* whole = DisplayCreateSurface(300, 40, DDSCAPS_SYSTEMMEMORY, 0);
    ASSERT_NE(whole, nullptr);
    whole->SetPalette(palette);
    ASSERT_EQ(SurfaceDrawTextIndexed("Edge of the world", 0, 0, 3, whole), 1);
    int inked = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 200; ++x) {
            const uint8_t shown = surface->memory()[y * surface->pitch() + x];
            const bool inText = x >= 150 && y >= 20;
            const uint8_t want = inText ? whole->memory()[(y - 20) * whole->pitch() + (x - 150)] : 0;
            ASSERT_EQ(shown, want) << x << "," << y;
            inked += shown == 3;
        }
    }
    EXPECT_GT(inked, 5);
    whole->Release();
}

}  // namespace
