// On Windows: the system's own window, message, keyboard, clock, multimedia timer and GDI
// services, in place of our stand-in of the same name.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <mmsystem.h>
