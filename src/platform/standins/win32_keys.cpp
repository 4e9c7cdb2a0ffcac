#include "platform/standins/win32_keys.h"

#include "platform/host/host.h"

SHORT GetAsyncKeyState(int virtualKey) { return HostGet().KeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0; }
