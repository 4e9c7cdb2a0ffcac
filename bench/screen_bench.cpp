// What the SDL screen does with a presented frame before handing rectangles to the window
// system: find the changed tiles, convert them to 32-bit colour, and enlarge and smooth their
// output areas. Two frames take turns: one where only two fighter-sized areas differ, and one
// where every pixel differs. The floor is a memcpy of the whole output's bytes.
#include "platform/screen/frame_changes.h"
#include "platform/screen/picture_scaler.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Frames {
    Frames() : first(kWidth * kHeight), palette(1024) {
        for (size_t i = 0; i < first.size(); ++i) first[i] = static_cast<uint8_t>((i * 131) ^ (i / kWidth));
        for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint8_t>(i * 37);
        fighters = first;
        everywhere = first;
        for (uint8_t& p : everywhere) p = static_cast<uint8_t>(p + 1);
        // The player and the enemy, 72x74 each, on the path.
        for (int left : {100, 400}) {
            for (int y = 300; y < 374; ++y) {
                for (int x = left; x < left + 72; ++x) fighters[static_cast<size_t>(y * kWidth + x)] ^= 0x3C;
            }
        }
    }
    HostFrame Frame(const std::vector<uint8_t>& pixels) const {
        return {
            .pixels = pixels.data(), .pitch = kWidth, .width = kWidth, .height = kHeight, .palette = palette.data()};
    }
    std::vector<uint8_t> first, fighters, everywhere, palette;
};

// Presents `second` and `first` by turns, as the SDL screen does with each frame.
void PresentByTurns(benchmark::State& state, const std::vector<uint8_t> Frames::*second) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const Frames frames;
    ShownFrame shown;
    PictureScaler scaler;
    scaler.Plan(kWidth, kHeight, width, height);
    std::vector<uint32_t> output(static_cast<size_t>(width) * static_cast<size_t>(height));
    shown.Take(frames.Frame(frames.first));
    scaler.Take(frames.Frame(frames.first), {0, 0, kWidth, kHeight});
    scaler.DrawAll(output.data(), width * 4);
    bool turn = false;
    for (auto _ : state) {
        turn = !turn;
        const HostFrame frame = frames.Frame(turn ? frames.*second : frames.first);
        for (const ScaleRect& area : shown.Take(frame)) {
            scaler.Take(frame, area);
            scaler.Draw(scaler.OutputArea(area), output.data(), width * 4);
        }
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
}

void BM_PresentTwoFighters(benchmark::State& state) { PresentByTurns(state, &Frames::fighters); }
void BM_PresentEverythingChanged(benchmark::State& state) { PresentByTurns(state, &Frames::everywhere); }

void BM_MemcpyOutput(benchmark::State& state) {
    const size_t bytes = static_cast<size_t>(state.range(0) * state.range(1)) * 4;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_PresentTwoFighters)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentEverythingChanged)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyOutput)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
