// The handles of the program's one window, stored by WinMain and read by the display, sound and
// music set-up.
#pragma once

#include "platform/win32.h"

extern HWND MainWindowHandle;
extern HINSTANCE MainInstanceHandle;
