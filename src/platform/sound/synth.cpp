#include "platform/sound/synth.h"

#include "platform/report/report.h"
#include "platform/sound/mixer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kSoundFontVariable = "GAIABLADE_SOUNDFONT";
constexpr const char* kSoundFontFolder = "/usr/share/sounds/sf2/";
constexpr const char* kSoundFonts[] = {"default-GM.sf2", "FluidR3_GM.sf2", "TimGM6mb.sf2"};
// The synthesizer's output gain, three and a half times FluidSynth's default: a General MIDI song
// plays at about -18 dBFS (RMS) in its loud passages and -34 in its quiet ones, under effects
// that reach -15 over their first 150 ms, and still clearly heard in its quiet passages.
constexpr double kSynthGain = 0.7;
// Device rates from which the synthesizer runs at half the rate.
constexpr int kHalfRateFrom = 32000;
// How long the synthesizer renders after the music has stopped, for reverb tails.
constexpr int kIdleSeconds = 2;
// Synthesised frames made per call; the mixer asks for at most 256 device frames at a time.
constexpr int kSynthBlock = 128;

std::string& SoundFontInUse() {
    static std::string path;
    return path;
}

// The synthesizer. Fields are read and written under the mixer's mutex. The object is trivially
// destructible and constant-initialised, so the audio thread finds it intact however late it
// runs; FluidSynth's objects are freed only when a new synthesizer replaces them.
struct SynthState {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;  // nullptr: music is silent
    int rate = 0;                    // the device rate
    bool halfRate = false;           // the synthesizer runs at half the device rate
    bool prepared = false;
    bool muted = false;  // songs keep their time but are not synthesised
    int64_t idleFrames = 0;
    // Doubling the rate: the last three synthesised frames, and a made frame not yet handed out.
    float history[3][2] = {};
    float carry[2] = {};
    bool carrying = false;
    float block[2][kSynthBlock] = {};
};

constinit SynthState state;

// Synthesises `frames` frames at the synthesizer's own rate.
void RenderAtSynthRate(float* left, float* right, int frames, bool songPlaying) {
    if (state.synth && !songPlaying && fluid_synth_get_active_voice_count(state.synth) == 0) {
        state.idleFrames += frames;
    } else {
        state.idleFrames = 0;
    }
    const int64_t synthRate = state.halfRate ? state.rate / 2 : state.rate;
    if (!state.synth || state.muted || state.idleFrames > int64_t{kIdleSeconds} * synthRate) {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return;
    }
    fluid_synth_write_float(state.synth, frames, left, 0, 1, right, 0, 1);
}

void Quiet(int, const char*, void*) {}

// The first SoundFont of the candidates that loads into `synth`, or empty (said once).
std::string LoadSoundFont(fluid_synth_t* synth) {
    std::vector<std::string> candidates;
    if (const char* chosen = std::getenv(kSoundFontVariable)) {
        candidates.emplace_back(chosen);
    } else {
        for (const char* name : kSoundFonts) candidates.push_back(std::string(kSoundFontFolder) + name);
    }
    for (const std::string& path : candidates) {
        if (fluid_synth_sfload(synth, path.c_str(), 1) != FLUID_FAILED) {
            return path;
        }
    }
#if defined(__EMSCRIPTEN__)
    // In a browser the page hands the synthesizer its SoundFont, served beside it.
    ReportOnce("soundfont", "music is silent: the page could not load its SoundFont (TimGM6mb.sf2)");
    return {};
#endif
    if (std::getenv(kSoundFontVariable)) {
        ReportOnce("soundfont", std::string("music is silent: cannot read the SoundFont ") + candidates.front() +
                                    " named by " + kSoundFontVariable);
    } else {
        ReportOnce("soundfont", std::string("music is silent: no General MIDI SoundFont in ") + kSoundFontFolder +
                                    " (install one, or set " + kSoundFontVariable + ")");
    }
    return {};
}

}  // namespace

bool SynthPrepare(int rate) {
    if (state.prepared && state.rate == rate) return false;
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
        fontInUse = LoadSoundFont(synth);
        if (fontInUse.empty()) {
            delete_fluid_synth(synth);
            synth = nullptr;
        }
    }
    fluid_synth_t* oldSynth;
    fluid_settings_t* oldSettings;
    {
        auto lock = MixerLock();
        oldSynth = state.synth;
        oldSettings = state.settings;
        state.synth = synth;
        state.settings = settings;
        state.rate = rate;
        state.halfRate = rate >= kHalfRateFrom;
        state.carrying = false;
        state.prepared = true;
        state.idleFrames = 0;
    }
    if (oldSynth) delete_fluid_synth(oldSynth);
    if (oldSettings) delete_fluid_settings(oldSettings);
    SoundFontInUse() = fontInUse;
    return true;
}

bool SynthPresent() { return state.synth != nullptr; }

bool SynthMuted() { return state.muted; }

int SynthRate() { return state.rate; }

void SynthSend(const MidiSong& song, const MidiEvent& e) {
    const int channel = e.status & 0x0F;
    switch (e.status & 0xF0) {
        case 0x80: fluid_synth_noteoff(state.synth, channel, e.data1); break;
        case 0x90: fluid_synth_noteon(state.synth, channel, e.data1, e.data2); break;
        case 0xA0: fluid_synth_key_pressure(state.synth, channel, e.data1, e.data2); break;
        case 0xB0: fluid_synth_cc(state.synth, channel, e.data1, e.data2); break;
        case 0xC0: fluid_synth_program_change(state.synth, channel, e.data1); break;
        case 0xD0: fluid_synth_channel_pressure(state.synth, channel, e.data1); break;
        case 0xE0: fluid_synth_pitch_bend(state.synth, channel, e.data1 | (e.data2 << 7)); break;
        case 0xF0:
            fluid_synth_sysex(state.synth, reinterpret_cast<const char*>(song.sysex.data() + e.dataOffset),
                              static_cast<int>(e.dataLength), nullptr, nullptr, nullptr, 0);
            break;
        default: break;
    }
}

void SynthReleaseNotes() {
    if (!state.synth) return;
    for (int channel = 0; channel < 16; ++channel) {
        fluid_synth_cc(state.synth, channel, 64, 0);
        fluid_synth_cc(state.synth, channel, 66, 0);
    }
    fluid_synth_all_notes_off(state.synth, -1);
}

void SynthSystemReset() {
    if (state.synth) fluid_synth_system_reset(state.synth);
}

int SynthActiveVoices() { return state.synth ? fluid_synth_get_active_voice_count(state.synth) : 0; }

// At half rate each synthesised frame gives two device frames: the frame itself and, before it,
// the point halfway from the frame before, interpolated over four frames (-1, 9, 9, -1)/16, one
// synthesised frame behind.
void SynthRender(float* left, float* right, int frames, bool songPlaying) {
    if (!state.halfRate) {
        RenderAtSynthRate(left, right, frames, songPlaying);
        return;
    }
    float* out[2] = {left, right};
    int done = 0;
    if (state.carrying && frames > 0) {
        left[0] = state.carry[0];
        right[0] = state.carry[1];
        state.carrying = false;
        done = 1;
    }
    while (done < frames) {
        const int made = std::min((frames - done + 1) / 2, kSynthBlock);
        RenderAtSynthRate(state.block[0], state.block[1], made, songPlaying);
        for (int i = 0; i < made; ++i) {
            float pair[2][2];
            for (int c = 0; c < 2; ++c) {
                const float s0 = state.history[0][c], s1 = state.history[1][c], s2 = state.history[2][c];
                const float s3 = state.block[c][i];
                pair[0][c] = (9.0f * (s1 + s2) - (s0 + s3)) * (1.0f / 16.0f);
                pair[1][c] = s2;
                state.history[0][c] = s1;
                state.history[1][c] = s2;
                state.history[2][c] = s3;
            }
            for (int k = 0; k < 2; ++k) {
                if (done < frames) {
                    out[0][done] = pair[k][0];
                    out[1][done] = pair[k][1];
                    ++done;
                } else {
                    state.carry[0] = pair[k][0];
                    state.carry[1] = pair[k][1];
                    state.carrying = true;
                }
            }
        }
    }
}

void SynthSetMuted(bool muted) {
    auto lock = MixerLock();
    if (muted && !state.muted && state.synth) fluid_synth_system_reset(state.synth);
    state.muted = muted;
}

std::string SynthSoundFont() { return SoundFontInUse(); }

void SynthReset() {
    SynthState old;
    {
        auto lock = MixerLock();
        old = state;
        state = SynthState{};
    }
    if (old.synth) delete_fluid_synth(old.synth);
    if (old.settings) delete_fluid_settings(old.settings);
    SoundFontInUse().clear();
}
