// On Windows: the system's own DirectSound, in place of our stand-in.
#pragma once

#include "platform/standins/com.h"

#include <dsound.h>
