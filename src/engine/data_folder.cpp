#include "engine/data_folder.h"

#include "platform/services/report.h"
#include "platform/win/win32.h"
#include "build_paths.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool Holds(const fs::path& folder, const std::string& file) {
    std::error_code error;
    return fs::is_regular_file(folder / file, error);
}

// The folder of the program's file as the system knows it, else of the path it was started by.
fs::path ProgramFolder(const char* programPath) {
    char name[4096];
    const DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
    fs::path self;
    if (length > 0 && length < sizeof name) {
        self = fs::path(std::string(name, length));
    } else if (programPath) {
        std::error_code error;
        self = fs::absolute(programPath, error);
    }
    return self.parent_path();
}

}  // namespace

std::string DataFolderEnter(const char* programPath, const std::vector<std::string>& dataFiles) {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    if (dataFiles.empty()) {
        return here.string();
    }
    for (const std::string& file : dataFiles) {
        if (Holds(here, file)) {
            return here.string();
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
                return folder.string();
            }
        }
    }
    Report("no data folder found (no \"" + dataFiles.front() + "\" here or in " + candidates[0].string() + ")");
    return here.string();
}
