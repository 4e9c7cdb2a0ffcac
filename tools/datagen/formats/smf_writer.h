// Writes Standard MIDI Files, format 1: a conductor track and one track per part.
#pragma once

#include "core/types.h"
#include "music/song.h"

namespace datagen {

// The conductor track holds the title, metre, key and tempo map; every part's track names
// itself, sets its program, volume, pan and reverb, then plays its notes. Every track ends
// with an end-of-track event. Note-offs are written as 0x80 events, without running status.
Bytes EncodeSmf(const Song& song);

}  // namespace datagen
