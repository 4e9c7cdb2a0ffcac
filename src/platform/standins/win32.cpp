#include "platform/standins/win32.h"

#include "platform/font/font.h"
#include "platform/host/host.h"
#include "platform/standins/ddraw.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

struct WindowObject {
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    RECT rect{};
    bool destroyed = false;
    bool needsPaint = true;
};

struct InstanceObject {
    int unused = 0;
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
InstanceObject moduleInstance;
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

SHORT GetAsyncKeyState(int virtualKey) { return HostGet().KeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0; }

// The cursor shows while the display count is 0 or more, as the count of the real call.
int ShowCursor(BOOL show) {
    state.cursorCount += show ? 1 : -1;
    HostGet().SetCursorVisible(state.cursorCount >= 0);
    return state.cursorCount;
}

DWORD GetTickCount() { return HostGet().TicksMs(); }

void Sleep(DWORD ms) {
    if (ms == 0) {
        HostGet().SpinPause();
    } else {
        HostGet().SleepMs(ms);
    }
}

DWORD timeGetTime() { return GetTickCount(); }

MMRESULT timeBeginPeriod(UINT) { return TIMERR_NOERROR; }

MMRESULT timeEndPeriod(UINT) { return TIMERR_NOERROR; }

DWORD GetModuleFileNameA(HMODULE, LPSTR fileName, DWORD size) {
    std::error_code error;
    const std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error || path.empty() || !fileName || size == 0) {
        return 0;
    }
    const DWORD length = static_cast<DWORD>(std::min<size_t>(path.size(), size - 1));
    std::memcpy(fileName, path.data(), length);
    fileName[length] = '\0';
    return length < path.size() ? size : length;
}

HICON LoadIconA(HINSTANCE, LPCSTR) { return &stockObjects[0]; }

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return &stockObjects[1]; }

HGDIOBJ GetStockObject(int object) { return object == BLACK_BRUSH ? &stockObjects[2] : &stockObjects[3]; }

void Win32Reset() { state = Win32State{}; }

HINSTANCE Win32ModuleInstance() { return &moduleInstance; }

// --- GDI text on a surface's device context ---

namespace {

uint32_t NearestPaletteIndex(const IDirectDrawPalette* palette, COLORREF colour) {
    if (!palette) return 0;
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (uint32_t i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = palette->entries()[i];
        const int dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// The surface's own value for a COLORREF: the nearest palette entry, or a 16-bit word.
uint32_t SurfaceColour(const IDirectDrawSurface7& surface, COLORREF colour) {
    if (surface.bitsPerPixel() == 8) return NearestPaletteIndex(surface.ShowingPalette(), colour);
    const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    if (surface.rgbBits() == 15) return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
}

void PutPixel(IDirectDrawSurface7& surface, int x, int y, uint32_t value) {
    uint8_t* row = surface.memory() + static_cast<size_t>(y) * static_cast<size_t>(surface.pitch());
    if (surface.bitsPerPixel() == 8) {
        row[x] = static_cast<uint8_t>(value);
    } else {
        row[2 * x] = static_cast<uint8_t>(value);
        row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
    }
}

// Text is drawn solid where the glyphs cover at least half a pixel, as an unsmoothed system
// font draws; an opaque background fills the text's box with white first.
bool DrawText(IDirectDrawSurface7& surface, int x, int y, const std::string& text, COLORREF colour, bool opaque) {
    FontMask mask;
    if (!FontRender(text.c_str(), mask)) {
        return false;
    }
    const uint32_t ink = SurfaceColour(surface, colour);
    const uint32_t paper = SurfaceColour(surface, RGB(255, 255, 255));
    // Positions in 64 bits: text may start anywhere a caller names, up to the ends of an int.
    for (int row = 0; row < mask.height; ++row) {
        const int64_t py = int64_t{y} + row;
        if (py < 0 || py >= surface.height()) continue;
        for (int column = 0; column < mask.width; ++column) {
            const int64_t px = int64_t{x} + column;
            if (px < 0 || px >= surface.width()) continue;
            const uint8_t cover =
                mask.coverage[static_cast<size_t>(row) * static_cast<size_t>(mask.width) + static_cast<size_t>(column)];
            if (cover >= 128) {
                PutPixel(surface, static_cast<int>(px), static_cast<int>(py), ink);
            } else if (opaque) {
                PutPixel(surface, static_cast<int>(px), static_cast<int>(py), paper);
            }
        }
    }
    return true;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (!dc) return 0xFFFFFFFFu;
    const COLORREF old = dc->textColour;
    dc->textColour = colour;
    return old;
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int old = dc->backgroundMode;
    dc->backgroundMode = mode;
    return old;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (!dc || !text || length < 0) return FALSE;
    if (!dc->surface) return TRUE;  // a paint context: nothing to draw on
    return DrawText(*dc->surface, x, y, std::string(text, static_cast<size_t>(length)), dc->textColour,
                    dc->backgroundMode == OPAQUE)
               ? TRUE
               : FALSE;
}

// --- kernel32's text conversion ---

int MultiByteToWideChar(UINT, DWORD, LPCSTR text, int bytes, WCHAR* wide, int wideCount) {
    if (!text || bytes < -1 || wideCount < 0) return 0;
    const size_t count = bytes == -1 ? std::char_traits<char>::length(text) + 1 : static_cast<size_t>(bytes);
    if (wideCount == 0) return static_cast<int>(count);
    if (!wide || count > static_cast<size_t>(wideCount)) return 0;
    for (size_t i = 0; i < count; ++i) wide[i] = static_cast<WCHAR>(static_cast<unsigned char>(text[i]));
    return static_cast<int>(count);
}

// --- kernel32's names of folders and files ---

namespace {

// Copies `name` with its terminating zero into `buffer` of `size` characters, as the system's
// name calls do: the length, or the size needed when it does not fit.
template <class Char>
DWORD GiveName(const std::string& name, Char* buffer, DWORD size) {
    if (name.size() + 1 > size || !buffer) {
        return static_cast<DWORD>(name.size() + 1);
    }
    for (size_t i = 0; i < name.size(); ++i) buffer[i] = static_cast<Char>(static_cast<unsigned char>(name[i]));
    buffer[name.size()] = 0;
    return static_cast<DWORD>(name.size());
}

std::string WorkingFolderName() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

}  // namespace

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    const std::string name = WorkingFolderName();
    return name.empty() ? 0 : GiveName(name, buffer, size);
}

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
    const std::string name = WorkingFolderName();
    return name.empty() ? 0 : GiveName(name, buffer, size);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    std::vector<char> name(std::max<DWORD>(size, 1));
    const DWORD length = GetModuleFileNameA(module, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0 || !fileName || size == 0) return 0;
    const DWORD kept = std::min(length, size - 1);
    for (DWORD i = 0; i < kept; ++i) fileName[i] = static_cast<WCHAR>(static_cast<unsigned char>(name[i]));
    fileName[kept] = 0;
    return length;
}
