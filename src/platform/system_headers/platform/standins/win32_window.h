// On Windows: the system's own window, message, cursor and resource services, in place of our
// stand-in of the same name.
#pragma once

#include "platform/standins/win32_types.h"
