// The game's entry point on a desktop: the SDL host, the data folder, then the Windows-style
// entry point that runs everything else.
#include "app/shell.h"
#include "engine/data_folder.h"
#include "engine/main_window.h"
#include "game/assets.h"
#include "platform/host/host_sdl.h"

int main(int, char** argv) {
    HostSet(&HostSdl());
    DataFolderEnter(argv[0], GameDataFiles());
    const int result = WinMain(Win32ModuleInstance(), nullptr, nullptr, 1);
    // No window (no display) is a failure of the whole program, whatever WinMain returned.
    return MainWindowHandle ? result : 1;
}
