#include "pack.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "game/data_files.h"

#include "art/fighter.h"
#include "art/landscapes.h"
#include "art/menus.h"
#include "art/palette.h"
#include "art/sprite_sheets.h"
#include "formats/bmp_writer.h"
#include "formats/palette_text.h"
#include "formats/smf_writer.h"
#include "formats/wav_writer.h"
#include "music/loudness.h"
#include "music/songs.h"
#include "sound/effects.h"

namespace datagen {
namespace {

void AddMenus(std::vector<DataFile>& files) {
    for (int i = 1; i <= 4; ++i) files.push_back({MenuFiles[i - 1], EncodeBmp8(PaintMenu(i), GamePalette())});
}

void AddLandscapes(std::vector<DataFile>& files) {
    for (int i = 0; i < kLandscapeCount; ++i)
        files.push_back({LandscapeFiles[i], EncodeBmp8(PaintLandscape(i), GamePalette())});
}

void AddFighters(std::vector<DataFile>& files) {
    for (int row = 0; row < kFighterCount; ++row)
        for (int file = 0; file < 4; ++file)
            files.push_back({FighterFiles[row][file], EncodeBmp8(PaintSpriteSheet(row, file), GamePalette())});
}

void AddEffects(std::vector<DataFile>& files) {
    for (const Effect& e : SynthesiseEffects()) files.push_back({e.fileName, EncodeWav8(e.signal)});
}

// The songs, each brought to the same loudness as the levelling SoundFont plays it.
void AddSongs(std::vector<DataFile>& files, bool level) {
    std::vector<NamedSong> songs = ComposeSongs();
    if (level && !LevelSongs(songs, kLevellingSoundFont)) {
        std::fprintf(stderr, "gaiablade-datagen: songs left at their composed levels: cannot play the SoundFont %s\n",
                     kLevellingSoundFont);
    }
    for (const NamedSong& s : songs) files.push_back({s.fileName, EncodeSmf(s.song)});
}

}  // namespace

std::vector<DataFile> BuildDataPack(bool levelSongs) {
    std::vector<DataFile> files;
    files.push_back({PaletteFile, EncodePaletteText(GamePalette())});
    AddMenus(files);
    AddLandscapes(files);
    AddFighters(files);
    AddEffects(files);
    AddSongs(files, levelSongs);
    return files;
}

void WriteFiles(const std::vector<DataFile>& files, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const DataFile& f : files) {
        std::ofstream out(folder / f.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + (folder / f.name).string());
    }
}

}  // namespace datagen
