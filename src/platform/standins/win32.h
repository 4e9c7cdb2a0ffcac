// Our stand-in for the Windows window, message, keyboard, clock and GDI services the program
// calls, under their published names, with the behaviour the callers rely on. The window and
// the keyboard are those of the current host (platform/host.h).
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using LONG = int32_t;
using SHORT = int16_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using HRESULT = int32_t;
using LPCSTR = const char*;
using LPSTR = char*;
using COLORREF = DWORD;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct WindowObject;
struct DeviceContext;
struct InstanceObject;
struct GdiObject;
using HWND = WindowObject*;
using HDC = DeviceContext*;
using HINSTANCE = InstanceObject*;
using HICON = GdiObject*;
using HCURSOR = GdiObject*;
using HBRUSH = GdiObject*;
using HGDIOBJ = GdiObject*;
using HMENU = GdiObject*;
using HANDLE = void*;
using HMODULE = HINSTANCE;

// Calling conventions: the 64-bit system has one, so they name nothing here.
#define WINAPI
#define CALLBACK

using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};
using WNDCLASSEX = WNDCLASSEXA;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

using ATOM = WORD;

// Messages.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000u;

constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;

// Virtual-key codes.
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_F2 = 0x71;

// Stock objects and resources.
constexpr int BLACK_BRUSH = 4;
#define IDI_APPLICATION reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32512))
#define IDC_ARROW reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32512))

// GDI background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Window class, window and messages.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND window);
// Takes the host's events first: a close request is posted as WM_CLOSE to every window, the
// player going away or coming back is sent to them as WM_ACTIVATEAPP (FALSE, TRUE).
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage);
// Returns when a message is waiting: at once when one is queued, else when the host has an event.
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL IsWindow(HWND window);

// Keyboard, cursor, clock.
SHORT GetAsyncKeyState(int virtualKey);
int ShowCursor(BOOL show);
DWORD GetTickCount();
// Gives the processor away for `ms` milliseconds; 0 gives up only the rest of the time slice
// (the shortest wait the host can measure).
void Sleep(DWORD ms);
// The multimedia timer: milliseconds as GetTickCount counts them. The period calls ask for a
// finer resolution of the system's timer and give it back; the host's clock is as fine as it
// gets already, so they change nothing here.
using MMRESULT = UINT;
constexpr MMRESULT TIMERR_NOERROR = 0;
DWORD timeGetTime();
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);

// The full path of the program's file (`module` nullptr), up to `size` bytes with the
// terminating zero; returns its length, `size` when it was cut short, 0 when it is not known.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

// Resources.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HGDIOBJ GetStockObject(int object);

// GDI text on a device context (see ddraw.h for device contexts of surfaces).
COLORREF SetTextColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

// Back to the state of a fresh process: no class, no window, empty queue, cursor count 0.
void Win32Reset();
// The program's module instance handle (what a Windows loader hands to WinMain).
HINSTANCE Win32ModuleInstance();

// --- kernel32's text conversion, which the music loader's callers need ---
using WCHAR = wchar_t;
constexpr UINT CP_ACP = 0;
constexpr DWORD MB_PRECOMPOSED = 0x00000001;
// Converts `bytes` bytes of `text` (-1: up to and with its terminating zero) to wide characters,
// one per byte, so any file name survives the way back. With `wideCount` 0 returns the number
// needed; otherwise the number written, or 0 when `wide` is too small.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, WCHAR* wide, int wideCount);

// --- kernel32's names of folders and files ---
using LPWSTR = WCHAR*;
// The working folder's name into `buffer` of `size` characters: its length without the
// terminating zero, or, when it does not fit, the size it needs with it; 0 when it is not known.
// The wide names here are the narrow ones, one character a byte, as MultiByteToWideChar makes them.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
// GetModuleFileNameA in wide characters (the same convention).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
