#include "game/data_files.h"

std::vector<std::string> GameDataFiles() {
    std::vector<std::string> files(std::begin(MenuFiles), std::end(MenuFiles));
    files.insert(files.end(), std::begin(LandscapeFiles), std::end(LandscapeFiles));
    for (const auto& fighter : FighterFiles) files.insert(files.end(), std::begin(fighter), std::end(fighter));
    files.emplace_back(PaletteFile);
    files.insert(files.end(), std::begin(EffectFiles), std::end(EffectFiles));
    files.insert(files.end(), std::begin(SongFiles), std::end(SongFiles));
    return files;
}
