#include "pack_files.h"
#include "game/data_files.h"
#include "build_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace packtest {
namespace {

std::uint32_t U16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
std::uint32_t BE16(const Bytes& b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }
std::uint32_t BE32(const Bytes& b, std::size_t at) { return (BE16(b, at) << 16) | BE16(b, at + 2); }
bool Tag(const Bytes& b, std::size_t at, const char* tag) {
    return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::vector<std::string> MenuNames() { return {std::begin(MenuFiles), std::end(MenuFiles)}; }

std::vector<std::string> LandscapeNames() { return {std::begin(LandscapeFiles), std::end(LandscapeFiles)}; }

std::vector<std::string> SheetNames() {
    std::vector<std::string> names;
    for (const auto& fighter : FighterFiles) names.insert(names.end(), std::begin(fighter), std::end(fighter));
    return names;
}

std::vector<std::string> EffectNames() { return {std::begin(EffectFiles), std::end(EffectFiles)}; }

std::vector<std::string> SongNames() { return {std::begin(SongFiles), std::end(SongFiles)}; }

std::string DataPath(const std::string& name) { return std::string(GAIABLADE_BUILD_DATA_DIR) + "/" + name; }

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bitmap ParseBitmap(const Bytes& f) {
    Bitmap bmp;
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') {
        ADD_FAILURE() << "not a bitmap";
        return {};
    }
    bmp.fileSize = U32(f, 2);
    bmp.offBits = U32(f, 10);
    bmp.width = static_cast<std::int32_t>(U32(f, 18));
    bmp.height = static_cast<std::int32_t>(U32(f, 22));
    bmp.bitCount = static_cast<int>(U16(f, 28));
    bmp.compression = U32(f, 30);
    bmp.sizeImage = U32(f, 34);
    bmp.colorsUsed = U32(f, 46);
    const std::size_t pixelBytes = static_cast<std::size_t>(bmp.width) * std::max(bmp.height, 0);
    if (U32(f, 14) != 40 || bmp.bitCount != 8 || bmp.width <= 0 || bmp.height <= 0 || f.size() != 1078 + pixelBytes) {
        ADD_FAILURE() << "unexpected bitmap layout " << bmp.width << "x" << bmp.height << " bits " << bmp.bitCount;
        return {};
    }
    for (int i = 0; i < 256; ++i) bmp.palette[i] = {f[54 + 4 * i + 2], f[54 + 4 * i + 1], f[54 + 4 * i]};
    bmp.pixels.resize(pixelBytes);
    for (int y = 0; y < bmp.height; ++y)  // stored bottom-up
        std::copy_n(f.begin() + 1078 + static_cast<std::ptrdiff_t>(y) * bmp.width, bmp.width,
                    bmp.pixels.begin() + static_cast<std::ptrdiff_t>(bmp.height - 1 - y) * bmp.width);
    return bmp;
}

Bitmap LoadBitmap(const std::string& name) { return ParseBitmap(ReadFile(DataPath(name))); }

std::vector<std::array<int, 4>> ParsePaletteText(const Bytes& file) {
    std::istringstream in(std::string(file.begin(), file.end()));
    std::vector<std::array<int, 4>> entries;
    std::array<int, 4> e{};
    while (in >> e[0] >> e[1] >> e[2] >> e[3]) entries.push_back(e);
    return entries;
}

Wave ParseWave(const Bytes& f) {
    Wave w;
    if (!Tag(f, 0, "RIFF") || !Tag(f, 8, "WAVE") || U32(f, 4) + 8 != f.size()) {
        ADD_FAILURE() << "bad RIFF header";
        return w;
    }
    for (std::size_t at = 12; at + 8 <= f.size();) {
        const std::uint32_t size = U32(f, at + 4);
        if (at + 8 + size > f.size()) {
            ADD_FAILURE() << "chunk runs past the end of the file";
            return w;
        }
        if (Tag(f, at, "fmt ")) {
            w.formatChunkSize = size;
            w.formatTag = static_cast<int>(U16(f, at + 8));
            w.channels = static_cast<int>(U16(f, at + 10));
            w.sampleRate = static_cast<int>(U32(f, at + 12));
            w.byteRate = static_cast<int>(U32(f, at + 16));
            w.blockAlign = static_cast<int>(U16(f, at + 20));
            w.bitsPerSample = static_cast<int>(U16(f, at + 22));
        } else if (Tag(f, at, "data")) {
            w.samples.assign(f.begin() + static_cast<std::ptrdiff_t>(at + 8),
                             f.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
        }
        at += 8 + size + (size % 2);
    }
    return w;
}

namespace {

std::uint32_t ReadVarLen(const Bytes& f, std::size_t& at, std::size_t end) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        const std::uint8_t b = f[at++];
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) return v;
    }
    ADD_FAILURE() << "bad variable-length number";
    return v;
}

int DataBytesOf(std::uint8_t status) {
    const int kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

MidiTrack ParseTrack(const Bytes& f, std::size_t at, std::size_t end) {
    MidiTrack track;
    std::uint32_t tick = 0;
    bool ended = false;
    while (at < end) {
        EXPECT_FALSE(ended) << "events after the end of track";
        tick += ReadVarLen(f, at, end);
        const std::uint8_t status = f[at++];
        EXPECT_GE(status, 0x80) << "running status or stray data byte";
        MidiEvent e{tick, status, 0, {}};
        if (status == 0xFF) {
            e.metaType = f[at++];
            const std::uint32_t length = ReadVarLen(f, at, end);
            e.data.assign(f.begin() + static_cast<std::ptrdiff_t>(at),
                          f.begin() + static_cast<std::ptrdiff_t>(at + length));
            at += length;
            ended = e.metaType == 0x2F;
        } else {
            EXPECT_LT(status, 0xF0) << "system exclusive events are not expected";
            for (int i = 0; i < DataBytesOf(status); ++i) {
                EXPECT_LT(f[at], 0x80) << "data byte with the top bit set";
                e.data.push_back(f[at++]);
            }
        }
        track.events.push_back(e);
    }
    EXPECT_EQ(at, end) << "track length does not match its events";
    EXPECT_TRUE(ended) << "track without end-of-track event";
    return track;
}

}  // namespace

MidiFile ParseMidi(const Bytes& f) {
    MidiFile midi;
    if (!Tag(f, 0, "MThd") || BE32(f, 4) != 6) {
        ADD_FAILURE() << "bad MIDI header";
        return midi;
    }
    midi.format = static_cast<int>(BE16(f, 8));
    midi.trackCount = static_cast<int>(BE16(f, 10));
    midi.division = static_cast<int>(BE16(f, 12));
    std::size_t at = 14;
    while (at < f.size()) {
        if (!Tag(f, at, "MTrk") || at + 8 + BE32(f, at + 4) > f.size()) {
            ADD_FAILURE() << "bad track chunk at byte " << at;
            return midi;
        }
        const std::size_t end = at + 8 + BE32(f, at + 4);
        midi.tracks.push_back(ParseTrack(f, at + 8, end));
        at = end;
    }
    return midi;
}

double MidiSeconds(const MidiFile& midi) {
    std::map<std::uint32_t, double> tempo{{0, 500000.0}};
    std::uint32_t last = 0;
    for (const MidiTrack& t : midi.tracks)
        for (const MidiEvent& e : t.events) {
            if (e.status == 0xFF && e.metaType == 0x51)
                tempo[e.tick] = (e.data[0] << 16) | (e.data[1] << 8) | e.data[2];
            last = std::max(last, e.tick);
        }
    double seconds = 0;
    for (auto it = tempo.begin(); it != tempo.end(); ++it) {
        const auto next = std::next(it);
        const std::uint32_t to = next == tempo.end() ? last : std::min(next->first, last);
        if (to > it->first) seconds += (to - it->first) / double(midi.division) * it->second / 1e6;
    }
    return seconds;
}

}  // namespace packtest
