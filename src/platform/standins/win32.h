// Our stand-in for the Windows window, message, keyboard, clock and GDI services the program
// calls, under their published names, with the behaviour the callers rely on: one header for
// all of them, as the system's <windows.h> is. Each part has its own header and source.
#pragma once

#include "platform/standins/win32_gdi_text.h"
#include "platform/standins/win32_kernel.h"
#include "platform/standins/win32_keys.h"
#include "platform/standins/win32_types.h"
#include "platform/standins/win32_window.h"
