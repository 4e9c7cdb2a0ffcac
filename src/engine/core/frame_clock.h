// The frame clock: a stamp at the start of a pass and a wait until a budget has passed since it.
#pragma once

#include <cstdint>

// The system tick count in milliseconds.
uint32_t FrameClockNow();
// Stores FrameClockNow() as the stamp and returns it.
uint32_t FrameClockStart();
// Returns once `ms` milliseconds (modulo 2^32) have passed since the stamp; a fresh tick count.
uint32_t FrameClockWait(uint32_t ms);
