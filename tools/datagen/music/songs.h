// The game's seven songs: the five landscape themes, the intro and the ending.
#pragma once

#include <string>
#include <vector>

#include "music/song.h"

namespace datagen {

struct NamedSong {
    std::string fileName;
    Song song;
};

// In the order the game loads them, named by the game's table (SongFiles).
std::vector<NamedSong> ComposeSongs();

}  // namespace datagen
