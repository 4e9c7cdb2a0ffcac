#include "platform/standins/ddraw.h"

#include "platform/host/host.h"

#include <cstdint>
#include <cstring>
#include <new>

const IID IID_IDirectDraw7 = {0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

namespace {

int desktopBits = 8;
constexpr int kMaxSurfaceSide = 16384;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// A coordinate moved by `d`, held to what a LONG holds.
LONG ShiftedBy(LONG value, LONG d) {
    const int64_t moved = int64_t{value} + d;
    return static_cast<LONG>(std::clamp<int64_t>(moved, INT32_MIN, INT32_MAX));
}

RECT Shifted(const RECT& r, LONG dx, LONG dy) {
    return RECT{ShiftedBy(r.left, dx), ShiftedBy(r.top, dy), ShiftedBy(r.right, dx), ShiftedBy(r.bottom, dy)};
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int BytesPerPixel(int bits) { return bits <= 8 ? 1 : 2; }

// The RGB bit count a depth reports: 15 stands for 16-bit words in the 5.5.5 layout.
int StorageBits(int bits) { return bits == 15 ? 16 : bits; }

void FillPixelFormat(DDPIXELFORMAT& format, int bits, int rgbBits) {
    const DWORD size = format.dwSize;
    format = DDPIXELFORMAT{};
    format.dwSize = size;
    if (bits == 8) {
        format.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
        format.dwRGBBitCount = 8;
    } else if (rgbBits == 15) {
        format.dwFlags = DDPF_RGB;
        format.dwRGBBitCount = 15;
        format.dwRBitMask = 0x7C00;
        format.dwGBitMask = 0x03E0;
        format.dwBBitMask = 0x001F;
    } else {
        format.dwFlags = DDPF_RGB;
        format.dwRGBBitCount = 16;
        format.dwRBitMask = 0xF800;
        format.dwGBitMask = 0x07E0;
        format.dwBBitMask = 0x001F;
    }
}

}  // namespace

void DirectDrawSetDesktopBits(int bits) { desktopBits = bits; }

// --- palette ---

HRESULT IDirectDrawPalette::SetEntries(DWORD, DWORD start, DWORD count, PALETTEENTRY* entries) {
    if (!entries || start > 256 || count > 256 - start) {
        return DDERR_INVALIDPARAMS;
    }
    std::memcpy(&entries_[start], entries, count * sizeof(PALETTEENTRY));
    if (attachedTo_) {
        attachedTo_->PresentToHost();  // a palette change shows at once
    }
    return DD_OK;
}

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD start, DWORD count, PALETTEENTRY* entries) {
    if (!entries || start > 256 || count > 256 - start) {
        return DDERR_INVALIDPARAMS;
    }
    std::memcpy(entries, &entries_[start], count * sizeof(PALETTEENTRY));
    return DD_OK;
}

// --- clipper ---

HRESULT IDirectDrawClipper::SetClipList(RGNDATA* region, DWORD) {
    if (window_) {
        return DDERR_GENERIC;  // a clipper bound to a window takes its list from the window
    }
    if (!region) {
        rects_.clear();
        hasList_ = false;
        return DD_OK;
    }
    if (region->rdh.iType != RDH_RECTANGLES) {
        return DDERR_INVALIDPARAMS;
    }
    rects_.assign(region->Buffer, region->Buffer + region->rdh.nCount);
    bound_ = region->rdh.rcBound;
    hasList_ = true;
    return DD_OK;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND window) {
    if (window && !IsWindow(window)) {
        return DDERR_INVALIDPARAMS;
    }
    window_ = window;
    return DD_OK;
}

std::vector<RECT> IDirectDrawClipper::EffectiveRects(const RECT& bounds) const {
    std::vector<RECT> result;
    if (window_) {
        RECT windowRect{};
        if (GetWindowRect(window_, &windowRect)) {
            result.push_back(Intersect(windowRect, bounds));
        }
    } else {
        for (const RECT& r : rects_) {
            result.push_back(Intersect(r, bounds));
        }
    }
    std::erase_if(result, IsEmpty);
    return result;
}

// --- surface ---

IDirectDrawSurface7::IDirectDrawSurface7(IDirectDraw7* owner, int width, int height, int bits, int rgbBits, DWORD caps)
    : owner_(owner), width_(width), height_(height), bits_(bits), rgbBits_(rgbBits),
      pitch_(width * BytesPerPixel(bits)), caps_(caps),
      pixels_(static_cast<size_t>(pitch_) * static_cast<size_t>(height), 0) {
    dc_.surface = this;
    if (owner_) owner_->surfaces_.push_back(this);
}

IDirectDrawSurface7::~IDirectDrawSurface7() {
    if (owner_) {
        if (owner_->primary_ == this) owner_->primary_ = nullptr;
        std::erase(owner_->surfaces_, this);
    }
    if (palette_) {
        if (palette_->attachedTo_ == this) palette_->attachedTo_ = nullptr;
        palette_->Release();
    }
    if (clipper_) clipper_->Release();
    if (backBuffer_) backBuffer_->Release();
}

HRESULT IDirectDrawSurface7::GetPixelFormat(DDPIXELFORMAT* format) {
    if (!format || format->dwSize != sizeof(DDPIXELFORMAT)) {
        return DDERR_INVALIDPARAMS;
    }
    FillPixelFormat(*format, bits_, rgbBits_);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) {
    if (!caps || !surface) {
        return DDERR_INVALIDPARAMS;
    }
    if (!backBuffer_ || (caps->dwCaps & ~(backBuffer_->caps_)) != 0) {
        return DDERR_NOTFOUND;
    }
    backBuffer_->AddRef();
    *surface = backBuffer_;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetPalette(IDirectDrawPalette* palette) {
    if (palette && bits_ != 8) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    if (palette) palette->AddRef();
    if (palette_) {
        if (palette_->attachedTo_ == this) palette_->attachedTo_ = nullptr;
        palette_->Release();
    }
    palette_ = palette;
    if (palette_ && (caps_ & DDSCAPS_PRIMARYSURFACE)) {
        palette_->attachedTo_ = this;
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetClipper(IDirectDrawClipper* clipper) {
    if (clipper) clipper->AddRef();
    if (clipper_) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT)) {
        return DDERR_INVALIDPARAMS;
    }
    hasSourceKey_ = key != nullptr;
    sourceKey_ = key ? *key : DDCOLORKEY{};
    return DD_OK;
}

uint32_t IDirectDrawSurface7::PixelAt(const uint8_t* row, int x) const {
    if (bits_ == 8) {
        return row[x];
    }
    return static_cast<uint32_t>(row[2 * x] | (row[2 * x + 1] << 8));
}

void IDirectDrawSurface7::PutPixel(uint8_t* row, int x, uint32_t value) {
    if (bits_ == 8) {
        row[x] = static_cast<uint8_t>(value);
    } else {
        row[2 * x] = static_cast<uint8_t>(value);
        row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
    }
}

// Blits into the part of `dest` that lies in `clip`. The source is sampled at the nearest
// pixel, so a destination of another size stretches or shrinks the source rectangle.
HRESULT IDirectDrawSurface7::BltOne(const RECT& dest, IDirectDrawSurface7* source, const RECT& src, const RECT& clip,
                                    DWORD flags, const DDBLTFX* fx, const DDCOLORKEY& key) {
    const RECT area = Intersect(dest, clip);
    if (IsEmpty(area)) {
        return DD_OK;
    }
    const int bpp = BytesPerPixel(bits_);
    if (flags & DDBLT_COLORFILL) {
        const uint32_t colour = fx->dwFillColor;
        for (LONG y = area.top; y < area.bottom; ++y) {
            uint8_t* row = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(pitch_);
            if (bpp == 1) {
                std::memset(row + area.left, static_cast<uint8_t>(colour), static_cast<size_t>(area.right - area.left));
            } else {
                for (LONG x = area.left; x < area.right; ++x) PutPixel(row, x, colour);
            }
        }
        return DD_OK;
    }
    // Sizes and offsets in 64 bits: a rectangle may span more than a LONG holds.
    const int64_t dw = int64_t{dest.right} - dest.left, dh = int64_t{dest.bottom} - dest.top;
    const int64_t sw = int64_t{src.right} - src.left, sh = int64_t{src.bottom} - src.top;
    const bool keyed = (flags & (DDBLT_KEYSRC | DDBLT_KEYSRCOVERRIDE)) != 0;
    const bool sameSize = dw == sw && dh == sh;
    for (LONG y = area.top; y < area.bottom; ++y) {
        const int64_t sy = src.top + (int64_t{y} - dest.top) * sh / dh;
        const uint8_t* srcRow = source->pixels_.data() + sy * source->pitch_;
        uint8_t* dstRow = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(pitch_);
        if (sameSize && !keyed) {
            const int64_t sx = src.left + (int64_t{area.left} - dest.left);
            std::memcpy(dstRow + area.left * bpp, srcRow + sx * bpp,
                        static_cast<size_t>(area.right - area.left) * static_cast<size_t>(bpp));
            continue;
        }
        for (LONG x = area.left; x < area.right; ++x) {
            const int64_t sx = src.left + (int64_t{x} - dest.left) * sw / dw;
            const uint32_t value = source->PixelAt(srcRow, static_cast<int>(sx));
            if (keyed && value == key.dwColorSpaceLowValue) {
                continue;
            }
            PutPixel(dstRow, x, value);
        }
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags,
                                 DDBLTFX* fx) {
    if (lost_ || (source && source->lost_)) {
        return DDERR_SURFACELOST;
    }
    if (locked_ || hasDc_ || (source && (source->locked_ || source->hasDc_))) {
        return DDERR_SURFACEBUSY;
    }
    // Rectangles on a windowed primary are in screen coordinates, as is its clipper's list.
    const POINT origin = ScreenOrigin();
    const RECT bounds{0, 0, width_, height_};
    const RECT dest = destRect ? Shifted(*destRect, -origin.x, -origin.y) : bounds;
    if (IsEmpty(dest)) {
        return DDERR_INVALIDRECT;
    }
    RECT src{};
    DDCOLORKEY key{};
    if (flags & DDBLT_COLORFILL) {
        if (!fx) return DDERR_INVALIDPARAMS;
    } else {
        if (!source) return DDERR_INVALIDPARAMS;
        if (source->bits_ != bits_ || source->rgbBits_ != rgbBits_) return DDERR_INVALIDPIXELFORMAT;
        const RECT sourceBounds{0, 0, source->width_, source->height_};
        src = sourceRect ? *sourceRect : sourceBounds;
        if (IsEmpty(src) || !Inside(src, sourceBounds)) return DDERR_INVALIDRECT;
        if (flags & DDBLT_KEYSRCOVERRIDE) {
            if (!fx) return DDERR_INVALIDPARAMS;
            key = fx->ddckSrcColorkey;
        } else if (flags & DDBLT_KEYSRC) {
            if (!source->hasSourceKey_) return DDERR_NOCOLORKEY;
            key = source->sourceKey_;
        }
    }
    std::vector<RECT> clips;
    if (clipper_) {
        for (const RECT& clip : clipper_->EffectiveRects(Shifted(bounds, origin.x, origin.y))) {
            clips.push_back(Shifted(clip, -origin.x, -origin.y));
        }
    } else if (Inside(dest, bounds)) {
        clips.push_back(bounds);
    } else {
        return DDERR_INVALIDRECT;  // without a clipper a blit must stay on the surface
    }
    // A blit within one surface reads a copy, so overlapping rectangles come out right.
    std::unique_ptr<IDirectDrawSurface7> copy;
    if (source == this) {
        copy = std::make_unique<IDirectDrawSurface7>(nullptr, width_, height_, bits_, rgbBits_, 0);
        copy->pixels_ = pixels_;
        source = copy.get();
    }
    for (const RECT& clip : clips) {
        BltOne(dest, source, src, clip, flags, fx, key);
    }
    if (caps_ & DDSCAPS_PRIMARYSURFACE) {
        PresentToHost();
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Flip(IDirectDrawSurface7*, DWORD) {
    if (!(caps_ & DDSCAPS_FLIP) || !backBuffer_) {
        return DDERR_NOTFLIPPABLE;
    }
    if (lost_ || backBuffer_->lost_) {
        return DDERR_SURFACELOST;
    }
    if (locked_ || hasDc_ || backBuffer_->locked_ || backBuffer_->hasDc_) {
        return DDERR_SURFACEBUSY;
    }
    std::swap(pixels_, backBuffer_->pixels_);
    PresentToHost();
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD, HANDLE) {
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2)) {
        return DDERR_INVALIDPARAMS;
    }
    if (lost_) {
        return DDERR_SURFACELOST;
    }
    if (locked_ || hasDc_) {
        return DDERR_SURFACEBUSY;
    }
    const RECT bounds{0, 0, width_, height_};
    const RECT area = rect ? *rect : bounds;
    if (IsEmpty(area) || !Inside(area, bounds)) {
        return DDERR_INVALIDRECT;
    }
    locked_ = true;
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_LPSURFACE | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->lpSurface = pixels_.data() + static_cast<size_t>(area.top) * static_cast<size_t>(pitch_) +
                      static_cast<size_t>(area.left) * static_cast<size_t>(BytesPerPixel(bits_));
    desc->ddsCaps.dwCaps = caps_;
    desc->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    FillPixelFormat(desc->ddpfPixelFormat, bits_, rgbBits_);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Unlock(RECT*) {
    if (!locked_) {
        return DDERR_NOTLOCKED;
    }
    locked_ = false;
    if (caps_ & DDSCAPS_PRIMARYSURFACE) {
        PresentToHost();  // what was written to the visible surface shows
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetDC(HDC* dc) {
    if (!dc) {
        return DDERR_INVALIDPARAMS;
    }
    if (locked_ || hasDc_) {
        return DDERR_SURFACEBUSY;
    }
    hasDc_ = true;
    dc_ = DeviceContext{this, 0, OPAQUE};
    *dc = &dc_;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::ReleaseDC(HDC dc) {
    if (!hasDc_ || dc != &dc_) {
        return DDERR_NODC;
    }
    hasDc_ = false;
    if (caps_ & DDSCAPS_PRIMARYSURFACE) {
        PresentToHost();
    }
    return DD_OK;
}

const IDirectDrawPalette* IDirectDrawSurface7::ShowingPalette() const {
    if (palette_) return palette_;
    if (owner_ && owner_->primary_) return owner_->primary_->palette_;
    return nullptr;
}

void IDirectDrawSurface7::PresentToHost() {
    const IDirectDrawPalette* palette = ShowingPalette();
    HostGet().Present(
        HostFrame{.pixels = pixels_.data(),
                  .pitch = pitch_,
                  .width = width_,
                  .height = height_,
                  .bitsPerPixel = bits_,
                  .rgbBits = rgbBits_,
                  .palette = palette ? reinterpret_cast<const uint8_t*>(palette->entries().data()) : nullptr});
}

POINT IDirectDrawSurface7::ScreenOrigin() const {
    RECT window{};
    if ((caps_ & DDSCAPS_PRIMARYSURFACE) && owner_ && owner_->modeBits_ == 0 && owner_->window_ &&
        GetWindowRect(owner_->window_, &window)) {
        return POINT{window.left, window.top};
    }
    return POINT{0, 0};
}

// --- DirectDraw object ---

IDirectDraw7::~IDirectDraw7() {
    for (IDirectDrawSurface7* surface : surfaces_) surface->owner_ = nullptr;
    if (level_ & DDSCL_FULLSCREEN) {
        HostGet().SetFullscreen(false);
    }
}

HRESULT IDirectDraw7::SetCooperativeLevel(HWND window, DWORD flags) {
    const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    if (fullscreen != exclusive || (fullscreen && (flags & DDSCL_NORMAL))) {
        return DDERR_INVALIDPARAMS;
    }
    if ((fullscreen && !IsWindow(window)) || (window && !IsWindow(window))) {
        return DDERR_INVALIDPARAMS;
    }
    if ((level_ & DDSCL_EXCLUSIVE) && !exclusive) {
        RestoreDisplayMode();
    }
    window_ = window;
    level_ = flags;
    return DD_OK;
}

HRESULT IDirectDraw7::RestoreDisplayMode() {
    if (!(level_ & DDSCL_EXCLUSIVE)) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    modeWidth_ = modeHeight_ = modeBits_ = 0;
    HostGet().SetFullscreen(false);
    return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD, DWORD) {
    if (!(level_ & DDSCL_EXCLUSIVE)) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    if (width == 0 || height == 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide ||
        (bitsPerPixel != 8 && bitsPerPixel != 16)) {
        return DDERR_UNSUPPORTEDMODE;
    }
    modeWidth_ = static_cast<int>(width);
    modeHeight_ = static_cast<int>(height);
    modeBits_ = static_cast<int>(bitsPerPixel);
    // The machine's screen mode is never changed: the host scales the picture to the desktop.
    HostGet().SetFullscreen(true);
    return DD_OK;
}

HRESULT IDirectDraw7::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown*) {
    if (!desc || !surface || desc->dwSize != sizeof(DDSURFACEDESC2)) {
        return DDERR_INVALIDPARAMS;
    }
    if (level_ == 0) {
        return DDERR_NOCOOPERATIVELEVELSET;
    }
    const DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    const bool hasMode = modeBits_ != 0;
    const int currentBits = hasMode ? modeBits_ : StorageBits(desktopBits);
    const int currentRgb = hasMode ? modeBits_ : desktopBits;
    try {
        if (caps & DDSCAPS_PRIMARYSURFACE) {
            if (primary_) return DDERR_PRIMARYSURFACEALREADYEXISTS;
            int width = modeWidth_, height = modeHeight_;
            if (!hasMode) {
                RECT r{0, 0, 640, 480};
                if (window_) GetWindowRect(window_, &r);
                width = r.right - r.left;
                height = r.bottom - r.top;
            }
            const bool chain = (caps & DDSCAPS_FLIP) && (desc->dwFlags & DDSD_BACKBUFFERCOUNT) &&
                               desc->dwBackBufferCount > 0;
            if (chain && (!(level_ & DDSCL_FULLSCREEN) || !hasMode)) return DDERR_NOEXCLUSIVEMODE;
            if (chain && desc->dwBackBufferCount > 1) return DDERR_INVALIDPARAMS;
            auto* front = ComMake<IDirectDrawSurface7>(this, width, height, currentBits, currentRgb,
                                                       caps | (chain ? DDSCAPS_FRONTBUFFER : 0));
            if (chain) {
                front->backBuffer_ = ComMake<IDirectDrawSurface7>(this, width, height, currentBits, currentRgb,
                                                                  DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
            }
            primary_ = front;
            *surface = front;
            return DD_OK;
        }
        if (!(desc->dwFlags & DDSD_WIDTH) || !(desc->dwFlags & DDSD_HEIGHT) || desc->dwWidth == 0 ||
            desc->dwHeight == 0 || desc->dwWidth > kMaxSurfaceSide || desc->dwHeight > kMaxSurfaceSide) {
            return DDERR_INVALIDPARAMS;
        }
        int bits = currentBits, rgb = currentRgb;
        if (desc->dwFlags & DDSD_PIXELFORMAT) {
            const DWORD count = desc->ddpfPixelFormat.dwRGBBitCount;
            if (count != 8 && count != 15 && count != 16) return DDERR_INVALIDPIXELFORMAT;
            bits = StorageBits(static_cast<int>(count));
            rgb = static_cast<int>(count);
        }
        auto* made = ComMake<IDirectDrawSurface7>(this, static_cast<int>(desc->dwWidth),
                                                  static_cast<int>(desc->dwHeight), bits, rgb,
                                                  caps | DDSCAPS_OFFSCREENPLAIN);
        if (desc->dwFlags & DDSD_CKSRCBLT) {
            made->SetColorKey(DDCKEY_SRCBLT, &desc->ddckCKSrcBlt);
        }
        *surface = made;
        return DD_OK;
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
}

HRESULT IDirectDraw7::CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown*) {
    if (!entries || !palette || !(flags & DDPCAPS_8BIT)) {
        return DDERR_INVALIDPARAMS;
    }
    auto* made = ComMake<IDirectDrawPalette>();
    std::memcpy(made->entries_.data(), entries, sizeof(PALETTEENTRY) * 256);
    made->caps_ = flags;
    *palette = made;
    return DD_OK;
}

HRESULT IDirectDraw7::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown*) {
    if (!clipper) {
        return DDERR_INVALIDPARAMS;
    }
    *clipper = ComMake<IDirectDrawClipper>();
    return DD_OK;
}

HRESULT IDirectDraw7::WaitForVerticalBlank(DWORD, HANDLE) { return DD_OK; }

HRESULT IDirectDrawSurface7::Restore() {
    lost_ = false;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDraw7::RestoreAllSurfaces() {
    for (IDirectDrawSurface7* surface : surfaces_) surface->Restore();
    return DD_OK;
}

void DirectDrawLoseSurfaces(IDirectDraw7* directDraw) {
    if (!directDraw) {
        return;
    }
    for (IDirectDrawSurface7* surface : directDraw->surfaces_) {
        surface->lost_ = !(surface->caps_ & DDSCAPS_SYSTEMMEMORY);
    }
}

HRESULT DirectDrawCreateEx(GUID*, void** directDraw, REFIID iid, IUnknown* outer) {
    if (!directDraw || outer) {
        return DDERR_INVALIDPARAMS;
    }
    if (!(iid == IID_IDirectDraw7)) {
        return E_NOINTERFACE;
    }
    *directDraw = ComMake<IDirectDraw7>();
    return DD_OK;
}
