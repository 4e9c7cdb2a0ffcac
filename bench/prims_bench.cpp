// Speed of the raster primitives on a 640 x 480 surface in memory: triangle fills (float and
// fixed-point edges, 8 and 16 bits) against a plain memset of the same number of pixels,
// clipped lines, and the convex polygon fill. Rates are reported per pixel ("items") and per
// byte, so the fills can be compared with memset's byte rate directly.
#include "engine/gfx/display.h"
#include "engine/gfx/prims/lines.h"
#include "engine/gfx/prims/polygons.h"
#include "engine/gfx/prims/triangles.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

using Routine = void (*)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t*, int32_t);

// The large triangle: half the screen, cut by its diagonal.
constexpr int kTriangle[6] = {0, 0, kWidth - 1, 0, 0, kHeight - 1};

template <typename Pixel>
int64_t CountDrawn(const std::vector<Pixel>& pixels) {
    int64_t count = 0;
    for (Pixel p : pixels) count += p != 0 ? 1 : 0;
    return count;
}

// Pixels the large triangle covers, measured once by drawing it.
int64_t TrianglePixels() {
    static const int64_t pixels = [] {
        std::vector<uint8_t> screen(kWidth * kHeight);
        DrawTriangle8(kTriangle[0], kTriangle[1], kTriangle[2], kTriangle[3], kTriangle[4], kTriangle[5], 1,
                      screen.data(), kWidth);
        return CountDrawn(screen);
    }();
    return pixels;
}

template <typename Pixel>
void FillTriangle(benchmark::State& state, Routine routine) {
    DisplayReset();
    std::vector<Pixel> screen(kWidth * kHeight);
    auto* memory = reinterpret_cast<uint8_t*>(screen.data());
    const int32_t pitch = kWidth * sizeof(Pixel);
    int32_t colour = 1;
    for (auto _ : state) {
        routine(kTriangle[0], kTriangle[1], kTriangle[2], kTriangle[3], kTriangle[4], kTriangle[5], colour, memory,
                pitch);
        colour = colour == 1 ? 2 : 1;
        benchmark::ClobberMemory();
    }
    const int64_t pixels = TrianglePixels();
    state.SetItemsProcessed(state.iterations() * pixels);
    state.SetBytesProcessed(state.iterations() * pixels * static_cast<int64_t>(sizeof(Pixel)));
}

void BM_TriangleFloat8(benchmark::State& state) { FillTriangle<uint8_t>(state, DrawTriangle8); }
void BM_TriangleFixed8(benchmark::State& state) { FillTriangle<uint8_t>(state, DrawTriangleFixed8); }
void BM_TriangleFloat16(benchmark::State& state) { FillTriangle<uint16_t>(state, DrawTriangle16); }

// memset of as many pixels as the triangle covers, at 1 or 2 bytes a pixel.
void BM_MemsetTrianglePixels(benchmark::State& state) {
    const auto bytesPerPixel = static_cast<size_t>(state.range(0));
    const auto bytes = static_cast<size_t>(TrianglePixels()) * bytesPerPixel;
    std::vector<uint8_t> screen(static_cast<size_t>(kWidth) * kHeight * bytesPerPixel);
    int colour = 1;
    for (auto _ : state) {
        std::memset(screen.data(), colour, bytes);
        colour ^= 3;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * TrianglePixels());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

// 256 random lines from well outside the screen to well outside it; the pixels counted are
// those of the clipped lines.
void BM_ClippedLines8(benchmark::State& state) {
    DisplayReset();
    std::mt19937 random(3);
    std::uniform_int_distribution<int> x(-320, kWidth + 320), y(-240, kHeight + 240);
    std::vector<int> ends;
    int64_t pixelsPerRound = 0;
    for (int i = 0; i < 256; ++i) {
        int x0 = x(random), y0 = y(random), x1 = x(random), y1 = y(random);
        ends.insert(ends.end(), {x0, y0, x1, y1});
        if (ClipLineToRect(x0, y0, x1, y1)) {
            pixelsPerRound += std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1;
        }
    }
    std::vector<uint8_t> screen(kWidth * kHeight);
    for (auto _ : state) {
        for (size_t i = 0; i < ends.size(); i += 4) {
            DrawClippedLine8(ends[i], ends[i + 1], ends[i + 2], ends[i + 3], 5, screen.data(), kWidth);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pixelsPerRound);
}

// A 32-sided convex polygon of radius 230 in the middle of the screen.
void BM_FillPolygon8(benchmark::State& state) {
    std::vector<Point2D> vertices;
    for (int i = 0; i < 32; ++i) {
        const double angle = i * 2 * 3.14159265358979 / 32;
        vertices.push_back({static_cast<float>(230 * std::cos(angle)), static_cast<float>(230 * std::sin(angle))});
    }
    Polygon2D polygon{1, 32, kWidth / 2, kHeight / 2, 1, vertices.data()};
    std::vector<uint8_t> screen(kWidth * kHeight);
    FillPolygon8(&polygon, screen.data(), kWidth);
    const int64_t pixels = CountDrawn(screen);
    for (auto _ : state) {
        FillPolygon8(&polygon, screen.data(), kWidth);
        polygon.colour ^= 3;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pixels);
    state.SetBytesProcessed(state.iterations() * pixels);
}

}  // namespace

BENCHMARK(BM_MemsetTrianglePixels)->Arg(1)->Arg(2);
BENCHMARK(BM_TriangleFloat8);
BENCHMARK(BM_TriangleFixed8);
BENCHMARK(BM_TriangleFloat16);
BENCHMARK(BM_ClippedLines8);
BENCHMARK(BM_FillPolygon8);
