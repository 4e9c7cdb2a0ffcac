// Passes of the game itself, on the headless host with the data pack: the first menu screen (the
// bare display pass), a playing pass (background, enemy and player with their probes and blits,
// flip) and a ready-screen pass (eight picture files read, two fighters rebuilt). Every pass
// ends with the conversion of the frame to 32-bit colour that a screen needs. The waits cost
// nothing here: the headless clock moves without sleeping.
#include "app/shell.h"
#include "converting_host.h"
#include "engine/core/main_window.h"
#include "game/characters.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "platform/standins/stand_ins.h"
#include "build_paths.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace {

// The program after start-up, as WinMain leaves it before its loop, without sound.
class Game {
public:
    explicit Game(int32_t mode) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(GAIABLADE_BUILD_DATA_DIR);
        host_.SetAudioAvailable(false);
        HostSet(&host_);
        ProcessReset(ShellReset);
        WNDCLASSEX windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = MainWindowProc;
        windowClass.lpszClassName = "WINCLASS1";
        RegisterClassExA(&windowClass);
        MainWindowHandle = CreateWindowExA(0, "WINCLASS1", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                                           nullptr, nullptr);
        AppInit();
        LoadCharacter(0);
        LoadCharacter(1);
        GameState.mode = mode;
    }
    ~Game() {
        AppShutdown();
        ProcessReset(ShellReset);
        HostSet(nullptr);
        std::filesystem::current_path(previous_);
    }

private:
    std::filesystem::path previous_;
    ConvertingHost host_;
};

void RunPasses(benchmark::State& state, int32_t mode) {
    Game game(mode);
    for (auto _ : state) {
        AppFrame();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MenuPass(benchmark::State& state) { RunPasses(state, MenuScreen); }
void BM_PlayingPass(benchmark::State& state) { RunPasses(state, Playing); }
void BM_ReadyScreenPass(benchmark::State& state) { RunPasses(state, ReadyScreen); }

BENCHMARK(BM_MenuPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayingPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadyScreenPass)->Unit(benchmark::kMicrosecond);

}  // namespace
