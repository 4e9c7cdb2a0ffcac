// Full-screen transitions: five palette effects that pull every colour toward black, white,
// blue, red or green, three that close the picture with rows or columns of colour 0 from the
// edges toward the middle, and one that sprinkles random pixels of colour 0. Each blocks until
// it is over and leaves its result in place (restoring the palette is the caller's business).
#pragma once

#include <cstdint>

enum TransitionEffect : int32_t {
    FadeBlack = 0,     // 80 steps: entries 1-255 lose 3 per step (entry 0 untouched)
    FadeWhite = 1,     // 64 steps: every entry gains 4 per step, up to 255
    CloseColumns = 2,  // columns close in from the left and right edges
    CloseRows = 3,     // rows close in from the top and bottom edges
    Speckle = 4,       // 4 x width x height + 1 random pixels, no pause
    CloseBoth = 5,     // rows and columns together; the rows wrap past mid-height
    TintBlue = 6,      // 64 steps toward blue
    TintRed = 7,       // 64 steps toward red
    TintGreen = 8,     // 64 steps toward green
};

// Plays effect `effect` (0-8; anything else does nothing) over the locked surface `memory`
// with `pitch` bytes per row, at Display's size and depth (8 or 16 bits; the drawing effects
// only pause at other depths or without memory). Palette and drawing steps each last at least
// 12 ms on the frame clock.
void PlayTransition(int32_t effect, uint8_t* memory, int32_t pitch);
