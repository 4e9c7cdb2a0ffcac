// The program's frame: the entry point, the window procedure, start-up and shut-down.
#pragma once

#include "platform/standins/win32.h"

#include <cstdint>

// The entry point: makes the window, runs start-up, the loop and shut-down. 0 when the window
// class or the window cannot be made, else the quit message's parameter.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
// The window procedure of the one window.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Builds every resource the game uses; returns 1.
int32_t AppInit();
// Releases the images, the display, the sounds and the songs, in that order; returns 1.
int32_t AppShutdown();

// Observers of the loop, for the headless runner and tests: `before` runs before each pass's
// AppFrame and ends the loop (on to shut-down) by returning false; `after` runs after it.
struct ShellPassHooks {
    bool (*before)(uint64_t pass, void* user) = nullptr;
    void (*after)(uint64_t pass, void* user) = nullptr;
    void* user = nullptr;
};
void ShellSetPassHooks(const ShellPassHooks& hooks);

// Seeds the pseudo-random generator at start-up: from the time of day unless a seed was fixed.
void ShellFixSeed(bool fixed, unsigned seed);
// The seed start-up gave srand (0 before start-up).
unsigned ShellSeed();
// Back to the start values of every process-wide record of the program: the loop's hooks and
// seed, then GameReset() (which resets the engine too).
void ShellReset();
