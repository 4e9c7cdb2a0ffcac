// The one conversion of a finished frame (8-bit palette indices or 16-bit words) into the 32-bit
// pixels a screen shows, in the byte order the screen takes.
#pragma once

#include "platform/host/host.h"

#include <cstdint>

enum class ScreenPixelOrder {
    Argb,  // 0xAARRGGBB words: the SDL host's texture, screenshots, the headless host's frames
    Rgba,  // red, green, blue, alpha bytes in memory, as a page's canvas takes them
};

// Converts `frame` to opaque pixels in `order`, its rows `outPitch` bytes apart in `out`. An 8-bit
// frame without a palette comes out black.
void ScreenPixelsConvert(const HostFrame& frame, uint32_t* out, int outPitch, ScreenPixelOrder order);
