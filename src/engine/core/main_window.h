// The program's one window: its handles, stored by WinMain and read by the display, sound and
// music set-up, and the request that ends the program.
#pragma once

#include "platform/standins/win32.h"

#include <cstdint>

extern HWND MainWindowHandle;
extern HINSTANCE MainInstanceHandle;

// Posts WM_DESTROY to the main window; returns 1.
int32_t RequestQuit();
