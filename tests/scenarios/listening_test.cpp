// The mixed sound of games played on the generated data pack, as a listener hears it: a whole
// game never reaches full scale, and a stroke arrives at the device rate without the mirror
// images of its 11,025 Hz samples.
#include "scenario.h"

#include "game/characters.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "platform/standins/win32.h"
#include "runner.h"
#include "support/test_support.h"
#include "build_paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <numbers>

namespace {

struct Heard {
    std::vector<int16_t> audio;  // interleaved stereo at `rate`
    int rate = 0;
    std::vector<std::string> sounds;  // every effect started, in order
};

// Plays a game on the generated pack with its mixed audio kept.
Heard Play(unsigned seed, std::function<bool(uint64_t pass, std::vector<int>& keys)> keysFor) {
    TempDir dir;
    RunnerOptions options;
    options.dataDir = GAIABLADE_BUILD_DATA_DIR;
    options.seed = seed;
    options.passes = 20000;
    options.audioFile = (dir.path() / "heard.wav").string();
    options.keysFor = std::move(keysFor);
    Heard heard;
    options.afterPass = [&](uint64_t, const PassEvents& events, HeadlessHost&) {
        heard.sounds.insert(heard.sounds.end(), events.sounds.begin(), events.sounds.end());
    };
    EXPECT_EQ(RunnerRun(options), 0);
    std::ifstream in(options.audioFile, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 44) return heard;
    heard.rate = static_cast<uint8_t>(bytes[24]) | static_cast<uint8_t>(bytes[25]) << 8 |
                 static_cast<uint8_t>(bytes[26]) << 16;
    heard.audio.resize((bytes.size() - 44) / 2);
    std::memcpy(heard.audio.data(), bytes.data() + 44, heard.audio.size() * 2);
    return heard;
}

// The test-side player of the scenarios that beats every enemy: it walks up and answers the
// enemy's stroke at once with its own.
bool WinningPlayer(uint64_t pass, std::vector<int>& keys) {
    if (GameState.mode == EndingScreen) return false;
    if (GameState.mode == MenuScreen) keys = {'N'};
    if (GameState.mode == ReadyScreen && pass % 2 == 0) keys = {VK_SPACE};
    WinningMoves(keys);
    return true;
}

TEST(Listening, AWholeGameWithMusicAndEveryClashNeverReachesFullScale) {
    const Heard heard = Play(7, WinningPlayer);
    ASSERT_EQ(std::count(heard.sounds.begin(), heard.sounds.end(), "Aries Death.WAV"), 1) << "the game was won";
    ASSERT_GT(heard.audio.size(), 2u * 30 * 44100);
    int peak = 0;
    for (int16_t s : heard.audio) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32767);
    EXPECT_GT(peak, 16384) << "the clashes and deaths should still be loud";
}

// In place, for a power-of-two size.
void Fft(std::vector<std::complex<double>>& x) {
    const size_t n = x.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < len / 2; ++k, w *= turn) {
                const std::complex<double> a = x[i + k], b = x[i + k + len / 2] * w;
                x[i + k] = a + b;
                x[i + k + len / 2] = a - b;
            }
        }
    }
}

TEST(Listening, AStrokeHasNothingOfItsSamplesMirrorImagesAboveTheirHalfRate) {
    // Music silent, so that the stroke is alone in the mix: struck in the first playing pass,
    // far from the enemy, and heard to its end.
    setenv("GAIABLADE_SOUNDFONT", "/nonexistent/none.sf2", 1);
    const Heard heard = Play(1, [](uint64_t pass, std::vector<int>& keys) {
        if (pass == 0) keys = {'N'};
        if (pass == 1 || pass == 3) keys = {VK_SPACE};
        return pass < 24;
    });
    unsetenv("GAIABLADE_SOUNDFONT");
    ASSERT_EQ(heard.sounds, std::vector<std::string>{"Sword Strike.WAV"});
    ASSERT_GT(heard.rate, 0);
    // Power spectra of Hann-windowed stretches of the left side, added up.
    constexpr size_t kSize = 4096;
    std::vector<double> power(kSize / 2, 0.0);
    for (size_t from = 0; from + kSize <= heard.audio.size() / 2; from += kSize / 2) {
        std::vector<std::complex<double>> x(kSize);
        for (size_t i = 0; i < kSize; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / kSize);
            x[i] = hann * heard.audio[2 * (from + i)] / 32768.0;
        }
        Fft(x);
        for (size_t k = 0; k < kSize / 2; ++k) power[k] += std::norm(x[k]);
    }
    double below = 0.0, above = 0.0;
    for (size_t k = 1; k < kSize / 2; ++k) {
        const double hz = static_cast<double>(k) * heard.rate / kSize;
        (hz <= 5512.5 ? below : above) += power[k];
    }
    ASSERT_GT(below, 0.0);
    const double rejection = 10.0 * std::log10(above / below);
    std::printf("energy above 5.5 kHz: %.1f dB under the stroke's content\n", -rejection);
    EXPECT_LT(rejection, -50.0);
}

}  // namespace
