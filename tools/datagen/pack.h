// The whole data pack: every file the game reads, by its exact name.
#pragma once

#include <filesystem>
#include <vector>

#include "core/types.h"

namespace datagen {

// Builds every file of the data pack in memory, in a fixed order. The same bytes every time.
// `levelSongs` false leaves the songs at their composed levels, which spares playing them (some
// fifteen seconds): for callers that do not look at the songs' bytes.
std::vector<DataFile> BuildDataPack(bool levelSongs = true);

// Writes the files into the folder, creating it if needed. Throws on a write failure.
void WriteFiles(const std::vector<DataFile>& files, const std::filesystem::path& folder);

}  // namespace datagen
