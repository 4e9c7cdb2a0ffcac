// The palette: the program's copy of the 256 display colours, the palette text file, and the
// operations that set, read, rotate and blink entries of the display palette.
#pragma once

#include "platform/standins/ddraw.h"

#include <cstdint>

extern PALETTEENTRY PaletteTable[256];

// One blinking palette entry.
struct BlinkEntry {
    int32_t paletteIndex;
    PALETTEENTRY onColor;
    PALETTEENTRY offColor;
    int32_t onTime;
    int32_t offTime;
    int32_t counter;
    int32_t phase;  // 0 free, -1 off colour shown, +1 on colour shown
};

enum BlinkOperation : int32_t { BLINK_ADD = 0, BLINK_REMOVE = 1, BLINK_CHANGE = 2, BLINK_STEP = 3 };

// Reads a palette text file into `entries`; 0 only when the file cannot be opened.
int32_t PaletteLoad(const char* fileName, PALETTEENTRY* entries);
// Writes 256 entries as a palette text file; 0 only when the file cannot be created.
int32_t PaletteSave(const char* fileName, const PALETTEENTRY* entries);
// Sets one display palette entry and its copy in PaletteTable; 0 for an index outside 0-255.
int32_t PaletteSetEntry(int32_t index, const PALETTEENTRY* entry);
// Copies one entry of PaletteTable out; 0 for an index outside 0-255.
int32_t PaletteGetEntry(int32_t index, PALETTEENTRY* entry);
// Replaces PaletteTable and all 256 display entries with `entries`; returns 1.
int32_t PaletteSetAll(const PALETTEENTRY* entries);
// Copies PaletteTable out; returns 1.
int32_t PaletteGetAll(PALETTEENTRY* entries);
// Moves display entries first..last up one place, the last to first; 0 for a bad range.
int32_t PaletteRotate(int32_t first, int32_t last);
// Adds (0), removes (1), changes (2) or steps (3) blinking entries; see BlinkOperation.
int32_t PaletteBlink(int32_t operation, const BlinkEntry* entry, int32_t id);
// Back to the start values: PaletteTable zero, the blink table not yet made.
void PaletteReset();
