#include "fuzz_support.h"

#include "engine/core/engine.h"
#include "engine/core/main_window.h"
#include "platform/host/host_headless.h"
#include "platform/standins/stand_ins.h"
#include "platform/standins/win32.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Made on first use, removed with everything in it when the process ends normally. A crash
// leaves it behind on purpose: the input that caused it is still there to look at.
class PrivateFolder {
public:
    PrivateFolder() {
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "gaiablade-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("gaiablade fuzz: cannot make a private folder");
            std::abort();
        }
        path_ = pattern;
    }
    ~PrivateFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

PrivateFolder& Folder() {
    static PrivateFolder folder;
    return folder;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

HeadlessHost* machine = nullptr;

}  // namespace

const std::string& FuzzFolder() { return Folder().path(); }

std::string FuzzWriteInput(const char* name, const uint8_t* data, size_t size) {
    const std::string path = (fs::path(Folder().path()) / name).string();
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file || (size > 0 && std::fwrite(data, 1, size, file.get()) != size)) {
        std::perror("gaiablade fuzz: cannot write the input file");
        std::abort();
    }
    return path;
}

void FuzzHeadlessMachine() {
    if (machine) {
        return;
    }
    // Lives as long as the process: the services hold on to it until exit.
    static HeadlessHost host;
    host.SetAudioCapture(false);
    HostSet(&host);
    ProcessReset(EngineReset);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "FuzzWindow";
    RegisterClassExA(&windowClass);
    MainWindowHandle = CreateWindowExA(0, "FuzzWindow", "fuzz", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                                       nullptr);
    machine = &host;
}

void FuzzAdvance(uint32_t ms) {
    if (machine) {
        machine->SleepMs(ms);
    }
}
