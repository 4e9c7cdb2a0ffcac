// What a run of the real program does with demos: it records itself into the demo folder, or,
// given "--demo FILE", plays that demo back in the window at the game's own speed.
#pragma once

#include <string>

// Reads the program's arguments and sets the run up (before WinMain). 0 to go on; 2 after one
// line on standard error for arguments that are not understood or a demo that cannot be played.
int DemoSessionBegin(int argc, char** argv);
// Notes in the recording that the picture on the screen was saved into `file`.
void DemoSessionScreenshot(const std::string& file);
// Ends the recording (after WinMain) and names its file on standard output.
void DemoSessionEnd();
