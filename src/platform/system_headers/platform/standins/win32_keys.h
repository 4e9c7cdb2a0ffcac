// On Windows: the system's own keyboard state, in place of our stand-in of the same name.
#pragma once

#include "platform/standins/win32_types.h"
