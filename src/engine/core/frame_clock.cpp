#include "engine/core/frame_clock.h"

#include "platform/standins/win32.h"

namespace {
uint32_t clockStamp = 0;
}

uint32_t FrameClockNow() { return timeGetTime(); }

uint32_t FrameClockStart() {
    clockStamp = FrameClockNow();
    return clockStamp;
}

// Waits until the budget has passed, measured modulo 2^32 so the wrap of the clock is harmless.
// The wait sleeps, never spins: the program asks for the timer's finest period at start-up, so
// a sleep ends within about a millisecond of when it should.
uint32_t FrameClockWait(uint32_t ms) {
    for (;;) {
        const uint32_t elapsed = FrameClockNow() - clockStamp;
        if (elapsed >= ms) {
            break;
        }
        Sleep(ms - elapsed);
    }
    return FrameClockNow();
}
