// Our stand-in for the DirectDraw services the engine calls: the DirectDraw object, software
// surfaces of 8 and 16 bits per pixel, palettes and clippers, under their published names and
// with the flags and results the callers rely on. Surfaces are memory buffers; the visible
// surface hands its pixels to the current host (platform/host.h) when it changes.
#pragma once

#include "platform/standins/com.h"
#include "platform/standins/win32.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// --- results ---
constexpr HRESULT DD_OK = 0;
constexpr HRESULT MakeDdResult(int code) { return static_cast<HRESULT>(0x88760000u | code); }
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDdResult(130);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDdResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDdResult(150);
constexpr HRESULT DDERR_NOCLIPLIST = MakeDdResult(205);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDdResult(215);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDdResult(212);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDdResult(564);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDdResult(225);
constexpr HRESULT DDERR_NOTFOUND = MakeDdResult(255);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDdResult(582);
constexpr HRESULT DDERR_NOTLOCKED = MakeDdResult(584);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDdResult(430);
constexpr HRESULT DDERR_SURFACELOST = MakeDdResult(450);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDdResult(590);
constexpr HRESULT DDERR_CANTCREATEDC = MakeDdResult(585);
constexpr HRESULT DDERR_NODC = MakeDdResult(586);

// --- cooperative levels ---
constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x00000002;
constexpr DWORD DDSCL_NORMAL = 0x00000008;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010;
constexpr DWORD DDSCL_ALLOWMODEX = 0x00000040;
constexpr DWORD DDSCL_MULTITHREADED = 0x00000400;

// --- surface descriptions ---
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_CKSRCBLT = 0x00010000;

constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004;
constexpr DWORD DDSCAPS_COMPLEX = 0x00000008;
constexpr DWORD DDSCAPS_FLIP = 0x00000010;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;

constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr DWORD DDPF_RGB = 0x00000040;

constexpr DWORD DDCKEY_SRCBLT = 0x00000008;

// --- blits, flips, locks ---
constexpr DWORD DDBLT_COLORFILL = 0x00000400;
constexpr DWORD DDBLT_KEYSRC = 0x00008000;
constexpr DWORD DDBLT_KEYSRCOVERRIDE = 0x00010000;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDFLIP_WAIT = 0x00000001;
constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000;
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;

// --- palettes ---
constexpr DWORD DDPCAPS_8BIT = 0x00000004;
constexpr DWORD DDPCAPS_ALLOW256 = 0x00000040;
constexpr BYTE PC_RESERVED = 0x01;
constexpr BYTE PC_EXPLICIT = 0x02;
constexpr BYTE PC_NOCOLLAPSE = 0x04;

// --- regions ---
constexpr DWORD RDH_RECTANGLES = 1;

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    void* lpSurface;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
};

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwFillColor;
    DDCOLORKEY ddckSrcColorkey;
};

struct RGNDATAHEADER {
    DWORD dwSize;
    DWORD iType;
    DWORD nCount;
    DWORD nRgnSize;
    RECT rcBound;
};

// A region: the header, then nCount rectangles.
struct RGNDATA {
    RGNDATAHEADER rdh;
    RECT Buffer[1];
};

extern const IID IID_IDirectDraw7;

class IDirectDraw7;
class IDirectDrawSurface7;

class IDirectDrawPalette : public IUnknown {
public:
    HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, PALETTEENTRY* entries);
    HRESULT GetEntries(DWORD flags, DWORD start, DWORD count, PALETTEENTRY* entries);

    // Inspection for the hosts and tests.
    const std::array<PALETTEENTRY, 256>& entries() const { return entries_; }

private:
    friend class IDirectDraw7;
    friend class IDirectDrawSurface7;
    std::array<PALETTEENTRY, 256> entries_{};
    DWORD caps_ = 0;
    IDirectDrawSurface7* attachedTo_ = nullptr;  // the visible surface that shows it, if any
};

class IDirectDrawClipper : public IUnknown {
public:
    HRESULT SetClipList(RGNDATA* region, DWORD flags);
    HRESULT SetHWnd(DWORD flags, HWND window);

    // Inspection: the clip rectangles and the bound of the list last set.
    const std::vector<RECT>& clipRects() const { return rects_; }
    const RECT& bound() const { return bound_; }
    HWND window() const { return window_; }
    // The rectangles a blit is clipped to, within `bounds` (the surface, in the coordinates of
    // the clip list: screen coordinates for a windowed primary).
    std::vector<RECT> EffectiveRects(const RECT& bounds) const;

private:
    std::vector<RECT> rects_;
    RECT bound_{};
    bool hasList_ = false;
    HWND window_ = nullptr;
};

// A device context on a surface, handed out by GetDC for GDI text.
struct DeviceContext {
    IDirectDrawSurface7* surface = nullptr;
    COLORREF textColour = 0;
    int backgroundMode = OPAQUE;
};

class IDirectDrawSurface7 : public IUnknown {
public:
    ~IDirectDrawSurface7() override;

    HRESULT GetPixelFormat(DDPIXELFORMAT* format);
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface);
    HRESULT SetPalette(IDirectDrawPalette* palette);
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx);
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags);
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(RECT* rect);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    // Gives a lost surface its memory back (its pixels are then to be drawn again).
    HRESULT Restore();
    // DDERR_SURFACELOST while the surface is lost, else DD_OK.
    HRESULT IsLost();

    // Inspection for the hosts and tests.
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bits_; }
    int pitch() const { return pitch_; }
    bool locked() const { return locked_; }
    uint8_t* memory() { return pixels_.data(); }
    const uint8_t* memory() const { return pixels_.data(); }
    IDirectDrawClipper* clipper() const { return clipper_; }
    IDirectDrawPalette* palette() const { return palette_; }
    // 15 or 16 for 16-bit surfaces (the 5.5.5 or 5.6.5 layout); 8 for 8-bit ones.
    int rgbBits() const { return rgbBits_; }
    // The palette that colours this surface: its own, else the visible surface's.
    const IDirectDrawPalette* ShowingPalette() const;
    // Hands the surface's pixels to the host, with the palette that shows them.
    void PresentToHost();

    IDirectDrawSurface7(IDirectDraw7* owner, int width, int height, int bits, int rgbBits, DWORD caps);

private:
    friend class IDirectDraw7;
    friend void DirectDrawLoseSurfaces(IDirectDraw7* directDraw);
    // Where the surface's pixel (0, 0) lies on the screen: the window's top-left corner for a
    // windowed primary, which holds only the window's part of the screen; (0, 0) otherwise.
    POINT ScreenOrigin() const;
    uint32_t PixelAt(const uint8_t* row, int x) const;
    void PutPixel(uint8_t* row, int x, uint32_t value);
    HRESULT BltOne(const RECT& dest, IDirectDrawSurface7* source, const RECT& src, const RECT& clip, DWORD flags,
                   const DDBLTFX* fx, const DDCOLORKEY& key);

    IDirectDraw7* owner_;
    int width_;
    int height_;
    int bits_;
    int rgbBits_;
    int pitch_;
    DWORD caps_;
    std::vector<uint8_t> pixels_;
    bool locked_ = false;
    bool hasDc_ = false;
    bool lost_ = false;  // only ever by DirectDrawLoseSurfaces: the host never takes the memory
    DeviceContext dc_;
    DDCOLORKEY sourceKey_{};
    bool hasSourceKey_ = false;
    IDirectDrawPalette* palette_ = nullptr;
    IDirectDrawClipper* clipper_ = nullptr;
    IDirectDrawSurface7* backBuffer_ = nullptr;  // owned by the flip chain's front surface
};

class IDirectDraw7 : public IUnknown {
public:
    ~IDirectDraw7() override;

    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags);
    // Gives the desktop's mode back (leaving the exclusive level does too).
    HRESULT RestoreDisplayMode();
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer);
    HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer);
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer);
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event);
    // Restores every lost surface made by this object.
    HRESULT RestoreAllSurfaces();

    int modeBits() const { return modeBits_; }
    IDirectDrawSurface7* primary() const { return primary_; }

private:
    friend class IDirectDrawSurface7;
    friend void DirectDrawLoseSurfaces(IDirectDraw7* directDraw);
    HWND window_ = nullptr;
    DWORD level_ = 0;
    int modeWidth_ = 0;
    int modeHeight_ = 0;
    int modeBits_ = 0;
    IDirectDrawSurface7* primary_ = nullptr;  // not owned; cleared when it is released
    // Every surface made here and still alive, not owned: they may outlive this object (the
    // fighters' frames outlast the display at shut-down), and are told when it goes.
    std::vector<IDirectDrawSurface7*> surfaces_;
};

HRESULT DirectDrawCreateEx(GUID* driver, void** directDraw, REFIID iid, IUnknown* outer);

// The depth of the desktop that a windowed display shares (8 unless set; 16 gives 5.6.5).
void DirectDrawSetDesktopBits(int bits);
// Loses every video-memory surface of `directDraw` (the primary and its back surface, and any
// surface not in system memory), as the system does when the player switches away from a
// full-screen program; for tests of the way back.
void DirectDrawLoseSurfaces(IDirectDraw7* directDraw);
