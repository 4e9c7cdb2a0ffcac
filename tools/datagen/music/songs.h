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

// In the order the game loads them: "MIDIFILE0.MID" .. "MIDIFILE4.MID", "Intro.mid", "Ending.mid".
std::vector<NamedSong> ComposeSongs();

}  // namespace datagen
