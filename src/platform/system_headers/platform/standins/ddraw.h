// On Windows: the system's own DirectDraw, in place of our stand-in.
#pragma once

#include "platform/standins/com.h"

#include <ddraw.h>
