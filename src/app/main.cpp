// The game's entry point: the host (SDL on a desktop, the web host in a browser), the demo of
// the run, the data folder, then the Windows-style entry point that runs everything else.
#include "app/demo_session.h"
#include "app/shell.h"
#include "engine/core/data_folder.h"
#include "engine/core/main_window.h"
#include "game/data_files.h"
#if defined(__EMSCRIPTEN__)
#include "platform/host/host_web.h"
#else
#include "platform/host/host_sdl.h"
#endif

int main(int argc, char** argv) {
#if defined(__EMSCRIPTEN__)
    HostSet(&HostWeb());
#else
    HostSet(&HostSdl());
    HostSdlSetScreenshotObserver(DemoSessionScreenshot);
#endif
    // Before the data folder is entered: a demo's file is named from where the program started.
    if (const int refused = DemoSessionBegin(argc, argv)) return refused;
    DataFolderEnter(argv[0], GameDataFiles());
    const int result = WinMain(Win32ModuleInstance(), nullptr, nullptr, 1);
    DemoSessionEnd();
#if defined(__EMSCRIPTEN__)
    // The page outlives the program: closing the window tells it that the game has ended.
    HostGet().WindowClose();
#endif
    // No window (no display) is a failure of the whole program, whatever WinMain returned.
    return MainWindowHandle ? result : 1;
}
