// On Windows: the system's own integer types, handles and calling conventions, in place of our
// stand-in of the same name.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
