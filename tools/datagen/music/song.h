// A song as the composer builds it: parts of timed notes, a tempo map and a metre.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

inline constexpr int kTicksPerBeat = 480;
inline constexpr std::uint8_t kDrumChannel = 9;

struct Note {
    std::uint32_t start = 0;   // ticks
    std::uint32_t length = 0;  // ticks
    std::uint8_t key = 60;
    std::uint8_t velocity = 90;
};

// One instrument on one channel; becomes one track of the file.
struct Part {
    std::string name;
    std::uint8_t channel = 0;
    std::uint8_t program = 0;  // General MIDI program, 0-based; ignored on the drum channel
    std::uint8_t volume = 100;
    std::uint8_t pan = 64;
    std::uint8_t reverb = 40;
    std::uint8_t expression = 127;  // the song's level (controller 11); written when under 127
    std::vector<Note> notes;
};

struct TempoPoint {
    std::uint32_t tick = 0;
    double bpm = 120.0;
};

struct Song {
    std::string title;
    int beatsPerBar = 4;
    int keySharps = 0;  // negative for flats
    bool minorKey = false;
    std::vector<TempoPoint> tempi;  // sorted by tick, the first at tick 0
    std::vector<Part> parts;
};

// Last tick at which any note of the song sounds.
std::uint32_t SongEndTick(const Song& song);

// Playing time in seconds, following the tempo map.
double SongSeconds(const Song& song);

}  // namespace datagen
