// On Windows: the system's own clock, multimedia timer, module, folder-name and text-conversion
// services, in place of our stand-in of the same name.
#pragma once

#include "platform/standins/win32_types.h"

#include <mmsystem.h>
