#include "engine/frame_clock.h"

#include "platform/win/win32.h"

namespace {
uint32_t clockStamp = 0;
}

uint32_t FrameClockNow() { return GetTickCount(); }

uint32_t FrameClockStart() {
    clockStamp = FrameClockNow();
    return clockStamp;
}

// Waits until the budget has passed, measured modulo 2^32 so the wrap of the tick count is
// harmless. The wait sleeps through all but its last millisecond, then spins on the clock: the
// pass still ends at the first tick at or after its budget, without holding a core meanwhile.
uint32_t FrameClockWait(uint32_t ms) {
    for (;;) {
        const uint32_t elapsed = FrameClockNow() - clockStamp;
        if (elapsed >= ms) {
            break;
        }
        const uint32_t remaining = ms - elapsed;
        Sleep(remaining > 1 ? remaining - 1 : 0);
    }
    return FrameClockNow();
}
