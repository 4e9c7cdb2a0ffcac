#include "platform/standins/ddraw.h"

#include "support/test_support.h"

#include <cstring>

namespace {

class DirectDrawTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        void* made = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr), DD_OK);
        dd = static_cast<IDirectDraw7*>(made);
        ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    }
    void TearDown() override {
        for (IUnknown* object : made) object->Release();
        dd->Release();
        HeadlessTest::TearDown();
    }
    IDirectDrawSurface7* Surface(int w, int h, int bits = 8) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.dwWidth = static_cast<DWORD>(w);
        desc.dwHeight = static_cast<DWORD>(h);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        desc.ddpfPixelFormat.dwRGBBitCount = static_cast<DWORD>(bits);
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        made.push_back(surface);
        return surface;
    }
    static uint8_t At(IDirectDrawSurface7* s, int x, int y) { return s->memory()[y * s->pitch() + x]; }
    static void Fill(IDirectDrawSurface7* s, uint32_t colour, RECT* rect = nullptr) {
        DDBLTFX fx{};
        fx.dwSize = sizeof(fx);
        fx.dwFillColor = colour;
        EXPECT_EQ(s->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }
    IDirectDrawClipper* Clipper(IDirectDrawSurface7* s, std::vector<RECT> rects) {
        IDirectDrawClipper* clipper = nullptr;
        EXPECT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        std::vector<RECT> storage(2 + rects.size());
        auto* region = reinterpret_cast<RGNDATA*>(storage.data());
        region->rdh = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, RECT{}};
        std::copy(rects.begin(), rects.end(), storage.begin() + 2);
        EXPECT_EQ(clipper->SetClipList(region, 0), DD_OK);
        EXPECT_EQ(s->SetClipper(clipper), DD_OK);
        clipper->Release();  // the surface keeps it
        return clipper;
    }
    IDirectDraw7* dd = nullptr;
    std::vector<IUnknown*> made;
};

TEST_F(DirectDrawTest, ColourFillCoversTheRectangleOnly) {
    auto* s = Surface(8, 4);
    Fill(s, 0x1234);  // an 8-bit surface takes the low byte
    EXPECT_EQ(At(s, 7, 3), 0x34);
    RECT r{2, 1, 4, 3};
    Fill(s, 9, &r);
    EXPECT_EQ(At(s, 1, 1), 0x34);
    EXPECT_EQ(At(s, 2, 1), 9);
    EXPECT_EQ(At(s, 3, 2), 9);
    EXPECT_EQ(At(s, 4, 2), 0x34);
    EXPECT_EQ(At(s, 2, 3), 0x34);
}

TEST_F(DirectDrawTest, UnclippedBlitsMustStayOnTheSurface) {
    auto* s = Surface(8, 4);
    RECT outside{-1, 0, 4, 4};
    DDBLTFX fx{sizeof(DDBLTFX), 1, {}};
    EXPECT_EQ(s->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
    RECT empty{3, 3, 3, 4};
    EXPECT_EQ(s->Blt(&empty, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
}

TEST_F(DirectDrawTest, SourceColourKeySkipsKeyedPixels) {
    auto* source = Surface(2, 2);
    auto* dest = Surface(4, 4);
    DDCOLORKEY key{5, 5};
    source->SetColorKey(DDCKEY_SRCBLT, &key);
    const uint8_t pixels[] = {5, 1, 2, 5};
    std::memcpy(source->memory(), pixels, 2);
    std::memcpy(source->memory() + source->pitch(), pixels + 2, 2);
    Fill(dest, 7);
    RECT to{1, 1, 3, 3};
    ASSERT_EQ(dest->Blt(&to, source, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(At(dest, 1, 1), 7);
    EXPECT_EQ(At(dest, 2, 1), 1);
    EXPECT_EQ(At(dest, 1, 2), 2);
    EXPECT_EQ(At(dest, 2, 2), 7);
    // Without the key flag every pixel is copied.
    ASSERT_EQ(dest->Blt(&to, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(At(dest, 1, 1), 5);
}

TEST_F(DirectDrawTest, StretchSamplesTheNearestSourcePixel) {
    auto* source = Surface(2, 1);
    auto* dest = Surface(4, 2);
    source->memory()[0] = 1;
    source->memory()[1] = 2;
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    const uint8_t want[] = {1, 1, 2, 2};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(At(dest, x, y), want[x]) << x << "," << y;
}

TEST_F(DirectDrawTest, ClipListCutsBlitsThatLeaveIt) {
    auto* source = Surface(4, 4);
    auto* dest = Surface(10, 10);
    Fill(source, 3);
    Fill(dest, 0);
    Clipper(dest, {RECT{0, 0, 10, 10}});
    RECT partlyOff{-2, -2, 2, 2};
    ASSERT_EQ(dest->Blt(&partlyOff, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(At(dest, 0, 0), 3);
    EXPECT_EQ(At(dest, 1, 1), 3);
    EXPECT_EQ(At(dest, 2, 2), 0);
    RECT whollyOff{20, 20, 24, 24};
    EXPECT_EQ(dest->Blt(&whollyOff, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
}

TEST_F(DirectDrawTest, ClippedPartKeepsTheSourceOffset) {
    auto* source = Surface(4, 1);
    auto* dest = Surface(4, 1);
    for (int i = 0; i < 4; ++i) source->memory()[i] = static_cast<uint8_t>(10 + i);
    Clipper(dest, {RECT{0, 0, 4, 1}});
    RECT shifted{-2, 0, 2, 1};
    ASSERT_EQ(dest->Blt(&shifted, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(At(dest, 0, 0), 12);
    EXPECT_EQ(At(dest, 1, 0), 13);
}

TEST_F(DirectDrawTest, SeveralClipRectanglesEachReceiveTheirPart) {
    auto* dest = Surface(6, 1);
    Fill(dest, 0);
    Clipper(dest, {RECT{0, 0, 2, 1}, RECT{4, 0, 6, 1}});
    Fill(dest, 8);
    const uint8_t want[] = {8, 8, 0, 0, 8, 8};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(dest, x, 0), want[x]);
}

TEST_F(DirectDrawTest, LockedSurfacesRefuseBlitsAndSecondLocks) {
    auto* s = Surface(4, 4);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.lpSurface, s->memory());
    EXPECT_EQ(desc.lPitch, 4);
    DDSURFACEDESC2 again{};
    again.dwSize = sizeof(again);
    EXPECT_EQ(s->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    DDBLTFX fx{sizeof(DDBLTFX), 1, {}};
    EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
    desc.dwSize = 3;
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DirectDrawTest, SixteenBitSurfacesFillAndKeyWholeWords) {
    auto* source = Surface(2, 1, 16);
    auto* dest = Surface(2, 1, 16);
    Fill(source, 0xF800);
    DDCOLORKEY key{0xF800, 0xF800};
    source->SetColorKey(DDCKEY_SRCBLT, &key);
    reinterpret_cast<uint16_t*>(source->memory())[1] = 0x07E0;
    Fill(dest, 0x001F);
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    const auto* words = reinterpret_cast<const uint16_t*>(dest->memory());
    EXPECT_EQ(words[0], 0x001F);
    EXPECT_EQ(words[1], 0x07E0);
    DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    ASSERT_EQ(dest->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.dwRGBBitCount, 16u);
    // Depths do not mix.
    EXPECT_EQ(dest->Blt(nullptr, Surface(2, 1, 8), nullptr, 0, nullptr), DDERR_INVALIDPIXELFORMAT);
}

TEST_F(DirectDrawTest, FlipChainSwapsAndPresentsWithThePalette) {
    HWND window = OpenTestWindow("FLIPTEST");
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(16, 8, 8, 0, 0), DD_OK);
    EXPECT_TRUE(host.fullscreen());
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);

    PALETTEENTRY entries[256] = {};
    entries[4] = PALETTEENTRY{10, 20, 30, 0};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);

    Fill(back, 4);
    const uint64_t before = host.presentCount();
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(host.presentCount(), before + 1);
    EXPECT_EQ(host.frameWidth(), 16);
    EXPECT_EQ(host.framePixels()[0], 4);
    EXPECT_EQ(host.FrameRgb()[5], 0x0A141Eu);
    EXPECT_EQ(At(primary, 0, 0), 4);

    // A palette change shows at once, without a flip.
    PALETTEENTRY red{255, 0, 0, 0};
    palette->SetEntries(0, 4, 1, &red);
    EXPECT_EQ(host.FrameRgb()[0], 0xFF0000u);

    DDSURFACEDESC2 lockDesc{};
    lockDesc.dwSize = sizeof(lockDesc);
    back->Lock(nullptr, &lockDesc, DDLOCK_WAIT, nullptr);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
    back->Unlock(nullptr);
    palette->Release();
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawTest, ObjectsLiveUntilTheirLastRelease) {
    const int before = ComLiveObjects();
    auto* s = Surface(2, 2);
    made.pop_back();
    IDirectDrawClipper* clipper = nullptr;
    dd->CreateClipper(0, &clipper, nullptr);
    s->SetClipper(clipper);
    EXPECT_EQ(clipper->Release(), 1u);  // the surface still holds it
    EXPECT_EQ(ComLiveObjects(), before + 2);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(ComLiveObjects(), before);
}

// At shut-down the display goes before the fighters' frames; their surfaces are then used and
// released without the object that made them (the sanitizer build sees any stale access).
TEST_F(DirectDrawTest, SurfacesOutliveTheObjectThatMadeThem) {
    void* made2 = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &made2, IID_IDirectDraw7, nullptr), DD_OK);
    auto* other = static_cast<IDirectDraw7*>(made2);
    ASSERT_EQ(other->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = 8;
    desc.dwHeight = 8;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface7* first = nullptr;
    IDirectDrawSurface7* second = nullptr;
    ASSERT_EQ(other->CreateSurface(&desc, &first, nullptr), DD_OK);
    ASSERT_EQ(other->CreateSurface(&desc, &second, nullptr), DD_OK);
    EXPECT_EQ(first->Release(), 0u);  // one goes while its maker lives, one after
    EXPECT_EQ(other->Release(), 0u);
    Fill(second, 5);
    HDC dc = nullptr;
    ASSERT_EQ(second->GetDC(&dc), DD_OK);
    TextOutA(dc, 0, 0, "x", 1);
    EXPECT_EQ(second->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(At(second, 7, 7), 5);
    EXPECT_EQ(second->Release(), 0u);
}

TEST_F(DirectDrawTest, TextIsDrawnThroughADeviceContextInTheNearestColour) {
    auto* s = Surface(120, 24);
    Fill(s, 0);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(dc, 2, 2, "Hello", 5));
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    int inked = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 120; ++x) inked += At(s, x, y) != 0;
    // Without a palette every colour maps to entry 0; so the text is found through 16 bits.
    EXPECT_EQ(inked, 0);
    auto* rgb = Surface(120, 24, 16);
    Fill(rgb, 0);
    ASSERT_EQ(rgb->GetDC(&dc), DD_OK);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 2, 2, "Hello", 5);
    rgb->ReleaseDC(dc);
    const auto* words = reinterpret_cast<const uint16_t*>(rgb->memory());
    int red = 0, other = 0;
    for (int i = 0; i < 120 * 24; ++i) {
        red += words[i] == 0xF800;
        other += words[i] != 0 && words[i] != 0xF800;
    }
    EXPECT_GT(red, 40);
    EXPECT_EQ(other, 0);
}

}  // namespace
