#include "platform/host/host.h"

#include "platform/host/host_headless.h"

namespace {

Host* currentHost = nullptr;

uint32_t Rgb16To32(uint32_t w, int rgbBits) {
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
    return (r << 16) | (g << 8) | b;
}

}  // namespace

void HostFrameToRgb32(const HostFrame& frame, uint32_t* out, int outPitch) {
    uint32_t lookup[256];
    if (frame.bitsPerPixel == 8) {
        for (int i = 0; i < 256; ++i) {
            const uint8_t* e = frame.palette ? frame.palette + 4 * i : nullptr;
            lookup[i] = e ? (0xFF000000u | (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2]) : 0xFF000000u;
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
                dst[x] = 0xFF000000u | Rgb16To32(w, frame.rgbBits);
            }
        }
    }
}

Host& HostGet() {
    if (!currentHost) {
        // Until a program chooses its host, it runs on one that touches no machine.
        static HeadlessHost standIn;
        return standIn;
    }
    return *currentHost;
}

void HostSet(Host* host) { currentHost = host; }
