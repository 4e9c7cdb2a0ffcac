#include "platform/standins/win32_kernel.h"

#include "platform/host/host.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

struct InstanceObject {
    int unused = 0;
};

namespace {

InstanceObject moduleInstance;

}  // namespace

// --- the clock ---

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

// --- the program's module ---

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

HINSTANCE Win32ModuleInstance() { return &moduleInstance; }

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
