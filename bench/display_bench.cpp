// One display pass of the first menu screen (clear, lock, 640x480 picture copy, unlock, flip with
// the conversion to 32-bit colour a screen needs) beside the memcpy floor of the same bytes.
#include "converting_host.h"
#include "engine/core/engine.h"
#include "engine/core/main_window.h"
#include "engine/gfx/bitmap_image.h"
#include "engine/gfx/display.h"
#include "platform/standins/stand_ins.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

struct MenuScene {
    MenuScene() {
        HostSet(&host);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "BENCH";
        RegisterClassExA(&windowClass);
        MainWindowHandle = CreateWindowExA(0, "BENCH", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                                           nullptr);
        DisplayInit(640, 480, 8, 0);
        BitmapFile file;
        file.infoHeader.biWidth = 640;
        file.pixels.resize(640 * 480);
        for (size_t i = 0; i < file.pixels.size(); ++i) file.pixels[i] = static_cast<uint8_t>(i * 31);
        BitmapImageCreate(&image, 0, 0, 640, 480, 8);
        BitmapImageLoad(&image, &file, 0, 0, 1);
    }
    ~MenuScene() {
        DisplayShutdown();
        ProcessReset(EngineReset);
        HostSet(nullptr);
    }
    ConvertingHost host;
    BitmapImage image;
};

void BM_MenuDisplayPass(benchmark::State& state) {
    MenuScene scene;
    for (auto _ : state) {
        DisplayFill(Display.backSurface, 0, nullptr);
        DisplayLockBack();
        BitmapImageDraw(&scene.image, Display.backMemory, Display.backPitch, 0);
        DisplayUnlockBack();
        DisplayFlip();
    }
    state.SetBytesProcessed(state.iterations() * (307200 + 1228800));
}
BENCHMARK(BM_MenuDisplayPass)->Unit(benchmark::kMicrosecond);

// The floor: the picture's bytes copied once in and the screen's 32-bit bytes copied once out.
void BM_MemcpyFloor(benchmark::State& state) {
    std::vector<uint8_t> pictureIn(307200, 1), pictureOut(307200);
    std::vector<uint8_t> screenIn(1228800, 2), screenOut(1228800);
    for (auto _ : state) {
        std::memcpy(pictureOut.data(), pictureIn.data(), pictureIn.size());
        std::memcpy(screenOut.data(), screenIn.data(), screenIn.size());
        benchmark::DoNotOptimize(pictureOut.data());
        benchmark::DoNotOptimize(screenOut.data());
    }
    state.SetBytesProcessed(state.iterations() * (307200 + 1228800));
}
BENCHMARK(BM_MemcpyFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
