// On Windows: the system's own multimedia-file services, in place of our stand-in. They take
// the chunk sizes of a file on trust: the callers check them.
#pragma once

#include "platform/standins/win32.h"

#include <mmsystem.h>
