// Standard MIDI Files read into songs: checked events with their times, ready to be played.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// The largest song file read.
constexpr size_t MIDI_FILE_MAX_BYTES = 4u << 20;

// One event of a song, at its time from the song's start.
struct MidiEvent {
    int64_t timeUs;
    uint32_t dataOffset;  // system exclusive: its bytes in MidiSong::sysex (without F0 and F7)
    uint32_t dataLength;
    uint8_t status;  // a channel message (0x80 to 0xEF) or 0xF0
    uint8_t data1;
    uint8_t data2;
};

struct MidiSong {
    std::vector<MidiEvent> events;  // in time order
    std::vector<uint8_t> sysex;
    int64_t lengthUs = 0;  // to the end of the longest track
};

// The song in the bytes of a Standard MIDI File (formats 0, 1 and 2), or nullptr when they are
// not one: every length, count and time is checked against the bytes and against fixed limits.
std::shared_ptr<MidiSong> MidiFileRead(const std::vector<uint8_t>& bytes);
