// Finding the data files: they are opened by relative name in the working folder.
#pragma once

#include <string>

// When the working folder holds no "Menu1.bmp", changes to the data folder beside the program
// (the build tree) or the installed one. Returns the folder in use; says on standard error when
// no data folder was found.
std::string DataFolderEnter(const char* programPath);
