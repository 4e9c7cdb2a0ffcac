#include "engine/core/data_folder.h"

#include "platform/report/report.h"
#include "platform/standins/win32.h"
#include "build_paths.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <type_traits>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Holds(const fs::path& folder, const std::string& file) {
    std::error_code error;
    return fs::is_regular_file(folder / file, error);
}

// The program's file as the system names it: by its wide name where the system's paths are
// wide (the ANSI name may not hold the folder there), else by its narrow name.
fs::path ProgramFile() {
    if constexpr (std::is_same_v<fs::path::value_type, WCHAR>) {
        std::vector<WCHAR> name(32768);
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length > 0 && length < name.size()) {
            return fs::path(std::wstring(name.data(), length));
        }
    } else {
        char name[4096];
        const DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
        if (length > 0 && length < sizeof name) {
            return fs::path(std::string(name, length));
        }
    }
    return {};
}

// The folder of the program's file as the system knows it, else of the path it was started by.
fs::path ProgramFolder(const char* programPath) {
    fs::path self = ProgramFile();
    if (self.empty() && programPath) {
        std::error_code error;
        self = fs::absolute(programPath, error);
    }
    return self.parent_path();
}

// A folder's name for a person: UTF-8 (a name the system's narrow characters cannot hold would
// make the usual conversion throw).
std::string Named(const fs::path& folder) {
    try {
        const std::u8string name = folder.u8string();
        return std::string(name.begin(), name.end());
    } catch (...) {
        return "(a folder whose name cannot be written here)";
    }
}

}  // namespace

std::string DataFolderEnter(const char* programPath, const std::vector<std::string>& dataFiles) try {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    if (dataFiles.empty()) {
        return Named(here);
    }
    for (const std::string& file : dataFiles) {
        if (Holds(here, file)) {
            return Named(here);
        }
    }
    // Beside the program in the build tree; then share/gaiablade next to the program's bin
    // folder, so an installed copy finds its data wherever its prefix was moved; then the
    // folders known when it was built.
    const fs::path programFolder = ProgramFolder(programPath);
    const fs::path candidates[] = {programFolder / "data", programFolder.parent_path() / "share" / "gaiablade",
                                   fs::path(GAIABLADE_INSTALL_DATA_DIR), fs::path(GAIABLADE_BUILD_DATA_DIR)};
    for (const fs::path& folder : candidates) {
        if (Holds(folder, dataFiles.front())) {
            fs::current_path(folder, error);
            if (!error) {
                return Named(folder);
            }
        }
    }
    Report("no data folder found (no \"" + dataFiles.front() + "\" here or in " + Named(candidates[0]) + ")");
    return Named(here);
} catch (...) {  // no memory left: the working folder stays
    return {};
}
