#include "platform/host/host_headless.h"

#include <gtest/gtest.h>

namespace {

int pulls = 0;

void Ramp(void*, int16_t* out, int frames) {
    for (int i = 0; i < frames; ++i) {
        out[2 * i] = static_cast<int16_t>(pulls);
        out[2 * i + 1] = static_cast<int16_t>(-pulls);
        ++pulls;
    }
}

TEST(HeadlessHost, ClockMovesOnlyWhenWaiting) {
    HeadlessHost host;
    host.SetTicks(0xFFFFFFF0u);
    EXPECT_EQ(host.TicksMs(), 0xFFFFFFF0u);
    EXPECT_EQ(host.TicksMs(), 0xFFFFFFF0u);
    host.SleepMs(20);
    EXPECT_EQ(host.TicksMs(), 4u);  // wrapped
    host.SpinPause();
    EXPECT_EQ(host.TicksMs(), 5u);
    EXPECT_EQ(host.waitedMs(), 21u);
}

TEST(HeadlessHost, AudioIsPulledAsTheClockMoves) {
    HeadlessHost host;
    pulls = 0;
    ASSERT_EQ(host.AudioOpen(44100, Ramp, nullptr), 44100);
    host.SleepMs(10);
    EXPECT_EQ(host.audio().size(), 441u * 2);
    host.SleepMs(990);
    EXPECT_EQ(host.audio().size(), 44100u * 2);
    EXPECT_EQ(host.audio()[2 * 100], 100);
    host.AudioClose();
    host.SleepMs(100);
    EXPECT_EQ(host.audio().size(), 44100u * 2);
}

TEST(HeadlessHost, NoDeviceNoAudio) {
    HeadlessHost host;
    host.SetAudioAvailable(false);
    EXPECT_EQ(host.AudioOpen(44100, Ramp, nullptr), 0);
}

TEST(HeadlessHost, KeysAreTheCallers) {
    HeadlessHost host;
    host.SetKey('N', true);
    EXPECT_TRUE(host.KeyDown('N'));
    EXPECT_FALSE(host.KeyDown(300));
    host.ReleaseAllKeys();
    EXPECT_FALSE(host.KeyDown('N'));
}

}  // namespace
