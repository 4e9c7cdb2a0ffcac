// The display: the DirectDraw object, the visible and back surfaces, the palette object, the
// clippers, the back surface's lock and the clip rectangle, as one process-wide record.
#pragma once

#include "platform/standins/ddraw.h"

#include <cstdint>

struct DisplayRecord {
    IDirectDraw7* directDraw = nullptr;
    IDirectDrawSurface7* primarySurface = nullptr;
    IDirectDrawSurface7* backSurface = nullptr;
    IDirectDrawPalette* palette = nullptr;
    IDirectDrawClipper* backClipper = nullptr;
    IDirectDrawClipper* windowClipper = nullptr;
    uint8_t* primaryMemory = nullptr;
    int32_t primaryPitch = 0;
    uint8_t* backMemory = nullptr;
    int32_t backPitch = 0;  // bytes per row, not pixels
    int32_t clipMinX = 0;
    int32_t clipMaxX = 639;
    int32_t clipMinY = 0;
    int32_t clipMaxY = 479;
    int32_t screenWidth = 640;
    int32_t screenHeight = 480;
    int32_t screenBitsPerPixel = 8;
    int32_t pixelFormat = 16;  // RGB bit count of the visible surface: 15 for 5.5.5, 16 for 5.6.5
    int32_t windowed = 0;
    int32_t windowOffsetX = 0;
    int32_t windowOffsetY = 0;
    uint16_t (*packRgb16)(int32_t red, int32_t green, int32_t blue) = nullptr;
    DDSURFACEDESC2 surfaceDesc{};
};

extern DisplayRecord Display;

// The palette text file that the display's set-up loads into PaletteTable.
constexpr const char* DISPLAY_PALETTE_FILE = "PALDATA2.PAL";

// Sets up the display (full screen when windowed is 0); 1 on success, 0 at the first failing step.
int32_t DisplayInit(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t windowed);
// Releases the clippers, palette, surfaces and DirectDraw object that are present; returns 1.
int32_t DisplayShutdown();
// Makes a clipper with `count` rectangles and attaches it to `surface`; the clipper or nullptr.
IDirectDrawClipper* DisplayAttachClipper(IDirectDrawSurface7* surface, int32_t count, const RECT* rectangles);
// Makes an off-screen surface with a source colour key; the surface or nullptr.
IDirectDrawSurface7* DisplayCreateSurface(int32_t width, int32_t height, int32_t memoryFlags, int32_t colourKey);
// Presents the back surface; 0 while a surface is locked (or when a windowed blit fails). A full
// screen whose surfaces were lost is restored instead, and shows the next pass's frame.
int32_t DisplayFlip();
// Restores the display's surfaces lost while the program was away; the next frame draws them
// again. 1, or 0 without a display or when the system refuses.
int32_t DisplayRestore();
// Fills `rect` of `surface` (all of it when rect is nullptr) with the low 16 bits of colour; 1.
int32_t DisplayFill(IDirectDrawSurface7* surface, int32_t colour, RECT* rect);
// Fills the rectangle of `surface` with all 32 bits of colour; returns 1.
int32_t DisplayFillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t colour,
                        IDirectDrawSurface7* surface);
// Locks the back surface (once; a second call returns the same memory); returns backMemory.
uint8_t* DisplayLockBack();
// Unlocks the back surface; 1, or 0 when it is not locked.
int32_t DisplayUnlockBack();
// Locks the primary surface; returns primaryMemory.
uint8_t* DisplayLockPrimary();
// Unlocks the primary surface; 1, or 0 when it is not locked.
int32_t DisplayUnlockPrimary();
// Locks `surface` and stores its pitch in *pitch when given; its memory, or nullptr.
uint8_t* DisplayLockSurface(IDirectDrawSurface7* surface, int32_t* pitch);
// Unlocks `surface`; 1, or 0 when no surface is given.
int32_t DisplayUnlockSurface(IDirectDrawSurface7* surface);
// Waits for the start of the vertical blank; returns 1.
int32_t DisplayWaitVerticalBlank();
// 16-bit colour words from 8-bit red, green and blue.
uint16_t PackRgb565(int32_t red, int32_t green, int32_t blue);
uint16_t PackRgb555(int32_t red, int32_t green, int32_t blue);
// Back to the start values (the record as at program start; nothing is released).
void DisplayReset();
