#include "engine/gfx/display.h"

#include "engine/core/main_window.h"
#include "engine/gfx/error_log.h"
#include "engine/gfx/palette.h"

#include <vector>

DisplayRecord Display;

uint16_t PackRgb565(int32_t red, int32_t green, int32_t blue) {
    return static_cast<uint16_t>((((red >> 3) & 31) << 11) + (((green >> 2) & 63) << 5) + ((blue >> 3) & 31));
}

uint16_t PackRgb555(int32_t red, int32_t green, int32_t blue) {
    return static_cast<uint16_t>((((red >> 3) & 31) << 10) + (((green >> 3) & 31) << 5) + ((blue >> 3) & 31));
}

void DisplayReset() { Display = DisplayRecord{}; }

namespace {

// Records the visible surface's pixel format and picks the matching 16-bit colour builder.
void DisplayReadPixelFormat() {
    DDPIXELFORMAT format{};
    format.dwSize = sizeof(DDPIXELFORMAT);
    if (Display.primarySurface) {
        Display.primarySurface->GetPixelFormat(&format);
    }
    Display.pixelFormat = static_cast<int32_t>(format.dwRGBBitCount);
    ErrorLogWrite("\npixel format = %d", Display.pixelFormat);
    if (Display.pixelFormat == 15) {
        Display.packRgb16 = PackRgb555;
        ErrorLogWrite("\npixel format = 5.5.5");
    } else {
        Display.packRgb16 = PackRgb565;
        ErrorLogWrite("\npixel format = 5.6.5");
    }
}

// Loads the palette file and makes the palette object for the visible surface; 0 on failure.
int32_t DisplayMakePalette(int32_t windowed) {
    for (PALETTEENTRY& entry : PaletteTable) {
        entry = PALETTEENTRY{};
    }
    PaletteLoad(DISPLAY_PALETTE_FILE, PaletteTable);
    DWORD caps = DDPCAPS_8BIT | DDPCAPS_ALLOW256;
    if (windowed) {
        // The twenty colours the desktop keeps for itself.
        for (int i = 0; i < 10; ++i) {
            PaletteTable[i].peFlags = PC_EXPLICIT;
            PaletteTable[246 + i].peFlags = PC_EXPLICIT;
        }
        caps = DDPCAPS_8BIT;
    }
    if (FAILED(Display.directDraw->CreatePalette(caps, PaletteTable, &Display.palette, nullptr))) {
        return 0;
    }
    if (!Display.primarySurface || FAILED(Display.primarySurface->SetPalette(Display.palette))) {
        return 0;
    }
    return 1;
}

}  // namespace

int32_t DisplayInit(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t windowed) try {
    void* created = nullptr;
    if (FAILED(DirectDrawCreateEx(nullptr, &created, IID_IDirectDraw7, nullptr))) {
        return 0;
    }
    Display.directDraw = static_cast<IDirectDraw7*>(created);
    if (windowed) {
        if (FAILED(Display.directDraw->SetCooperativeLevel(MainWindowHandle, DDSCL_NORMAL))) {
            return 0;
        }
    } else {
        const DWORD level = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX |
                            DDSCL_MULTITHREADED;
        if (FAILED(Display.directDraw->SetCooperativeLevel(MainWindowHandle, level))) {
            return 0;
        }
        if (FAILED(Display.directDraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                                      static_cast<DWORD>(bitsPerPixel), 0, 0))) {
            return 0;
        }
    }
    Display.screenWidth = width;
    Display.screenHeight = height;
    Display.screenBitsPerPixel = bitsPerPixel;
    Display.windowed = windowed;

    Display.surfaceDesc = DDSURFACEDESC2{};
    Display.surfaceDesc.dwSize = sizeof(DDSURFACEDESC2);
    if (windowed) {
        Display.surfaceDesc.dwFlags = DDSD_CAPS;
        Display.surfaceDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        Display.surfaceDesc.dwBackBufferCount = 0;
    } else {
        Display.surfaceDesc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        Display.surfaceDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        Display.surfaceDesc.dwBackBufferCount = 1;
    }
    Display.directDraw->CreateSurface(&Display.surfaceDesc, &Display.primarySurface, nullptr);
    DisplayReadPixelFormat();

    if (windowed) {
        Display.backSurface = DisplayCreateSurface(width, height, 0, 0);
    } else {
        DDSCAPS2 caps{};
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        if (!Display.primarySurface ||
            FAILED(Display.primarySurface->GetAttachedSurface(&caps, &Display.backSurface))) {
            return 0;
        }
    }

    if (Display.screenBitsPerPixel == 8 && !DisplayMakePalette(windowed)) {
        return 0;
    }

    if (!windowed) {
        DisplayFill(Display.primarySurface, 0, nullptr);
    }
    DisplayFill(Display.backSurface, 0, nullptr);

    Display.clipMinX = 0;
    Display.clipMaxX = width - 1;
    Display.clipMinY = 0;
    Display.clipMaxY = height - 1;
    const RECT screen{0, 0, width, height};
    Display.backClipper = DisplayAttachClipper(Display.backSurface, 1, &screen);

    if (!windowed) {
        return 1;
    }
    if (FAILED(Display.directDraw->CreateClipper(0, &Display.windowClipper, nullptr)) ||
        FAILED(Display.windowClipper->SetHWnd(0, MainWindowHandle)) || !Display.primarySurface ||
        FAILED(Display.primarySurface->SetClipper(Display.windowClipper))) {
        return 0;
    }
    return 1;
} catch (...) {  // no memory left: what was made stays, as after a refusal
    return 0;
}

int32_t DisplayShutdown() {
    // The desktop's mode comes back now, even should something still hold a reference to the
    // DirectDraw object (each surface made through it does) and keep it alive past the release.
    if (Display.directDraw && !Display.windowed) {
        Display.directDraw->RestoreDisplayMode();
        Display.directDraw->SetCooperativeLevel(MainWindowHandle, DDSCL_NORMAL);
    }
    IUnknown* objects[] = {Display.backClipper, Display.windowClipper,  Display.palette,
                           Display.backSurface, Display.primarySurface, Display.directDraw};
    for (IUnknown* object : objects) {
        if (object) {
            object->Release();
        }
    }
    return 1;
}

namespace {

// Sets the region of `count` rectangles on the new clipper and attaches it to the surface; the
// clipper, or nullptr (and the clipper released) when either refuses.
IDirectDrawClipper* ClipTo(IDirectDrawSurface7* surface, IDirectDrawClipper* clipper, int32_t count,
                           const RECT* rectangles) {
    std::vector<RECT> storage(2 + static_cast<size_t>(count));  // header is two RECTs long
    auto* region = reinterpret_cast<RGNDATA*>(storage.data());
    static_assert(sizeof(RGNDATAHEADER) == 2 * sizeof(RECT));
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(count);
    region->rdh.nRgnSize = static_cast<DWORD>(sizeof(RECT)) * static_cast<DWORD>(count);
    region->rdh.rcBound = RECT{64000, 64000, -64000, -64000};
    for (int32_t i = 0; i < count; ++i) {
        const RECT& r = rectangles[i];
        storage[2 + static_cast<size_t>(i)] = r;
        RECT& bound = region->rdh.rcBound;
        bound.left = std::min(bound.left, r.left);
        bound.top = std::min(bound.top, r.top);
        bound.right = std::max(bound.right, r.right);
        bound.bottom = std::max(bound.bottom, r.bottom);
    }
    if (FAILED(clipper->SetClipList(region, 0)) || !surface || FAILED(surface->SetClipper(clipper))) {
        clipper->Release();
        return nullptr;
    }
    return clipper;
}

}  // namespace

IDirectDrawClipper* DisplayAttachClipper(IDirectDrawSurface7* surface, int32_t count, const RECT* rectangles) {
    IDirectDrawClipper* clipper = nullptr;
    if (!Display.directDraw || count < 0 || (count > 0 && !rectangles) ||
        FAILED(Display.directDraw->CreateClipper(0, &clipper, nullptr))) {
        return nullptr;
    }
    // The region: a header followed by the rectangles, as the clipper takes it. Without the
    // memory for it, or should the clipper's own calls throw, the clipper goes and none is given.
    try {
        return ClipTo(surface, clipper, count, rectangles);
    } catch (...) {
        clipper->Release();
        return nullptr;
    }
}

IDirectDrawSurface7* DisplayCreateSurface(int32_t width, int32_t height, int32_t memoryFlags, int32_t colourKey) try {
    if (!Display.directDraw) {
        return nullptr;
    }
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = static_cast<DWORD>(memoryFlags) | DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface7* surface = nullptr;
    if (FAILED(Display.directDraw->CreateSurface(&desc, &surface, nullptr))) {
        return nullptr;
    }
    DDCOLORKEY key{};
    key.dwColorSpaceLowValue = static_cast<DWORD>(colourKey) & 0xFFFF;
    key.dwColorSpaceHighValue = static_cast<DWORD>(colourKey) & 0xFFFF;
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
    return surface;
} catch (...) {
    return nullptr;
}

// A full-screen flip is repeated while it fails, but not for ever: a surface that cannot be
// presented (lost, or no flip chain) must not hang the program.
int32_t DisplayFlip() try {
    if (Display.primaryMemory || Display.backMemory) {
        return 0;
    }
    if (!Display.windowed) {
        // Surfaces lost while the player was away are restored; this frame is gone, the next
        // pass draws the whole picture again.
        if (Display.primarySurface && Display.primarySurface->Flip(nullptr, DDFLIP_WAIT) == DDERR_SURFACELOST) {
            DisplayRestore();
        }
        return 1;
    }
    RECT target{};
    GetWindowRect(MainWindowHandle, &target);
    target.left += Display.windowOffsetX;
    target.top += Display.windowOffsetY;
    target.right = target.left + Display.screenWidth;
    target.bottom = target.top + Display.screenHeight;
    if (!Display.primarySurface ||
        FAILED(Display.primarySurface->Blt(&target, Display.backSurface, nullptr, DDBLT_WAIT, nullptr))) {
        return 0;
    }
    return 1;
} catch (...) {
    return 0;
}

int32_t DisplayRestore() { return Display.directDraw && SUCCEEDED(Display.directDraw->RestoreAllSurfaces()) ? 1 : 0; }

int32_t DisplayFill(IDirectDrawSurface7* surface, int32_t colour, RECT* rect) try {
    if (surface) {
        DDBLTFX fx{};
        fx.dwSize = sizeof(DDBLTFX);
        fx.dwFillColor = static_cast<DWORD>(colour) & 0xFFFF;
        surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    }
    return 1;
} catch (...) {
    return 1;
}

int32_t DisplayFillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t colour,
                        IDirectDrawSurface7* surface) try {
    if (surface) {
        DDBLTFX fx{};
        fx.dwSize = sizeof(DDBLTFX);
        fx.dwFillColor = static_cast<DWORD>(colour);
        RECT rect{left, top, right, bottom};
        surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    }
    return 1;
} catch (...) {
    return 1;
}

namespace {

// Locks a whole surface through the shared description; nullptr when the lock fails.
uint8_t* LockThroughDesc(IDirectDrawSurface7* surface, int32_t* pitch) {
    Display.surfaceDesc = DDSURFACEDESC2{};
    Display.surfaceDesc.dwSize = sizeof(DDSURFACEDESC2);
    if (surface) {
        surface->Lock(nullptr, &Display.surfaceDesc, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, nullptr);
    }
    if (pitch) {
        *pitch = Display.surfaceDesc.lPitch;
    }
    return static_cast<uint8_t*>(Display.surfaceDesc.lpSurface);
}

}  // namespace

uint8_t* DisplayLockBack() {
    if (Display.backMemory) {
        return Display.backMemory;
    }
    Display.backMemory = LockThroughDesc(Display.backSurface, &Display.backPitch);
    return Display.backMemory;
}

int32_t DisplayUnlockBack() {
    if (!Display.backMemory) {
        return 0;
    }
    if (Display.backSurface) Display.backSurface->Unlock(nullptr);
    Display.backMemory = nullptr;
    Display.backPitch = 0;
    return 1;
}

uint8_t* DisplayLockPrimary() {
    if (Display.primaryMemory) {
        return Display.primaryMemory;
    }
    Display.primaryMemory = LockThroughDesc(Display.primarySurface, &Display.primaryPitch);
    return Display.primaryMemory;
}

int32_t DisplayUnlockPrimary() {
    if (!Display.primaryMemory) {
        return 0;
    }
    if (Display.primarySurface) Display.primarySurface->Unlock(nullptr);
    Display.primaryMemory = nullptr;
    Display.primaryPitch = 0;
    return 1;
}

uint8_t* DisplayLockSurface(IDirectDrawSurface7* surface, int32_t* pitch) {
    if (!surface) {
        return nullptr;
    }
    return LockThroughDesc(surface, pitch);
}

int32_t DisplayUnlockSurface(IDirectDrawSurface7* surface) {
    if (!surface) {
        return 0;
    }
    surface->Unlock(nullptr);
    return 1;
}

int32_t DisplayWaitVerticalBlank() {
    if (Display.directDraw) {
        Display.directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    }
    return 1;
}
