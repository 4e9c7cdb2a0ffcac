// Our stand-in for the system services of kernel32 (and the multimedia timer) that the program
// calls, under their published names: the clock and waiting, the program's module and path, the
// working folder's name, and the text conversion the music loader's callers need. The clock is
// that of the current host (platform/host/host.h).
#pragma once

#include "platform/standins/win32_types.h"

// --- the clock ---
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

// --- the program's module ---
// The full path of the program's file (`module` nullptr), up to `size` bytes with the
// terminating zero; returns its length, `size` when it was cut short, 0 when it is not known.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
// The program's module instance handle (what a Windows loader hands to WinMain).
HINSTANCE Win32ModuleInstance();

// --- text conversion ---
using WCHAR = wchar_t;
constexpr UINT CP_ACP = 0;
constexpr DWORD MB_PRECOMPOSED = 0x00000001;
// Converts `bytes` bytes of `text` (-1: up to and with its terminating zero) to wide characters,
// one per byte, so any file name survives the way back. With `wideCount` 0 returns the number
// needed; otherwise the number written, or 0 when `wide` is too small.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, WCHAR* wide, int wideCount);

// --- names of folders and files ---
using LPWSTR = WCHAR*;
// The working folder's name into `buffer` of `size` characters: its length without the
// terminating zero, or, when it does not fit, the size it needs with it; 0 when it is not known.
// The wide names here are the narrow ones, one character a byte, as MultiByteToWideChar makes them.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
// GetModuleFileNameA in wide characters (the same convention).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
