// The mixer at work: sixty seconds of a landscape song with three overlapping effects every two
// seconds, rendered as fast as the machine allows (reported as a multiple of real time); the
// effects alone, raised to the device rate by the mixer's band-limited interpolator beside the
// linear interpolation it used before; and the delay from SoundPlay to the effect's first sample
// in the stream the host pulls.
#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/engine.h"
#include "engine/core/main_window.h"
#include "platform/host/host_headless.h"
#include "platform/sound/mixer.h"
#include "platform/standins/stand_ins.h"
#include "build_paths.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int32_t kControls = 0xE0;

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 11025 Hz 8-bit mono WAV of a decaying buzz, `ms` long.
std::vector<uint8_t> Effect(int ms, int period) {
    const uint32_t n = static_cast<uint32_t>(ms * 11025 / 1000);
    std::vector<uint8_t> out = {'R',  'I',  'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V',  'E',  'f', 'm',
                                't',  ' ',  16,  0,   0, 0, 1, 0, 1,   0,   0x11, 0x2B, 0,   0,
                                0x11, 0x2B, 0,   0,   1, 0, 8, 0, 'd', 'a', 't',  'a'};
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(n >> (8 * i)));
    for (uint32_t i = 0; i < n; ++i) {
        const int amplitude = static_cast<int>(120 * (n - i) / n);
        out.push_back(static_cast<uint8_t>(128 + ((i / static_cast<uint32_t>(period)) % 2 ? amplitude : -amplitude)));
    }
    const uint32_t riff = static_cast<uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + static_cast<size_t>(i)] = static_cast<uint8_t>(riff >> (8 * i));
    return out;
}

// A four-voice General MIDI song of 90 seconds: piano chords, a bass line and drums.
std::vector<uint8_t> FullSong() {
    std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x00, 0x00, 0xC1, 33};
    const int beats = 180;
    for (int b = 0; b < beats; ++b) {
        const uint8_t root = static_cast<uint8_t>(48 + (b / 4 % 4) * 2);
        const uint8_t on[] = {
            0x00, 0x90, static_cast<uint8_t>(root + 12),       90, 0x00, 0x90, static_cast<uint8_t>(root + 16), 90,
            0x00, 0x90, static_cast<uint8_t>(root + 19),       90, 0x00, 0x91, static_cast<uint8_t>(root - 12), 100,
            0x00, 0x99, static_cast<uint8_t>(b % 2 ? 38 : 36), 110};
        const uint8_t off[] = {
            0x83, 0x60, 0x80, static_cast<uint8_t>(root + 12),       0, 0x00, 0x80, static_cast<uint8_t>(root + 16),
            0,    0x00, 0x80, static_cast<uint8_t>(root + 19),       0, 0x00, 0x81, static_cast<uint8_t>(root - 12),
            0,    0x00, 0x89, static_cast<uint8_t>(b % 2 ? 38 : 36), 0};
        track.insert(track.end(), std::begin(on), std::end(on));
        track.insert(track.end(), std::begin(off), std::end(off));
    }
    const uint8_t end[] = {0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), std::begin(end), std::end(end));
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(track.size() >> (8 * i)));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

// The game's sound and music set-up on a headless host, in a folder of its own. The song and
// effects come from the data pack when it is built, else they are made here.
struct AudioScene {
    AudioScene() {
        folder = fs::temp_directory_path() / ("gaiablade-audio-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const fs::path pack = GAIABLADE_BUILD_DATA_DIR;
        if (fs::exists(pack / "MIDIFILE1.MID")) {
            fs::copy_file(pack / "MIDIFILE1.MID", folder / "song.mid");
            fs::copy_file(pack / "Sword Strike.WAV", folder / "a.wav");
            fs::copy_file(pack / "Sword Clash.WAV", folder / "b.wav");
            fs::copy_file(pack / "Enemy Death.WAV", folder / "c.wav");
        } else {
            WriteFile(folder / "song.mid", FullSong());
            WriteFile(folder / "a.wav", Effect(400, 7));
            WriteFile(folder / "b.wav", Effect(700, 13));
            WriteFile(folder / "c.wav", Effect(1200, 29));
        }
        previous = fs::current_path();
        fs::current_path(folder);
        HostSet(&host);
        host.SetAudioCapture(false);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "AUDIOBENCH";
        RegisterClassExA(&windowClass);
        MainWindowHandle = CreateWindowExA(0, "AUDIOBENCH", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                                           nullptr);
        SoundInit();
        MusicInit();
        song = MusicLoad("song.mid");
        for (const char* name : {"a.wav", "b.wav", "c.wav"}) effects.push_back(SoundLoad(name, kControls));
        WriteFile(folder / "click.wav", Effect(50, 5));  // loud from its first sample
        click = SoundLoad("click.wav", kControls);
    }
    ~AudioScene() {
        ProcessReset(EngineReset);
        HostSet(nullptr);
        fs::current_path(previous);
        std::error_code error;
        fs::remove_all(folder, error);
    }
    bool ready() const { return song >= 0 && click >= 0 && effects.size() == 3 && effects[0] >= 0 && effects[2] >= 0; }

    HeadlessHost host;
    fs::path folder;
    fs::path previous;
    int32_t song = -1;
    std::vector<int32_t> effects;
    int32_t click = -1;
};

void BM_SixtySecondsOfSongAndEffects(benchmark::State& state) {
    AudioScene scene;
    if (!scene.ready()) {
        state.SkipWithError("the song or the effects did not load");
        return;
    }
    for (auto _ : state) {
        MusicPlay(scene.song);
        // Two-second rounds: three effects starting 100 ms apart, so they overlap.
        for (int round = 0; round < 30; ++round) {
            for (int32_t id : scene.effects) {
                SoundPlay(id, 0, 0, 0, 0);
                scene.host.SleepMs(100);
            }
            scene.host.SleepMs(1700);
        }
    }
    state.counters["x_real_time"] = benchmark::Counter(60.0 * static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate);
    state.counters["soundfont"] = MusicSynthSoundFont().empty() ? 0 : 1;
}
// Headless, all mixing runs on this thread, so the rate is taken from its processor time: a
// busy machine does not make the figure worse.
BENCHMARK(BM_SixtySecondsOfSongAndEffects)->Unit(benchmark::kMillisecond);

constexpr int kPullFrames = 1024;

// Three effects looping over each other, no music: the voices' part of the mixing.
void BM_MixThreeEffects(benchmark::State& state) {
    AudioScene scene;
    if (!scene.ready()) {
        state.SkipWithError("the effects did not load");
        return;
    }
    for (int32_t id : scene.effects) SoundPlay(id, 1 /* DSBPLAY_LOOPING */, 0, 0, 0);
    std::vector<int16_t> out(2 * kPullFrames);
    for (auto _ : state) {
        MixerPull(out.data(), kPullFrames);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPullFrames);
}
BENCHMARK(BM_MixThreeEffects);

// The same three effects through the linear interpolation and hard clamp the mixer had before,
// over the same samples: the reference for the cost of the band-limited one.
void BM_MixThreeEffectsLinearBefore(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> effects;
    const fs::path pack = GAIABLADE_BUILD_DATA_DIR;
    for (const char* name : {"Sword Strike.WAV", "Sword Clash.WAV", "Enemy Death.WAV"}) {
        std::ifstream in(pack / name, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() < 1000) {
            state.SkipWithError("the effects are not in the data pack");
            return;
        }
        effects.emplace_back(bytes.begin() + 46, bytes.end());  // after the 18-byte format chunk
    }
    const uint64_t step = (uint64_t{11025} << 32) / 44100;
    uint64_t positions[3] = {};
    std::vector<float> left(kPullFrames), right(kPullFrames);
    std::vector<int16_t> out(2 * kPullFrames);
    for (auto _ : state) {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        for (size_t v = 0; v < effects.size(); ++v) {
            const uint8_t* samples = effects[v].data();
            const uint32_t length = static_cast<uint32_t>(effects[v].size());
            const uint64_t end = uint64_t{length} << 32;
            for (int i = 0; i < kPullFrames; ++i) {
                positions[v] %= end;
                const uint32_t index = static_cast<uint32_t>(positions[v] >> 32);
                const float fraction = static_cast<float>(positions[v] & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
                const uint32_t next = index + 1 < length ? index + 1 : 0;
                const float a = samples[index], b = samples[next];
                const float value = (a + (b - a) * fraction - 128.0f) * (1.0f / 128.0f);
                left[static_cast<size_t>(i)] += value;
                right[static_cast<size_t>(i)] += value;
                positions[v] += step;
            }
        }
        for (int i = 0; i < kPullFrames; ++i) {
            out[2 * static_cast<size_t>(i)] =
                static_cast<int16_t>(std::lrint(std::clamp(left[static_cast<size_t>(i)], -1.0f, 1.0f) * 32767.0f));
            out[2 * static_cast<size_t>(i) + 1] =
                static_cast<int16_t>(std::lrint(std::clamp(right[static_cast<size_t>(i)], -1.0f, 1.0f) * 32767.0f));
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPullFrames);
}
BENCHMARK(BM_MixThreeEffectsLinearBefore);

// Frames between SoundPlay and the effect's first sample in what the host pulls next. The host
// pulls a device buffer at a time (at most 1024 frames on a desktop), so the delay a player hears
// is this plus at most one device buffer.
void BM_PlayToFirstSample(benchmark::State& state) {
    AudioScene scene;
    if (!scene.ready()) {
        state.SkipWithError("the effects did not load");
        return;
    }
    scene.host.SetAudioCapture(true);
    MusicStop(scene.song);
    double worst = 0;
    for (auto _ : state) {
        SoundStopAll();
        scene.host.SleepMs(7);  // an arbitrary moment in the stream
        const size_t at = scene.host.audio().size() / 2;
        SoundPlay(scene.click, 0, 0, 0, 0);
        scene.host.SleepMs(30);
        const auto& audio = scene.host.audio();
        size_t first = at;
        while (first < audio.size() / 2 && audio[2 * first] == 0 && audio[2 * first + 1] == 0) ++first;
        worst = std::max(worst, static_cast<double>(first - at));
        if (audio.size() > (1u << 24)) state.SkipWithError("capture grew too large");
    }
    state.counters["latency_frames"] = worst;
    state.counters["device_buffer_frames"] = 1024;
}
BENCHMARK(BM_PlayToFirstSample)->Iterations(200);

}  // namespace
