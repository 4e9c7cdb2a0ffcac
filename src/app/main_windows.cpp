// The game's entry point on Windows: the data folder, then the Windows entry point that runs
// everything else over the system's own services. The compiler's start-up code calls main in
// a program of the window subsystem too; WinMain gets the handles the system gives.
#include "app/shell.h"
#include "engine/data_folder.h"
#include "engine/main_window.h"
#include "game/assets.h"

int main(int, char** argv) {
    DataFolderEnter(argv[0], GameDataFiles());
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT);
    // No window is a failure of the whole program, whatever WinMain returned.
    return MainWindowHandle ? result : 1;
}
