#include "platform/dmusic.h"

#include "platform/host.h"
#include "platform/mixer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

const CLSID CLSID_DirectMusicPerformance = {0xd2ac2881, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const CLSID CLSID_DirectMusicSegment = {0xd2ac2882, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const CLSID CLSID_DirectMusicLoader = {0xd2ac2892, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const IID IID_IDirectMusicPerformance = {0x07d43d03, 0x6523, 0x11d2, {0x87, 0x1d, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const IID IID_IDirectMusicLoader = {0x2ffaaca2, 0x5dca, 0x11d2, {0xaf, 0xa6, 0x00, 0xaa, 0x00, 0x24, 0xd8, 0xb6}};
const IID IID_IDirectMusicSegment = {0xf96029a2, 0x4282, 0x11d2, {0x87, 0x17, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_DirectMusicAllTypes = {0xd2ac2893, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_StandardMIDIFile = {0x06621075, 0xe92e, 0x11d1, {0xa8, 0xc5, 0x00, 0xc0, 0x4f, 0xa3, 0x72, 0x6e}};
const GUID GUID_Download = {0xd2ac28a7, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_Unload = {0xd2ac28a8, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};

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

namespace {

// --- reading a Standard MIDI File ---

constexpr size_t kMaxSongBytes = 4u << 20;
constexpr size_t kMaxSongEvents = 1u << 20;
constexpr int64_t kMaxTimeUs = int64_t{1} << 40;  // about 12 days; keeps frame sums in range
constexpr uint8_t kTempo = 0x51;
constexpr uint8_t kEndOfTrack = 0x2F;

// Big-endian reads that fail instead of running past the end.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t left() const { return size_ - pos_; }
    const uint8_t* here() const { return data_ + pos_; }
    bool Byte(uint8_t& out) {
        if (pos_ >= size_) return false;
        out = data_[pos_++];
        return true;
    }
    bool Be(int bytes, uint32_t& out) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    bool Vlq(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 7) | (b & 0x7Fu);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Skip(size_t n) {
        if (n > left()) return false;
        pos_ += n;
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// An event as read, before times are known: at a tick, or a tempo change (`tempo` non-zero).
struct TickEvent {
    uint64_t tick;
    uint32_t tempo;
    MidiEvent event;
};

int DataBytes(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Reads one track chunk from tick `start`; returns false for anything malformed. `end` gets the
// tick of its end.
bool ReadTrack(ByteReader track, uint64_t start, MidiSong& song, std::vector<TickEvent>& out,
               uint64_t& end) {
    uint64_t tick = start;
    uint8_t running = 0;
    while (track.left() > 0) {
        uint32_t delta;
        uint8_t status;
        if (!track.Vlq(delta) || !track.Byte(status)) return false;
        tick += delta;
        if (out.size() >= kMaxSongEvents) return false;
        uint8_t data[2] = {0, 0};
        int have = 0;
        if (status < 0x80) {
            if (running == 0) return false;  // running status with no status before it
            data[have++] = status;
            status = running;
        }
        if (status < 0xF0) {
            running = status;
            for (; have < DataBytes(status); ++have) {
                if (!track.Byte(data[have])) return false;
            }
            if (data[0] >= 0x80 || data[1] >= 0x80) return false;
            out.push_back({tick, 0, MidiEvent{0, 0, 0, status, data[0], data[1]}});
            continue;
        }
        running = 0;  // system exclusive and meta events end running status
        if (status == 0xF0 || status == 0xF7) {
            uint32_t length;
            if (!track.Vlq(length)) return false;
            const uint8_t* bytes = track.here();
            if (!track.Skip(length)) return false;
            // Only complete messages are sent; escaped packets are skipped, and so are tuning
            // messages (universal sub-ID 8), which would make the synthesizer allocate while
            // it renders.
            const bool tuning = length >= 4 && (bytes[0] == 0x7E || bytes[0] == 0x7F) && bytes[2] == 0x08;
            if (status == 0xF0 && length >= 1 && bytes[length - 1] == 0xF7 && !tuning) {
                const auto offset = static_cast<uint32_t>(song.sysex.size());
                song.sysex.insert(song.sysex.end(), bytes, bytes + length - 1);
                out.push_back({tick, 0, MidiEvent{0, offset, length - 1, 0xF0, 0, 0}});
            }
        } else if (status == 0xFF) {
            uint8_t type;
            uint32_t length;
            if (!track.Byte(type) || !track.Vlq(length)) return false;
            const uint8_t* bytes = track.here();
            if (!track.Skip(length)) return false;
            if (type == kTempo) {
                if (length < 3) return false;
                const uint32_t tempo = (uint32_t{bytes[0]} << 16) | (uint32_t{bytes[1]} << 8) | bytes[2];
                if (tempo == 0) return false;
                out.push_back({tick, tempo, MidiEvent{}});
            } else if (type == kEndOfTrack) {
                break;
            }
        } else {
            return false;  // real-time and system common messages do not belong in a file
        }
    }
    end = tick;
    return true;
}

// Turns ticks into microseconds with the tempo map of all tracks, in time order.
void TimeEvents(std::vector<TickEvent>& events, uint64_t endTick, double smpteUsPerTick,
                uint32_t ticksPerQuarter, MidiSong& song) {
    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
    uint32_t tempo = 500000;  // microseconds per quarter note until a tempo event says otherwise
    auto usPerTick = [&] { return smpteUsPerTick > 0 ? smpteUsPerTick : double(tempo) / ticksPerQuarter; };
    double us = 0;
    uint64_t last = 0;
    song.events.reserve(events.size());
    for (const TickEvent& e : events) {
        us += static_cast<double>(e.tick - last) * usPerTick();
        last = e.tick;
        if (e.tempo != 0) {
            tempo = e.tempo;
            continue;
        }
        MidiEvent event = e.event;
        event.timeUs = static_cast<int64_t>(std::min(us, static_cast<double>(kMaxTimeUs)));
        song.events.push_back(event);
    }
    us += static_cast<double>(endTick - last) * usPerTick();
    song.lengthUs = static_cast<int64_t>(std::min(us, static_cast<double>(kMaxTimeUs)));
}

// The song in a Standard MIDI File (formats 0, 1 and 2), or nullptr when the bytes are not one.
std::shared_ptr<MidiSong> ReadSong(const std::vector<uint8_t>& bytes) {
    ByteReader file(bytes.data(), bytes.size());
    uint32_t id, headerLength, format, trackCount, division;
    if (!file.Be(4, id) || id != 0x4D546864u /* MThd */ || !file.Be(4, headerLength) ||
        headerLength < 6 || !file.Be(2, format) || !file.Be(2, trackCount) ||
        !file.Be(2, division) || !file.Skip(headerLength - 6)) {
        return nullptr;
    }
    if (format > 2 || trackCount == 0 || (format == 0 && trackCount != 1) || division == 0) {
        return nullptr;
    }
    double smpteUsPerTick = 0;
    if (division & 0x8000) {
        const int framesPerSecond = -static_cast<int8_t>(division >> 8);
        const uint32_t ticksPerFrame = division & 0xFF;
        if ((framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 &&
             framesPerSecond != 30) || ticksPerFrame == 0) {
            return nullptr;
        }
        const double fps = framesPerSecond == 29 ? 29.97 : framesPerSecond;
        smpteUsPerTick = 1e6 / (fps * ticksPerFrame);
    }
    auto song = std::make_shared<MidiSong>();
    std::vector<TickEvent> events;
    uint64_t start = 0, endTick = 0;
    for (uint32_t tracksRead = 0; tracksRead < trackCount;) {
        uint32_t chunkId, length;
        if (!file.Be(4, chunkId) || !file.Be(4, length) || length > file.left()) {
            return nullptr;  // a missing or truncated track
        }
        ByteReader chunk(file.here(), length);
        file.Skip(length);
        if (chunkId != 0x4D54726Bu /* MTrk */) {
            continue;  // chunks of unknown types are skipped
        }
        uint64_t trackEnd = 0;
        if (!ReadTrack(chunk, start, *song, events, trackEnd)) {
            return nullptr;
        }
        endTick = std::max(endTick, trackEnd);
        if (format == 2) start = trackEnd;  // the patterns of format 2 play one after another
        ++tracksRead;
    }
    TimeEvents(events, endTick, smpteUsPerTick, division, *song);
    return song;
}

// --- the synthesizer ---

constexpr const char* kSoundFontVariable = "GAIABLADE_SOUNDFONT";
constexpr const char* kSoundFontFolder = "/usr/share/sounds/sf2/";
constexpr const char* kSoundFonts[] = {"default-GM.sf2", "FluidR3_GM.sf2", "TimGM6mb.sf2"};
// The synthesizer's output gain, three and a half times FluidSynth's default: a General MIDI song
// plays at about -18 dBFS (RMS) in its loud passages and -34 in its quiet ones, under effects
// that reach -15 over their first 150 ms, and still clearly heard in its quiet passages.
constexpr double kSynthGain = 0.7;
// Device rates from which the synthesizer runs at half the rate.
constexpr int kHalfRateFrom = 32000;
// How long the last notes of a song may ring on after its end before it counts as ended.
constexpr int kTailSeconds = 3;
// How long the synthesizer renders after the music has stopped, for reverb tails.
constexpr int kIdleSeconds = 2;

std::string& SoundFontInUse() {
    static std::string path;
    return path;
}

// The synthesizer and the song it plays. Fields after `synth` are read and written under the
// mixer's mutex. The object is trivially destructible and constant-initialised, so the audio
// thread finds it intact however late it runs; FluidSynth's objects are freed only when a new
// synthesizer replaces them.
// Synthesised frames made per call; the mixer asks for at most 256 device frames at a time.
constexpr int kSynthBlock = 128;

struct SynthEngine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;  // nullptr: music is silent
    int rate = 0;                    // the device rate
    bool halfRate = false;           // the synthesizer runs at half the device rate
    bool prepared = false;
    int performances = 0;  // initialised performances; with none the synthesizer is silent
    bool muted = false;    // songs keep their time but are not synthesised
    // The current song: the segment (holding a reference), the start that plays it and the
    // performance that started it.
    IDirectMusicSegment* segment = nullptr;
    uint64_t performance = 0;
    const MidiSong* song = nullptr;
    uint64_t start = 0;
    size_t next = 0;     // its next event
    int64_t frame = 0;   // frames rendered since it started
    bool playing = false;
    bool audible = false;
    int64_t idleFrames = 0;
    // Doubling the rate: the last three synthesised frames, and a made frame not yet handed out.
    float history[3][2] = {};
    float carry[2] = {};
    bool carrying = false;
    float block[2][kSynthBlock] = {};
};

constinit SynthEngine engine;
uint64_t lastStart = 0;

int64_t FrameOf(int64_t us) { return us * engine.rate / 1000000; }

void Send(const MidiEvent& e) {
    const int channel = e.status & 0x0F;
    switch (e.status & 0xF0) {
    case 0x80: fluid_synth_noteoff(engine.synth, channel, e.data1); break;
    case 0x90: fluid_synth_noteon(engine.synth, channel, e.data1, e.data2); break;
    case 0xA0: fluid_synth_key_pressure(engine.synth, channel, e.data1, e.data2); break;
    case 0xB0: fluid_synth_cc(engine.synth, channel, e.data1, e.data2); break;
    case 0xC0: fluid_synth_program_change(engine.synth, channel, e.data1); break;
    case 0xD0: fluid_synth_channel_pressure(engine.synth, channel, e.data1); break;
    case 0xE0: fluid_synth_pitch_bend(engine.synth, channel, e.data1 | (e.data2 << 7)); break;
    case 0xF0:
        fluid_synth_sysex(engine.synth, reinterpret_cast<const char*>(engine.song->sysex.data() + e.dataOffset),
                          static_cast<int>(e.dataLength), nullptr, nullptr, nullptr, 0);
        break;
    default: break;
    }
}

// Lets every sounding note go into its release, sustain pedal or not.
void ReleaseNotes() {
    if (!engine.synth) return;
    for (int channel = 0; channel < 16; ++channel) {
        fluid_synth_cc(engine.synth, channel, 64, 0);
        fluid_synth_cc(engine.synth, channel, 66, 0);
    }
    fluid_synth_all_notes_off(engine.synth, -1);
}

// Synthesises `frames` frames at the synthesizer's own rate.
void RenderSynth(float* left, float* right, int frames) {
    if (engine.synth && !engine.playing && fluid_synth_get_active_voice_count(engine.synth) == 0) {
        engine.idleFrames += frames;
    } else {
        engine.idleFrames = 0;
    }
    const int64_t synthRate = engine.halfRate ? engine.rate / 2 : engine.rate;
    if (!engine.synth || engine.muted || engine.idleFrames > int64_t{kIdleSeconds} * synthRate) {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return;
    }
    fluid_synth_write_float(engine.synth, frames, left, 0, 1, right, 0, 1);
}

// `frames` device frames of music. At half rate each synthesised frame gives two device frames:
// the frame itself and, before it, the point halfway from the frame before, interpolated over
// four frames (-1, 9, 9, -1)/16, one synthesised frame behind.
void RenderDeviceFrames(float* left, float* right, int frames) {
    if (!engine.halfRate) {
        RenderSynth(left, right, frames);
        return;
    }
    float* out[2] = {left, right};
    int done = 0;
    if (engine.carrying && frames > 0) {
        left[0] = engine.carry[0];
        right[0] = engine.carry[1];
        engine.carrying = false;
        done = 1;
    }
    while (done < frames) {
        const int made = std::min((frames - done + 1) / 2, kSynthBlock);
        RenderSynth(engine.block[0], engine.block[1], made);
        for (int i = 0; i < made; ++i) {
            float pair[2][2];
            for (int c = 0; c < 2; ++c) {
                const float s0 = engine.history[0][c], s1 = engine.history[1][c], s2 = engine.history[2][c];
                const float s3 = engine.block[c][i];
                pair[0][c] = (9.0f * (s1 + s2) - (s0 + s3)) * (1.0f / 16.0f);
                pair[1][c] = s2;
                engine.history[0][c] = s1;
                engine.history[1][c] = s2;
                engine.history[2][c] = s3;
            }
            for (int k = 0; k < 2; ++k) {
                if (done < frames) {
                    out[0][done] = pair[k][0];
                    out[1][done] = pair[k][1];
                    ++done;
                } else {
                    engine.carry[0] = pair[k][0];
                    engine.carry[1] = pair[k][1];
                    engine.carrying = true;
                }
            }
        }
    }
}

// The mixer's music source: the song's events are sent as the samples they fall on are made.
void RenderMusic(void*, float* left, float* right, int frames) {
    if (engine.performances == 0) {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return;
    }
    int done = 0;
    while (done < frames) {
        int count = frames - done;
        if (engine.playing) {
            const auto& events = engine.song->events;
            for (; engine.next < events.size() && FrameOf(events[engine.next].timeUs) <= engine.frame; ++engine.next) {
                if (engine.audible && !engine.muted) Send(events[engine.next]);
            }
            if (engine.next < events.size()) {
                count = static_cast<int>(std::min<int64_t>(count, FrameOf(events[engine.next].timeUs) - engine.frame));
            }
        }
        RenderDeviceFrames(left + done, right + done, count);
        engine.frame += count;
        done += count;
    }
    if (engine.playing && engine.next >= engine.song->events.size()) {
        const int64_t end = FrameOf(engine.song->lengthUs);
        const bool ringing = engine.synth && !engine.muted && fluid_synth_get_active_voice_count(engine.synth) > 0;
        if (engine.frame >= end && (!ringing || engine.frame >= end + int64_t{kTailSeconds} * engine.rate)) {
            engine.playing = false;
        }
    }
}

void Quiet(int, const char*, void*) {}

// Makes the synthesizer for `rate` with the SoundFont, unless it exists; says once on standard
// error when music will be silent. Runs on the game thread; the SoundFont loads outside the lock.
void PrepareSynth(int rate) {
    if (engine.prepared && engine.rate == rate) return;
    for (int level = FLUID_ERR; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, &Quiet, nullptr);
    }
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    std::string fontInUse;
    if (settings) {
        // Half the device rate halves the synthesizer's work; the SoundFont's samples seldom
        // hold much above 10 kHz anyway.
        fluid_settings_setnum(settings, "synth.sample-rate", rate >= kHalfRateFrom ? rate / 2 : rate);
        fluid_settings_setnum(settings, "synth.gain", kSynthGain);
        fluid_settings_setint(settings, "synth.threadsafe-api", 0);  // the mixer's mutex guards it
        synth = new_fluid_synth(settings);
    }
    if (synth) {
        std::vector<std::string> candidates;
        if (const char* chosen = std::getenv(kSoundFontVariable)) {
            candidates.emplace_back(chosen);
        } else {
            for (const char* name : kSoundFonts) candidates.push_back(std::string(kSoundFontFolder) + name);
        }
        for (const std::string& path : candidates) {
            if (fluid_synth_sfload(synth, path.c_str(), 1) != FLUID_FAILED) {
                fontInUse = path;
                break;
            }
        }
        if (fontInUse.empty()) {
            if (std::getenv(kSoundFontVariable)) {
                HostSayOnce("soundfont", std::string("gaiablade: music is silent: cannot read the SoundFont ") +
                                             candidates.front() + " named by " + kSoundFontVariable);
            } else {
                HostSayOnce("soundfont", std::string("gaiablade: music is silent: no General MIDI SoundFont in ") +
                                             kSoundFontFolder + " (install one, or set " + kSoundFontVariable + ")");
            }
            delete_fluid_synth(synth);
            synth = nullptr;
        }
    }
    fluid_synth_t* oldSynth;
    fluid_settings_t* oldSettings;
    IDirectMusicSegment* oldSegment;
    {
        auto lock = MixerLock();
        oldSynth = engine.synth;
        oldSettings = engine.settings;
        oldSegment = engine.segment;
        engine.synth = synth;
        engine.settings = settings;
        engine.rate = rate;
        engine.halfRate = rate >= kHalfRateFrom;
        engine.carrying = false;
        engine.prepared = true;
        engine.segment = nullptr;
        engine.song = nullptr;
        engine.playing = false;
        engine.idleFrames = 0;
    }
    MixerSetMusic(&RenderMusic, nullptr);
    if (oldSegment) oldSegment->Release();
    if (oldSynth) delete_fluid_synth(oldSynth);
    if (oldSettings) delete_fluid_settings(oldSettings);
    SoundFontInUse() = fontInUse;
}

// Starts `segment` from its beginning in place of the current song.
void StartSong(IDirectMusicSegment* segment, uint64_t performance, uint64_t start) {
    segment->AddRef();
    IDirectMusicSegment* old;
    {
        auto lock = MixerLock();
        old = engine.segment;
        engine.segment = segment;
        engine.song = segment->song().get();
        engine.start = start;
        engine.performance = performance;
        engine.next = 0;
        engine.frame = 0;
        engine.playing = engine.song != nullptr;
        engine.audible = segment->downloadedTo() == performance && engine.synth;
        engine.idleFrames = 0;
        if (engine.synth) fluid_synth_system_reset(engine.synth);
    }
    if (old) old->Release();
}

// Stops the current song when it matches (`segment` and `start` both empty match any).
void StopSong(const IDirectMusicSegment* segment, uint64_t start) {
    IDirectMusicSegment* old = nullptr;
    {
        auto lock = MixerLock();
        const bool any = !segment && start == 0;
        if (engine.segment && (any || engine.segment == segment || (start != 0 && engine.start == start))) {
            old = engine.segment;
            engine.segment = nullptr;
            engine.song = nullptr;
            engine.playing = false;
            ReleaseNotes();
        }
    }
    if (old) old->Release();
}

bool SongPlaying(const IDirectMusicSegment* segment, uint64_t start) {
    auto lock = MixerLock();
    return engine.playing && ((segment && engine.segment == segment) || (start != 0 && engine.start == start));
}

// Follows a download or unload of `segment` while it plays.
void UpdateSongAudible(const IDirectMusicSegment* segment) {
    auto lock = MixerLock();
    if (engine.segment == segment) {
        const bool audible = segment->downloadedTo() == engine.performance;
        engine.audible = audible && engine.synth;
        if (!audible) ReleaseNotes();
    }
}

// --- objects ---

int comStarts = 0;
uint64_t lastPerformance = 0;
std::vector<IDirectMusicPerformance*> livePerformances;

bool IsPerformance(const void* p) {
    return std::find(livePerformances.begin(), livePerformances.end(), p) != livePerformances.end();
}

// A wide string of at most `limit` characters back to bytes; false when a character is not one.
bool Narrow(const WCHAR* wide, size_t limit, std::string& out) {
    out.clear();
    for (size_t i = 0; i < limit; ++i) {
        if (wide[i] == 0) return true;
        if (wide[i] < 0 || wide[i] > 0xFF) return false;
        out.push_back(static_cast<char>(wide[i]));
    }
    return false;  // not terminated
}

}  // namespace

int MultiByteToWideChar(UINT, DWORD, LPCSTR text, int bytes, WCHAR* wide, int wideCount) {
    if (!text || bytes < -1 || wideCount < 0) return 0;
    const size_t count = bytes == -1 ? std::char_traits<char>::length(text) + 1 : static_cast<size_t>(bytes);
    if (wideCount == 0) return static_cast<int>(count);
    if (!wide || count > static_cast<size_t>(wideCount)) return 0;
    for (size_t i = 0; i < count; ++i) wide[i] = static_cast<WCHAR>(static_cast<unsigned char>(text[i]));
    return static_cast<int>(count);
}

HRESULT CoInitialize(void*) { return comStarts++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
    if (comStarts > 0) --comStarts;
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (comStarts == 0) return CO_E_NOTINITIALIZED;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    if (classId == CLSID_DirectMusicPerformance) {
        if (!(iid == IID_IDirectMusicPerformance)) return E_NOINTERFACE;
        *object = ComMake<IDirectMusicPerformance>();
    } else if (classId == CLSID_DirectMusicLoader) {
        if (!(iid == IID_IDirectMusicLoader)) return E_NOINTERFACE;
        *object = ComMake<IDirectMusicLoader>();
    } else if (classId == CLSID_DirectMusicSegment) {
        if (!(iid == IID_IDirectMusicSegment)) return E_NOINTERFACE;
        *object = ComMake<IDirectMusicSegment>();
    } else {
        return REGDB_E_CLASSNOTREG;
    }
    return S_OK;
}

// --- segment ---

IDirectMusicSegment::IDirectMusicSegment(std::shared_ptr<const MidiSong> song) : song_(std::move(song)) {}

IDirectMusicSegment::~IDirectMusicSegment() {
    // Normally the synthesizer holds a reference while it plays a segment; objects destroyed
    // together at exit do not wait for it, so the segment takes itself out of the mix.
    auto lock = MixerLock();
    if (engine.segment == this) {
        engine.segment = nullptr;
        engine.song = nullptr;
        engine.playing = false;
    }
}

HRESULT IDirectMusicSegment::SetParam(REFGUID type, DWORD, DWORD, MUSIC_TIME, void* param) {
    const bool download = type == GUID_Download;
    if (!download && !(type == GUID_Unload) && !(type == GUID_StandardMIDIFile)) {
        return DMUS_E_SET_UNSUPPORTED;
    }
    if (!IsPerformance(param)) return E_INVALIDARG;
    auto* performance = static_cast<IDirectMusicPerformance*>(param);
    if (type == GUID_StandardMIDIFile) return S_OK;
    if (download) {
        if (!performance->ready()) return DMUS_E_NOT_INIT;
        downloadedTo_ = performance->serial();
    } else if (downloadedTo_ == performance->serial()) {
        downloadedTo_ = 0;
    }
    UpdateSongAudible(this);
    return S_OK;
}

// --- performance ---

IDirectMusicPerformance::IDirectMusicPerformance() : serial_(++lastPerformance) {
    livePerformances.push_back(this);
}

IDirectMusicPerformance::~IDirectMusicPerformance() {
    CloseDown();
    std::erase(livePerformances, this);
}

HRESULT IDirectMusicPerformance::Init(IDirectMusic** music, IDirectSound* directSound, HWND) {
    if (initialised_) return DMUS_E_ALREADY_INITED;
    if (music) return E_INVALIDARG;
    const int rate = MixerAcquire();
    if (rate == 0) return DMUS_E_NO_AUDIO;
    PrepareSynth(rate);
    {
        auto lock = MixerLock();
        ++engine.performances;
    }
    if (directSound) {
        directSound->AddRef();
        directSound_ = directSound;
    }
    initialised_ = true;
    return S_OK;
}

HRESULT IDirectMusicPerformance::AddPort(IDirectMusicPort* port) {
    if (!initialised_) return DMUS_E_NOT_INIT;
    if (port) return E_INVALIDARG;  // only the default port is offered
    portAdded_ = true;
    return S_OK;
}

HRESULT IDirectMusicPerformance::PlaySegment(IDirectMusicSegment* segment, DWORD flags, REFERENCE_TIME,
                                             IDirectMusicSegmentState** state) {
    if (state) *state = nullptr;
    if (!ready()) return DMUS_E_NOT_INIT;
    if (!segment) return E_POINTER;
    if (flags & DMUS_SEGF_SECONDARY) return E_INVALIDARG;
    const uint64_t start = ++lastStart;
    StartSong(segment, serial_, start);
    if (state) *state = ComMake<IDirectMusicSegmentState>(start);
    return S_OK;
}

HRESULT IDirectMusicPerformance::Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state,
                                      MUSIC_TIME, DWORD) {
    if (!initialised_) return DMUS_E_NOT_INIT;
    StopSong(segment, state ? state->start() : 0);
    return S_OK;
}

HRESULT IDirectMusicPerformance::IsPlaying(IDirectMusicSegment* segment, IDirectMusicSegmentState* state) {
    if (!initialised_) return DMUS_E_NOT_INIT;
    if (!segment && !state) return E_POINTER;
    return SongPlaying(segment, state ? state->start() : 0) ? S_OK : S_FALSE;
}

HRESULT IDirectMusicPerformance::CloseDown() {
    if (!initialised_) return S_OK;
    StopSong(nullptr, 0);
    {
        // With the last performance gone the music ends at once, ringing notes and all.
        auto lock = MixerLock();
        if (--engine.performances == 0 && engine.synth) fluid_synth_system_reset(engine.synth);
    }
    if (directSound_) {
        directSound_->Release();
        directSound_ = nullptr;
    }
    initialised_ = false;
    portAdded_ = false;
    MixerRelease();
    return S_OK;
}

// --- loader ---

HRESULT IDirectMusicLoader::SetSearchDirectory(REFGUID, const WCHAR* path, BOOL) {
    if (!path) return E_POINTER;
    std::string folder;
    std::error_code error;
    if (!Narrow(path, 4096, folder) || !std::filesystem::is_directory(folder, error)) {
        return DMUS_E_LOADER_BADPATH;
    }
    if (folderSet_ && folder == folder_) return S_FALSE;
    folder_ = folder;
    folderSet_ = true;
    return S_OK;
}

HRESULT IDirectMusicLoader::GetObject(DMUS_OBJECTDESC* desc, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!desc || desc->dwSize != sizeof(DMUS_OBJECTDESC)) return E_INVALIDARG;
    if (!(desc->dwValidData & DMUS_OBJ_CLASS) || !(desc->guidClass == CLSID_DirectMusicSegment)) {
        return DMUS_E_LOADER_NOCLASSID;
    }
    if (!(iid == IID_IDirectMusicSegment)) return E_NOINTERFACE;
    std::string name;
    if (!(desc->dwValidData & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH)) ||
        !Narrow(desc->wszFileName, DMUS_MAX_FILENAME, name) || name.empty()) {
        return DMUS_E_LOADER_BADPATH;
    }
    std::filesystem::path path(name);
    if (!(desc->dwValidData & DMUS_OBJ_FULLPATH) && path.is_relative() && !folder_.empty()) {
        path = std::filesystem::path(folder_) / path;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return DMUS_E_LOADER_FAILEDOPEN;
    std::vector<uint8_t> bytes;
    char buffer[16384];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + file.gcount());
        if (bytes.size() > kMaxSongBytes) return DMUS_E_LOADER_FORMATNOTSUPPORTED;
    }
    if (file.bad()) return DMUS_E_LOADER_FAILEDOPEN;
    std::shared_ptr<const MidiSong> song = ReadSong(bytes);
    if (!song) return DMUS_E_LOADER_FORMATNOTSUPPORTED;
    *object = ComMake<IDirectMusicSegment>(std::move(song));
    return S_OK;
}

std::string MusicSynthSoundFont() { return SoundFontInUse(); }

void DirectMusicSetMuted(bool muted) {
    auto lock = MixerLock();
    if (muted && !engine.muted && engine.synth) fluid_synth_system_reset(engine.synth);
    engine.muted = muted;
}

void DirectMusicReset() {
    MixerSetMusic(nullptr, nullptr);
    SynthEngine old;
    {
        auto lock = MixerLock();
        old = engine;
        engine = SynthEngine{};
    }
    if (old.segment) old.segment->Release();
    if (old.synth) delete_fluid_synth(old.synth);
    if (old.settings) delete_fluid_settings(old.settings);
    SoundFontInUse().clear();
    comStarts = 0;
}
