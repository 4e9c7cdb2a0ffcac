#include "engine/core/frame_clock.h"

#include "support/engine_support.h"

namespace {

using FrameClockTest = EngineTest;

TEST_F(FrameClockTest, WaitReturnsAtTheFirstTickPastTheBudget) {
    host.SetTicks(1000);
    EXPECT_EQ(FrameClockStart(), 1000u);
    EXPECT_EQ(FrameClockWait(30), 1030u);
    EXPECT_EQ(FrameClockNow(), 1030u);
}

TEST_F(FrameClockTest, SpentBudgetDoesNotWait) {
    host.SetTicks(0);
    FrameClockStart();
    host.SleepMs(45);
    const uint64_t waited = host.waitedMs();
    EXPECT_EQ(FrameClockWait(30), 45u);
    EXPECT_EQ(host.waitedMs(), waited);
}

TEST_F(FrameClockTest, WaitAcrossTheWrapOfTheTickCount) {
    host.SetTicks(0xFFFFFFF0u);
    FrameClockStart();
    EXPECT_EQ(FrameClockWait(30), 14u);  // 0xFFFFFFF0 + 30, modulo 2^32
}

TEST_F(FrameClockTest, WaitSleepsAndNeverSpins) {
    // Every host call that passes time either sleeps or spins; the wait only sleeps.
    class CountingHost : public HeadlessHost {
    public:
        void SleepMs(uint32_t ms) override {
            sleeps += 1;
            HeadlessHost::SleepMs(ms);
        }
        void SpinPause() override {
            spins += 1;
            HeadlessHost::SpinPause();
        }
        int sleeps = 0;
        int spins = 0;
    } counting;
    HostSet(&counting);
    FrameClockStart();
    FrameClockWait(200);
    EXPECT_EQ(counting.TicksMs(), 200u);
    EXPECT_LE(counting.sleeps, 2);
    EXPECT_EQ(counting.spins, 0);
    HostSet(&host);
}

}  // namespace
