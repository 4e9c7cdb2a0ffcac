#include "platform/screen/screen_pixels.h"

#include <cstddef>

namespace {

// Opaque red, green and blue in the screen's order, as a 32-bit word of the running machine.
uint32_t Pack(uint32_t r, uint32_t g, uint32_t b, ScreenPixelOrder order) {
    if (order == ScreenPixelOrder::Rgba) {
        return 0xFF000000u | (b << 16) | (g << 8) | r;
    }
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// A 5.6.5 or 5.5.5 word widened to 8 bits a channel, the top bits repeated into the bottom ones.
uint32_t Rgb16ToPixel(uint32_t w, int rgbBits, ScreenPixelOrder order) {
    uint32_t r, g, b;
    if (rgbBits == 15) {
        r = (w >> 10) & 31;
        g = (w >> 5) & 31;
        b = w & 31;
        g = (g << 3) | (g >> 2);
    } else {
        r = (w >> 11) & 31;
        g = (w >> 5) & 63;
        b = w & 31;
        g = (g << 2) | (g >> 4);
    }
    r = (r << 3) | (r >> 2);
    b = (b << 3) | (b >> 2);
    return Pack(r, g, b, order);
}

}  // namespace

void ScreenPixelsConvert(const HostFrame& frame, uint32_t* out, int outPitch, ScreenPixelOrder order) {
    uint32_t lookup[256];
    if (frame.bitsPerPixel == 8) {
        for (int i = 0; i < 256; ++i) {
            const uint8_t* e = frame.palette ? frame.palette + 4 * i : nullptr;
            lookup[i] = e ? Pack(e[0], e[1], e[2], order) : Pack(0, 0, 0, order);
        }
    }
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* src = frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch;
        uint32_t* dst =
            reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) + static_cast<ptrdiff_t>(y) * outPitch);
        if (frame.bitsPerPixel == 8) {
            for (int x = 0; x < frame.width; ++x) dst[x] = lookup[src[x]];
        } else {
            for (int x = 0; x < frame.width; ++x) {
                const uint32_t w = src[2 * x] | (uint32_t{src[2 * x + 1]} << 8);
                dst[x] = Rgb16ToPixel(w, frame.rgbBits, order);
            }
        }
    }
}
