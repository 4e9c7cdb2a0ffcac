// The effects: the one format the game plays, sensible lengths and levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "pack_files.h"

using namespace packtest;

TEST(PackEffects, ArePcm11025HzEightBitMono) {
    for (const std::string& name : EffectNames()) {
        SCOPED_TRACE(name);
        const Wave w = ParseWave(ReadFile(DataPath(name)));
        EXPECT_EQ(w.formatTag, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.sampleRate, 11025);
        EXPECT_EQ(w.byteRate, 11025);
        EXPECT_EQ(w.blockAlign, 1);
        EXPECT_EQ(w.bitsPerSample, 8);
        EXPECT_GE(w.formatChunkSize, 18u) << "readers take a whole 18-byte format record";
    }
}

TEST(PackEffects, LastBetweenAFifthOfASecondAndTwoAndAHalfSeconds) {
    for (const std::string& name : EffectNames()) {
        const double seconds = ParseWave(ReadFile(DataPath(name))).samples.size() / 11025.0;
        EXPECT_GE(seconds, 0.2) << name;
        EXPECT_LE(seconds, 2.5) << name;
    }
}

TEST(PackEffects, ReachFullScaleWithoutClipping) {
    for (const std::string& name : EffectNames()) {
        SCOPED_TRACE(name);
        const Wave w = ParseWave(ReadFile(DataPath(name)));
        int peak = 0, railRun = 0, longestRailRun = 0;
        for (std::uint8_t s : w.samples) {
            peak = std::max(peak, std::abs(int(s) - 128));
            railRun = (s == 0 || s == 255) ? railRun + 1 : 0;
            longestRailRun = std::max(longestRailRun, railRun);
        }
        EXPECT_GE(peak, 120) << "not normalised";
        EXPECT_LE(longestRailRun, 2) << "clipped";
        EXPECT_NEAR(w.samples.front(), 128, 2) << "starts with a click";
        EXPECT_NEAR(w.samples.back(), 128, 2) << "ends with a click";
    }
}

TEST(PackEffects, AreAudibleForMostOfTheirLength) {
    // Not a burst followed by silence: the loud part spans a good share of the file.
    for (const std::string& name : EffectNames()) {
        const Wave w = ParseWave(ReadFile(DataPath(name)));
        const std::size_t window = 441;
        std::size_t loud = 0, windows = 0;
        for (std::size_t at = 0; at + window <= w.samples.size(); at += window, ++windows) {
            double energy = 0;
            for (std::size_t i = at; i < at + window; ++i) energy += std::pow(w.samples[i] - 128.0, 2);
            if (std::sqrt(energy / window) > 6) ++loud;
        }
        EXPECT_GE(double(loud) / windows, 0.4) << name << " is mostly silent";
    }
}
