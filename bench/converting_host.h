// A headless host that converts every presented frame to 32-bit colour, as a screen would, so
// that benchmarks count the whole cost of showing a frame.
#pragma once

#include "platform/host/host_headless.h"
#include "platform/screen/screen_pixels.h"

#include <benchmark/benchmark.h>

#include <vector>

class ConvertingHost : public HeadlessHost {
public:
    void Present(const HostFrame& frame) override {
        screen.resize(static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height));
        ScreenPixelsConvert(frame, screen.data(), frame.width * 4, ScreenPixelOrder::Argb);
        benchmark::DoNotOptimize(screen.data());
    }
    std::vector<uint32_t> screen;
};
