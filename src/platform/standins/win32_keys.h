// Our stand-in for the Windows keyboard state the program asks for, under its published names:
// the virtual-key codes and GetAsyncKeyState. The keys are those of the current host
// (platform/host/host.h).
#pragma once

#include "platform/standins/win32_types.h"

// Virtual-key codes.
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_F2 = 0x71;

SHORT GetAsyncKeyState(int virtualKey);
