// Readers for the data pack's files, written apart from the generator so that the tests
// check the bytes against the formats, not against the code that wrote them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace packtest {

using Bytes = std::vector<std::uint8_t>;

struct Colour {
    int r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

// The names of the files the game reads, by kind, from the game's table (game/data_files.h).
std::vector<std::string> MenuNames();
std::vector<std::string> LandscapeNames();
std::vector<std::string> SheetNames();  // six fighters, four sheets each
std::vector<std::string> EffectNames();
std::vector<std::string> SongNames();

// The build's data folder, where the pack under test lies.
std::string DataPath(const std::string& name);
Bytes ReadFile(const std::string& path);

struct Bitmap {
    int width = 0, height = 0, bitCount = 0;
    std::uint32_t fileSize = 0, offBits = 0, sizeImage = 0, compression = 0, colorsUsed = 0;
    std::array<Colour, 256> palette{};
    std::vector<std::uint8_t> pixels;  // top row first
    int At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
// Parses an 8-bit bitmap; fails the calling test (and returns an empty picture) when the
// headers disagree with each other or with the file's length.
Bitmap ParseBitmap(const Bytes& file);
Bitmap LoadBitmap(const std::string& name);

// The palette text file: 256 entries of four numbers.
std::vector<std::array<int, 4>> ParsePaletteText(const Bytes& file);

struct Wave {
    int formatTag = 0, channels = 0, sampleRate = 0, bitsPerSample = 0, blockAlign = 0, byteRate = 0;
    std::uint32_t formatChunkSize = 0;
    std::vector<std::uint8_t> samples;
};
Wave ParseWave(const Bytes& file);

struct MidiEvent {
    std::uint32_t tick;
    std::uint8_t status;  // 0xFF for meta events
    std::uint8_t metaType;
    std::vector<std::uint8_t> data;
};
struct MidiTrack {
    std::vector<MidiEvent> events;
};
struct MidiFile {
    int format = -1, trackCount = 0, division = 0;
    std::vector<MidiTrack> tracks;
};
// Parses a Standard MIDI File strictly: every chunk length must be exact and every track
// must end with one end-of-track event.
MidiFile ParseMidi(const Bytes& file);
double MidiSeconds(const MidiFile& midi);

}  // namespace packtest
