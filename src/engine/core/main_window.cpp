#include "engine/core/main_window.h"

HWND MainWindowHandle = nullptr;
HINSTANCE MainInstanceHandle = nullptr;

int32_t RequestQuit() {
    PostMessageA(MainWindowHandle, WM_DESTROY, 0, 0);
    return 1;
}
