// The soak: 200,000 passes of seeded random keys on the headless host (some two and a half
// hours of play on the virtual clock). Nothing may crash or hang, and after warm-up the
// resident memory stays flat. The figures go to standard output for docs/robustness.md.
#include "fault_game.h"
#include "support/test_support.h"

#include "game/game_state.h"
#include "platform/standins/dmusic.h"
#include "platform/standins/win32.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>

namespace {

constexpr uint64_t kPasses = 200000;
constexpr uint64_t kWarmUp = 20000;
// Memory may wobble by allocator pages; a leak of even a few bytes a pass would pass this by far.
constexpr long kFlatKiB = 1024;

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Keys a player might hold, never the ones that end the program (Escape; Q and F2 on the title
// screen), so that the run lasts. Right is held more often than Left, as by a player who wants
// to get on: a fair random walk would seldom leave the first landscape.
std::vector<int> RandomKeys(std::mt19937& random) {
    struct Key {
        int code;
        unsigned oneIn;
    };
    static const Key keys[] = {{'N', 4}, {VK_DECIMAL, 8}, {VK_SPACE, 4}, {VK_LEFT, 8}, {VK_RIGHT, 2}, {VK_CONTROL, 4}};
    std::vector<int> held;
    for (const Key& key : keys) {
        if (random() % key.oneIn == 0) held.push_back(key.code);
    }
    return held;
}

bool SanitizedBuild() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

TEST(Soak, TwoHundredThousandPassesOfRandomKeys) {
    std::mt19937 random(20260);
    std::vector<int> held;
    uint64_t holdFor = 0;
    long warmKiB = 0, peakKiB = 0;
    uint64_t games = 0;
    int32_t lastMode = MenuScreen;
    const auto start = std::chrono::steady_clock::now();
    // Mixed as the clock moves, not kept; songs keep their time without being synthesised, as
    // in the headless runner when it keeps no audio.
    HeadlessHost host;
    host.SetAudioCapture(false);
    DirectMusicSetMuted(true);
    const GameRun run = PlayPasses(
        BuiltDataPack(), host, 7, kPasses,
        [&](uint64_t, std::vector<int>& keys) {
            if (holdFor == 0) {
                held = RandomKeys(random);
                holdFor = 1 + random() % 40;
            }
            --holdFor;
            keys = held;
        },
        [&](uint64_t pass) {
            games += lastMode == ReadyScreen && GameState.mode == Playing;
            lastMode = GameState.mode;
            if (pass + 1 == kWarmUp) warmKiB = ResidentKiB();
            if (pass + 1 >= kWarmUp && pass % 1000 == 0) peakKiB = std::max(peakKiB, ResidentKiB());
        });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long endKiB = ResidentKiB();
    std::printf(
        "soak: %llu passes (%llu games started) in %.1f s; resident %ld KiB after %llu passes, "
        "%ld KiB at most after that, %ld KiB at the end\n",
        static_cast<unsigned long long>(run.passes), static_cast<unsigned long long>(games), seconds, warmKiB,
        static_cast<unsigned long long>(kWarmUp), peakKiB, endKiB);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.passes, kPasses);
    EXPECT_FALSE(run.quitByItself);
    EXPECT_GT(games, 10u);
    // AddressSanitizer holds freed memory back in quarantine for a while, so the figure only
    // means something in a plain build.
    if (!SanitizedBuild()) {
        EXPECT_LE(peakKiB - warmKiB, kFlatKiB);
        EXPECT_LE(endKiB - warmKiB, kFlatKiB);
    }
}

}  // namespace
