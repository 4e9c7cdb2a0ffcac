// The program's frame: the entry point, the window procedure, start-up and shut-down, and the
// process-wide pictures and tables that start-up fills.
#pragma once

#include "gfx/bitmap_file.h"
#include "gfx/bitmap_image.h"
#include "platform/win32.h"

#include <cstdint>

extern BitmapImage MenuImages[4];
extern BitmapImage LandscapeImages[5];
extern BitmapFile ScratchBitmapFile;
// Effect ids by role (entries 2, 4, 5, 6, 7, 9, 10 are filled; the others stay 0).
extern int32_t SoundIds[11];
// Song ids: 0-4 the landscapes' songs, 5 the intro, 6 the ending.
extern int32_t SongIds[7];

// The entry point: makes the window, runs start-up, the loop and shut-down. 0 when the window
// class or the window cannot be made, else the quit message's parameter.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
// The window procedure of the one window.
LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Builds every resource the game uses; returns 1.
int32_t AppInit();
// Releases the images, the display, the sounds and the songs, in that order; returns 1.
int32_t AppShutdown();
// Posts WM_DESTROY to the main window; returns 1.
int32_t RequestQuit();

// Observers of the loop, for the headless runner and tests: `before` runs before each pass's
// AppFrame and ends the loop (on to shut-down) by returning false; `after` runs after it.
struct ShellPassHooks {
    bool (*before)(uint64_t pass, void* user) = nullptr;
    void (*after)(uint64_t pass, void* user) = nullptr;
    void* user = nullptr;
};
void ShellSetPassHooks(const ShellPassHooks& hooks);

// Says once on standard error that a data file could not be used ("TROUBLE "NAME"; going on
// without it"); later reports of the same file are dropped.
void ShellReportDataFile(const char* fileName, const char* trouble);

// Seeds the pseudo-random generator at start-up: from the time of day unless a seed was fixed.
void ShellFixSeed(bool fixed, unsigned seed);
// Back to the start values of every process-wide record of the program.
void ShellReset();
