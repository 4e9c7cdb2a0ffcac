// The keyboard as the game reads it: a key is down or up at the moment of the question.
#pragma once

#include "platform/win/win32.h"

// True while the key with this virtual-key code is held.
inline bool KeyIsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
