// Our stand-in for the GDI text calls the program makes on a device context (see ddraw.h for
// device contexts of surfaces), under their published names.
#pragma once

#include "platform/standins/win32_types.h"

// GDI background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

COLORREF SetTextColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
