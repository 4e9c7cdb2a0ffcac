// The songs' loudness as a listener hears it: a Standard MIDI File played through FluidSynth and
// a SoundFont, as the game plays it, measured as integrated loudness (EBU R128, libebur128), and
// the songs brought within a fraction of a decibel of one target.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "music/songs.h"

namespace datagen {

// The SoundFont the songs are levelled with: the one the build installs and the web build brings.
inline constexpr const char* kLevellingSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// The loudness every song is brought to, in LUFS (about -23.5 dBFS RMS while it plays): a stroke
// (about -14 dBFS RMS) stands some 9 dB over every song.
inline constexpr double kSongLoudnessTarget = -21.0;

// The integrated loudness of a Standard MIDI File played with `soundFont`, in LUFS; none when the
// SoundFont or the file cannot be played.
std::optional<double> SongLoudness(const std::vector<std::uint8_t>& smf, const std::string& soundFont);

// Sets each song's level (every part's expression, or its volume where the song must grow) so
// that its loudness with `soundFont` comes to the target. False, with the songs unchanged, when
// the SoundFont cannot be played.
bool LevelSongs(std::vector<NamedSong>& songs, const std::string& soundFont);

}  // namespace datagen
