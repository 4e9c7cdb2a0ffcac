// The whole data pack: every file the game reads, by its exact name.
#pragma once

#include <filesystem>
#include <vector>

#include "core/types.h"

namespace datagen {

// Builds every file of the data pack in memory, in a fixed order. The same bytes every time.
std::vector<DataFile> BuildDataPack();

// Writes the files into the folder, creating it if needed. Throws on a write failure.
void WriteFiles(const std::vector<DataFile>& files, const std::filesystem::path& folder);

}  // namespace datagen
