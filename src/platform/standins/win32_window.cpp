#include "platform/standins/win32_window.h"

#include "platform/host/host.h"
#include "platform/standins/ddraw.h"
#include "platform/standins/win32_kernel.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

struct WindowObject {
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    RECT rect{};
    bool destroyed = false;
    bool needsPaint = true;
};

struct GdiObject {
    int kind = 0;
};

namespace {

struct WindowClass {
    std::string name;
    WNDPROC procedure;
};

struct Win32State {
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<WindowObject>> windows;
    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;
    int cursorCount = 0;
};

Win32State state;
DeviceContext paintContext;  // painting draws nothing; the context only has to exist
GdiObject stockObjects[4] = {{1}, {2}, {3}, {4}};

bool IsLiveWindow(HWND window) {
    if (!window || window->destroyed) {
        return false;
    }
    for (const auto& w : state.windows) {
        if (w.get() == window) {
            return true;
        }
    }
    return false;
}

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window || !window->procedure) {
        return 0;
    }
    return window->procedure(window, message, wParam, lParam);
}

// The host's events become messages: a close request is WM_CLOSE posted to every live window;
// the player going away or coming back is WM_ACTIVATEAPP sent to each at once, as the system does.
void PumpHostEvents() {
    std::vector<HostEvent> events;
    HostGet().PumpEvents(events);
    for (const HostEvent& event : events) {
        for (size_t i = 0; i < state.windows.size(); ++i) {
            HWND w = state.windows[i].get();
            if (w->destroyed) {
                continue;
            }
            if (event.type == HostEventType::Close) {
                state.queue.push_back(MSG{w, WM_CLOSE, 0, 0, GetTickCount(), {}});
            } else {
                SendToWindow(w, WM_ACTIVATEAPP, event.type == HostEventType::FocusGained ? TRUE : FALSE, 0);
            }
        }
    }
}

HWND WindowNeedingPaint() {
    for (const auto& w : state.windows) {
        if (!w->destroyed && w->needsPaint) {
            return w.get();
        }
    }
    return nullptr;
}

}  // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpszClassName ||
        !windowClass->lpfnWndProc) {
        return 0;
    }
    for (const WindowClass& c : state.classes) {
        if (c.name == windowClass->lpszClassName) {
            return 0;
        }
    }
    state.classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc});
    return static_cast<ATOM>(0xC000 + state.classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int x, int y, int width, int height, HWND,
                     HMENU, HINSTANCE, void*) {
    const WindowClass* found = nullptr;
    for (const WindowClass& c : state.classes) {
        if (className && c.name == className) {
            found = &c;
        }
    }
    if (!found || width <= 0 || height <= 0) {
        return nullptr;
    }
    const char* title = windowName ? windowName : "";
    if (!HostGet().WindowOpen(title, width, height)) {
        return nullptr;
    }
    auto window = std::make_unique<WindowObject>();
    window->className = found->name;
    window->title = title;
    window->procedure = found->procedure;
    window->rect = RECT{x, y, x + width, y + height};
    HWND handle = window.get();
    state.windows.push_back(std::move(window));
    if (SendToWindow(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    return handle;
}

BOOL DestroyWindow(HWND window) {
    if (!IsLiveWindow(window)) {
        return FALSE;
    }
    SendToWindow(window, WM_DESTROY, 0, 0);
    window->destroyed = true;
    HostGet().WindowClose();
    return TRUE;
}

BOOL IsWindow(HWND window) { return IsLiveWindow(window) ? TRUE : FALSE; }

// Posted messages come first, then the quit message, then a paint for an invalid window.
BOOL PeekMessageA(MSG* msg, HWND window, UINT, UINT, UINT removeMessage) {
    PumpHostEvents();
    for (auto it = state.queue.begin(); it != state.queue.end(); ++it) {
        if (window && it->hwnd != window) {
            continue;
        }
        *msg = *it;
        if (removeMessage & PM_REMOVE) {
            state.queue.erase(it);
        }
        return TRUE;
    }
    if (state.quitPending) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(state.quitCode), 0, GetTickCount(), {}};
        if (removeMessage & PM_REMOVE) {
            state.quitPending = false;
        }
        return TRUE;
    }
    if (HWND dirty = WindowNeedingPaint(); dirty && (!window || window == dirty)) {
        *msg = MSG{dirty, WM_PAINT, 0, 0, GetTickCount(), {}};
        return TRUE;
    }
    return FALSE;
}

BOOL WaitMessage() {
    if (state.queue.empty() && !state.quitPending && !WindowNeedingPaint()) {
        HostGet().WaitForEvent();
    }
    return TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !IsLiveWindow(msg->hwnd)) {
        return 0;
    }
    return SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !IsLiveWindow(window)) {
        return FALSE;
    }
    state.queue.push_back(MSG{window, message, wParam, lParam, GetTickCount(), {}});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    state.quitPending = true;
    state.quitCode = exitCode;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_CLOSE: DestroyWindow(window); return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        default: return 0;
    }
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    if (!IsLiveWindow(window)) {
        return nullptr;
    }
    window->needsPaint = false;
    if (paint) {
        *paint = PAINTSTRUCT{
            &paintContext, FALSE,
            RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top}};
    }
    return &paintContext;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }

BOOL GetWindowRect(HWND window, RECT* rect) {
    if (!IsLiveWindow(window) || !rect) {
        return FALSE;
    }
    *rect = window->rect;
    return TRUE;
}

// The cursor shows while the display count is 0 or more, as the count of the real call.
int ShowCursor(BOOL show) {
    state.cursorCount += show ? 1 : -1;
    HostGet().SetCursorVisible(state.cursorCount >= 0);
    return state.cursorCount;
}

HICON LoadIconA(HINSTANCE, LPCSTR) { return &stockObjects[0]; }

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return &stockObjects[1]; }

HGDIOBJ GetStockObject(int object) { return object == BLACK_BRUSH ? &stockObjects[2] : &stockObjects[3]; }

void Win32Reset() { state = Win32State{}; }
