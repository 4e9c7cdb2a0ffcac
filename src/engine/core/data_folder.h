// Finding the data files: they are opened by relative name in the working folder.
#pragma once

#include <string>
#include <vector>

// When the working folder holds none of `dataFiles`, changes to the data folder beside the
// program (the build tree) or the installed one, the first that holds the first of them. A
// working folder with some of the files stays: what is missing is missing there. Returns the
// folder in use (its name in UTF-8); says on standard error when no data folder was found.
std::string DataFolderEnter(const char* programPath, const std::vector<std::string>& dataFiles);
