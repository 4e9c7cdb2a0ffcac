// Our stand-in for the Windows types the window, keyboard, clock and GDI services share: the
// integer types, the handles and the calling conventions, under their published names.
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
