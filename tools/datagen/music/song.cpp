#include "music/song.h"

#include <algorithm>

namespace datagen {

std::uint32_t SongEndTick(const Song& song) {
    std::uint32_t end = 0;
    for (const Part& part : song.parts)
        for (const Note& n : part.notes) end = std::max(end, n.start + n.length);
    return end;
}

double SongSeconds(const Song& song) {
    const std::uint32_t end = SongEndTick(song);
    double seconds = 0.0;
    for (std::size_t i = 0; i < song.tempi.size(); ++i) {
        const std::uint32_t from = song.tempi[i].tick;
        if (from >= end) break;
        const std::uint32_t to = i + 1 < song.tempi.size() ? std::min(song.tempi[i + 1].tick, end) : end;
        seconds += (to - from) / static_cast<double>(kTicksPerBeat) * 60.0 / song.tempi[i].bpm;
    }
    return seconds;
}

}  // namespace datagen
