// The game's entry point on a desktop: the SDL host, the data folder, then the Windows-style
// entry point that runs everything else.
#include "app/data_folder.h"
#include "app/main_window.h"
#include "app/shell.h"

int main(int, char** argv) {
    DataFolderEnter(argv[0]);
    const int result = WinMain(Win32ModuleInstance(), nullptr, nullptr, 1);
    // No window (no display) is a failure of the whole program, whatever WinMain returned.
    return MainWindowHandle ? result : 1;
}
