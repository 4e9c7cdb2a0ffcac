#include "engine/gfx/text.h"

#include "engine/gfx/palette.h"

#include <string>

int32_t SurfaceDrawText(const char* text, int32_t x, int32_t y, COLORREF colour, IDirectDrawSurface7* surface) {
    HDC dc = nullptr;
    if (!surface || !text || FAILED(surface->GetDC(&dc))) {
        return 0;
    }
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    try {
        TextOutA(dc, x, y, text, static_cast<int>(std::char_traits<char>::length(text)));
    } catch (...) {  // no memory for the glyphs: nothing drawn, and the surface is given back
    }
    surface->ReleaseDC(dc);
    return 1;
}

int32_t SurfaceDrawTextIndexed(const char* text, int32_t x, int32_t y, int32_t paletteIndex,
                               IDirectDrawSurface7* surface) {
    const PALETTEENTRY& entry = PaletteTable[paletteIndex & 0xFF];
    const COLORREF colour = static_cast<COLORREF>(entry.peRed) | (static_cast<COLORREF>(entry.peGreen) << 8) |
                            (static_cast<COLORREF>(entry.peBlue) << 16);
    return SurfaceDrawText(text, x, y, colour, surface);
}
