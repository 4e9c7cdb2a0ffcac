// On Windows: the system's own component object model, in place of our stand-in.
#pragma once

#include "platform/standins/win32.h"

#include <objbase.h>
