#include "platform/standins/win32_gdi_text.h"

#include "platform/font/font.h"
#include "platform/standins/ddraw.h"

#include <string>

// Text on a surface's device context.

namespace {

uint32_t NearestPaletteIndex(const IDirectDrawPalette* palette, COLORREF colour) {
    if (!palette) return 0;
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (uint32_t i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = palette->entries()[i];
        const int dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// The surface's own value for a COLORREF: the nearest palette entry, or a 16-bit word.
uint32_t SurfaceColour(const IDirectDrawSurface7& surface, COLORREF colour) {
    if (surface.bitsPerPixel() == 8) return NearestPaletteIndex(surface.ShowingPalette(), colour);
    const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    if (surface.rgbBits() == 15) return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
}

void PutPixel(IDirectDrawSurface7& surface, int x, int y, uint32_t value) {
    uint8_t* row = surface.memory() + static_cast<size_t>(y) * static_cast<size_t>(surface.pitch());
    if (surface.bitsPerPixel() == 8) {
        row[x] = static_cast<uint8_t>(value);
    } else {
        row[2 * x] = static_cast<uint8_t>(value);
        row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
    }
}

// Text is drawn solid where the glyphs cover at least half a pixel, as an unsmoothed system
// font draws; an opaque background fills the text's box with white first.
bool DrawText(IDirectDrawSurface7& surface, int x, int y, const std::string& text, COLORREF colour, bool opaque) {
    FontMask mask;
    if (!FontRender(text.c_str(), mask)) {
        return false;
    }
    const uint32_t ink = SurfaceColour(surface, colour);
    const uint32_t paper = SurfaceColour(surface, RGB(255, 255, 255));
    // Positions in 64 bits: text may start anywhere a caller names, up to the ends of an int.
    for (int row = 0; row < mask.height; ++row) {
        const int64_t py = int64_t{y} + row;
        if (py < 0 || py >= surface.height()) continue;
        for (int column = 0; column < mask.width; ++column) {
            const int64_t px = int64_t{x} + column;
            if (px < 0 || px >= surface.width()) continue;
            const uint8_t cover =
                mask.coverage[static_cast<size_t>(row) * static_cast<size_t>(mask.width) + static_cast<size_t>(column)];
            if (cover >= 128) {
                PutPixel(surface, static_cast<int>(px), static_cast<int>(py), ink);
            } else if (opaque) {
                PutPixel(surface, static_cast<int>(px), static_cast<int>(py), paper);
            }
        }
    }
    return true;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (!dc) return 0xFFFFFFFFu;
    const COLORREF old = dc->textColour;
    dc->textColour = colour;
    return old;
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int old = dc->backgroundMode;
    dc->backgroundMode = mode;
    return old;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (!dc || !text || length < 0) return FALSE;
    if (!dc->surface) return TRUE;  // a paint context: nothing to draw on
    return DrawText(*dc->surface, x, y, std::string(text, static_cast<size_t>(length)), dc->textColour,
                    dc->backgroundMode == OPAQUE)
               ? TRUE
               : FALSE;
}
