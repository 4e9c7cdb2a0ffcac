#include "engine/gfx/bitmap_image.h"
#include "engine/gfx/colour_probe.h"

#include "engine/gfx/prims/canvas.h"

namespace {

using Probe16Test = PrimsTest;

TEST_F(Probe16Test, FindsEitherKeyInsideTheRectangleOnly) {
    Canvas16 screen(640, 480, 0x1111);
    screen.set(100, 50, 0xF800);
    screen.set(300, 200, 0x07E0);
    auto probe = [&](int x1, int y1, int x2, int y2, int k1, int k2) {
        return ColourKeyProbe16(x1, y1, x2, y2, k1, k2, screen.memory(), screen.pitch());
    };
    EXPECT_EQ(probe(90, 40, 110, 60, 0xF800, 0x1234), 1);
    EXPECT_EQ(probe(90, 40, 110, 60, 0x1234, 0xF800), 1);
    EXPECT_EQ(probe(90, 40, 99, 60, 0xF800, 0x07E0), 0);  // just left of the key
    EXPECT_EQ(probe(300, 200, 300, 200, 0x07E0, 0), 1);   // a one-pixel rectangle
    EXPECT_EQ(probe(0, 0, 639, 479, 0x1F, 0x1E), 0);
    // Only the low 16 bits of a key count.
    EXPECT_EQ(probe(90, 40, 110, 60, 0x1F800, 0), 1);
    EXPECT_EQ(probe(90, 40, 110, 60, -0x800, 0), 1);  // 0xFFFFF800
    // Corners given the wrong way round read nothing.
    EXPECT_EQ(probe(110, 60, 90, 40, 0xF800, 0xF800), 0);
    EXPECT_EQ(ColourKeyProbe16(0, 0, 10, 10, 0, 0, nullptr, 1280), 0);
}

TEST_F(Probe16Test, RectanglesOffTheScreenAreClampedOntoItsEdges) {
    Canvas16 screen(640, 480);
    screen.set(639, 100, 0xAAAA);
    screen.set(5, 0, 0xBBBB);
    auto probe = [&](int x1, int y1, int x2, int y2, int key) {
        return ColourKeyProbe16(x1, y1, x2, y2, key, key, screen.memory(), screen.pitch());
    };
    EXPECT_EQ(probe(600, 90, 5000, 110, 0xAAAA), 1);  // cut at the right edge
    EXPECT_EQ(probe(700, 100, 800, 100, 0xAAAA), 1);  // wholly right: the last column
    EXPECT_EQ(probe(700, 101, 800, 479, 0xAAAA), 0);
    EXPECT_EQ(probe(0, -50, 10, -1, 0xBBBB), 1);  // wholly above: the top row
    EXPECT_EQ(probe(-100, -100, 4, -1, 0xBBBB), 0);
    EXPECT_TRUE(screen.PaddingClean());
}

class CellCopyTest : public PrimsTest {
protected:
    void SetUp() override {
        PrimsTest::SetUp();
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw_), IID_IDirectDraw7, nullptr),
                  DD_OK);
        ASSERT_EQ(directDraw_->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = 72;
        desc.dwHeight = 74;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        ASSERT_EQ(directDraw_->CreateSurface(&desc, &surface_, nullptr), DD_OK);
        // A 4 x 3 grid of 72 x 74 cells with their 1-pixel frame lines; each pixel tells where
        // it is.
        picture_.infoHeader.biWidth = 4 * 73 + 1;
        picture_.infoHeader.biHeight = 3 * 75 + 1;
        picture_.infoHeader.biBitCount = 8;
        picture_.pixels.resize(static_cast<size_t>(picture_.infoHeader.biWidth) * picture_.infoHeader.biHeight);
        for (int y = 0; y < picture_.infoHeader.biHeight; ++y)
            for (int x = 0; x < picture_.infoHeader.biWidth; ++x)
                picture_.pixels[static_cast<size_t>(y) * picture_.infoHeader.biWidth + x] = PictureByte(x, y);
    }
    void TearDown() override {
        if (surface_) surface_->Release();
        if (directDraw_) directDraw_->Release();
        PrimsTest::TearDown();
    }

    static uint8_t PictureByte(int x, int y) { return static_cast<uint8_t>(x * 7 + y * 13 + 1); }

    // The surface's pixel (x, y), read through a lock.
    uint8_t SurfaceByte(int x, int y) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        EXPECT_EQ(surface_->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const uint8_t value = static_cast<uint8_t*>(desc.lpSurface)[y * desc.lPitch + x];
        surface_->Unlock(nullptr);
        return value;
    }

    IDirectDraw7* directDraw_ = nullptr;
    IDirectDrawSurface7* surface_ = nullptr;
    BitmapFile picture_;
};

TEST_F(CellCopyTest, CopiesTheWholeCellInsideItsFrame) {
    EXPECT_EQ(CopyBitmapCellToSurface(&picture_, surface_, 2, 1), 1);
    EXPECT_EQ(SurfaceByte(0, 0), PictureByte(147, 76));
    EXPECT_EQ(SurfaceByte(71, 0), PictureByte(147 + 71, 76));
    EXPECT_EQ(SurfaceByte(0, 73), PictureByte(147, 76 + 73));
    EXPECT_EQ(SurfaceByte(71, 73), PictureByte(147 + 71, 76 + 73));
    EXPECT_EQ(SurfaceByte(30, 40), PictureByte(147 + 30, 76 + 40));
    EXPECT_FALSE(surface_->locked());
}

TEST_F(CellCopyTest, CopiesNothingForACellOutsideThePictureOrAFailedLock) {
    for (auto [cx, cy] : {std::pair{4, 0}, {0, 3}, {-1, 0}, {0, -1}, {1000000, 1000000}}) {
        EXPECT_EQ(CopyBitmapCellToSurface(&picture_, surface_, cx, cy), 1);
        EXPECT_EQ(SurfaceByte(0, 0), 0) << cx << "," << cy;
        EXPECT_EQ(SurfaceByte(71, 73), 0) << cx << "," << cy;
        EXPECT_FALSE(surface_->locked());
    }
    // A picture whose header claims more rows than it holds is measured by what it holds.
    picture_.pixels.resize(picture_.pixels.size() / 2);
    EXPECT_EQ(CopyBitmapCellToSurface(&picture_, surface_, 0, 2), 1);
    EXPECT_EQ(SurfaceByte(0, 0), 0);

    // Already locked: the copy's own lock fails and nothing is written.
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface_->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(CopyBitmapCellToSurface(&picture_, surface_, 0, 0), 1);
    EXPECT_EQ(static_cast<uint8_t*>(desc.lpSurface)[0], 0);
    surface_->Unlock(nullptr);

    EXPECT_EQ(CopyBitmapCellToSurface(&picture_, nullptr, 0, 0), 1);
    EXPECT_EQ(CopyBitmapCellToSurface(nullptr, surface_, 0, 0), 1);
}

}  // namespace
