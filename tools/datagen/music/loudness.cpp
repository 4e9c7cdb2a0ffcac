#include "music/loudness.h"

#include <ebur128.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "formats/smf_writer.h"

namespace datagen {
namespace {

// As the game's synthesizer plays on a 44.1 kHz device: at half that rate, with its gain.
constexpr int kRenderRate = 22050;
constexpr double kGameSynthGain = 0.7;
constexpr int kBlockFrames = 1024;

void Quiet(int, const char*, void*) {}

struct FluidDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
    void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
    void operator()(ebur128_state* m) const { ebur128_destroy(&m); }
};
template <typename T>
using Owned = std::unique_ptr<T, FluidDeleter>;

}  // namespace

std::optional<double> SongLoudness(const std::vector<std::uint8_t>& smf, const std::string& soundFont) {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) fluid_set_log_function(level, &Quiet, nullptr);
    Owned<fluid_settings_t> settings(new_fluid_settings());
    if (!settings) return std::nullopt;
    fluid_settings_setnum(settings.get(), "synth.sample-rate", kRenderRate);
    fluid_settings_setnum(settings.get(), "synth.gain", kGameSynthGain);
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");  // time by the frames rendered
    fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
    Owned<fluid_synth_t> synth(new_fluid_synth(settings.get()));
    if (!synth || fluid_synth_sfload(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED) return std::nullopt;
    Owned<fluid_player_t> player(new_fluid_player(synth.get()));
    if (!player || fluid_player_add_mem(player.get(), smf.data(), smf.size()) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK) {
        return std::nullopt;
    }
    Owned<ebur128_state> meter(ebur128_init(2, kRenderRate, EBUR128_MODE_I));
    if (!meter) return std::nullopt;
    std::vector<float> left(kBlockFrames), right(kBlockFrames), frames(2 * kBlockFrames);
    while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING) {
        fluid_synth_write_float(synth.get(), kBlockFrames, left.data(), 0, 1, right.data(), 0, 1);
        for (int i = 0; i < kBlockFrames; ++i) {
            frames[2 * static_cast<std::size_t>(i)] = left[static_cast<std::size_t>(i)];
            frames[2 * static_cast<std::size_t>(i) + 1] = right[static_cast<std::size_t>(i)];
        }
        ebur128_add_frames_float(meter.get(), frames.data(), kBlockFrames);
    }
    double loudness = 0.0;
    if (ebur128_loudness_global(meter.get(), &loudness) != EBUR128_SUCCESS || !std::isfinite(loudness)) {
        return std::nullopt;
    }
    return loudness;
}

// A song's level follows the square of its controllers' values (FluidSynth's volume and
// expression curves, as General MIDI's): a factor k on them is 40 log10 k dB.
bool LevelSongs(std::vector<NamedSong>& songs, const std::string& soundFont) {
    std::vector<double> loudness;
    for (const NamedSong& s : songs) {
        const std::optional<double> measured = SongLoudness(EncodeSmf(s.song), soundFont);
        if (!measured) return false;
        loudness.push_back(*measured);
    }
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const double factor = std::pow(10.0, (kSongLoudnessTarget - loudness[i]) / 40.0);
        for (Part& part : songs[i].song.parts) {
            if (factor <= 1.0) {
                part.expression = static_cast<std::uint8_t>(std::clamp<long>(std::lround(127.0 * factor), 1, 127));
            } else {
                part.volume = static_cast<std::uint8_t>(std::clamp<long>(std::lround(part.volume * factor), 1, 127));
            }
        }
    }
    return true;
}

}  // namespace datagen
