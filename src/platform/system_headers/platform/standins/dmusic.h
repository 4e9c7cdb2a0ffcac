// On Windows: the system's own DirectMusic performance, loader and segments, in place of our
// stand-in.
#pragma once

#include "platform/standins/dsound.h"

#include <dmusici.h>
