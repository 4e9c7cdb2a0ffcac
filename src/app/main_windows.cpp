// The game's entry point on Windows: the demo of the run, the data folder, then the Windows
// entry point that runs everything else over the system's own services. The compiler's start-up
// code calls main in a program of the window subsystem too; WinMain gets the handles the system
// gives.
#include "app/demo_session.h"
#include "app/shell.h"
#include "engine/core/data_folder.h"
#include "engine/core/main_window.h"
#include "game/data_files.h"

int main(int argc, char** argv) {
    // Before the data folder is entered: a demo's file is named from where the program started.
    if (const int refused = DemoSessionBegin(argc, argv)) return refused;
    DataFolderEnter(argv[0], GameDataFiles());
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT);
    DemoSessionEnd();
    // No window is a failure of the whole program, whatever WinMain returned.
    return MainWindowHandle ? result : 1;
}
