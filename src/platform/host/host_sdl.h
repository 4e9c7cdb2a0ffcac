// The SDL host: a real window, the keyboard and game controllers, the wall clock and an audio
// device, for the game and the showcase on a desktop.
#pragma once

#include "platform/host/host.h"

// The SDL host, created on first use.
Host& HostSdl();
// Calls `observer` with the file of each screenshot saved (F12); nullptr for none.
void HostSdlSetScreenshotObserver(void (*observer)(const std::string& file));
