// The SDL host: a real window, the keyboard and game controllers, the wall clock and an audio
// device, for the game and the showcase on a desktop.
#pragma once

#include "platform/host/host.h"

// The SDL host, created on first use.
Host& HostSdl();
