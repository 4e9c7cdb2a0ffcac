// The per-pass trace of the headless runner: one JSON object on one line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PassEvents {
    bool presented = false;
    std::vector<std::string> sounds;  // file names of the effects started in the pass
    std::string song;                 // file name of the song started last in the pass, or empty
};

// The trace line of the pass just run (no line break), from the game's process-wide records.
std::string TraceLine(uint64_t pass, uint32_t ms, const PassEvents& events);
