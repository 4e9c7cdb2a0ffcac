// On Windows: the system's own window, message, keyboard, clock, multimedia timer and GDI
// services, in place of our stand-in of the same name; one header for all of them, split as
// the stand-in is.
#pragma once

#include "platform/standins/win32_gdi_text.h"
#include "platform/standins/win32_kernel.h"
#include "platform/standins/win32_keys.h"
#include "platform/standins/win32_types.h"
#include "platform/standins/win32_window.h"
