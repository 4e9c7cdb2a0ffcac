#include "app/main_window.h"

HWND MainWindowHandle = nullptr;
HINSTANCE MainInstanceHandle = nullptr;
