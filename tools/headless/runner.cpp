#include "runner.h"

#include "app/shell.h"
#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "platform/screen/png.h"
#include "platform/standins/dmusic.h"
#include "platform/standins/stand_ins.h"
#include "platform/standins/win32.h"
#include "tools/formats/wav_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct RunState {
    const RunnerOptions* options = nullptr;
    HeadlessHost* host = nullptr;
    PassEvents events;
    uint64_t presentsBefore = 0;
    uint64_t presentedFrames = 0;
    bool outputFailed = false;
};

RunState* current = nullptr;

void OnSound(int32_t id) {
    if (!current) return;
    const char* name = SoundFileName(id);
    current->events.sounds.push_back(name ? name : "");
}

void OnSong(int32_t id) {
    if (!current) return;
    const char* name = MusicFileName(id);
    current->events.song = name ? name : "";
}

bool BeforePass(uint64_t pass, void* user) {
    auto& run = *static_cast<RunState*>(user);
    if (run.options->passes && pass >= *run.options->passes) {
        return false;
    }
    std::vector<int> keys;
    if (run.options->keysFor && !run.options->keysFor(pass, keys)) {
        return false;
    }
    run.host->ReleaseAllKeys();
    for (int key : keys) run.host->SetKey(key, true);
    run.presentsBefore = run.host->presentCount();
    return true;
}

void DumpFrame(RunState& run, uint64_t pass) {
    const HeadlessHost& host = *run.host;
    char name[32];
    std::snprintf(name, sizeof(name), "frame-%06llu.png", static_cast<unsigned long long>(pass));
    // The game's display is always 8-bit: frames are palette pictures.
    const std::vector<uint8_t> png = PngEncodeIndexed(host.frameWidth(), host.frameHeight(), host.framePixels(),
                                                      host.framePalette().data());
    if (!PngWriteFile((fs::path(run.options->framesDir) / name).string(), png) && !run.outputFailed) {
        std::fprintf(stderr, "gaiablade-headless: cannot write frames into %s\n", run.options->framesDir.c_str());
        run.outputFailed = true;
    }
}

void AfterPass(uint64_t pass, void* user) {
    auto& run = *static_cast<RunState*>(user);
    run.events.presented = run.host->presentCount() != run.presentsBefore;
    if (run.events.presented) {
        if (!run.options->framesDir.empty() && run.presentedFrames % run.options->frameEvery == 0) {
            DumpFrame(run, pass);
        }
        ++run.presentedFrames;
    }
    if (run.options->afterPass) {
        run.options->afterPass(pass, run.events, *run.host);
    }
    // What happens from here to the end of the next pass belongs to that pass; the first pass
    // also carries what start-up did (the intro song).
    run.events = PassEvents{};
}

}  // namespace

bool WriteWav16Stereo(const std::string& path, const std::vector<int16_t>& samples, int rate) {
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    const formats::Bytes header = formats::WavHeader({1, 2, static_cast<uint32_t>(rate), 16, false}, dataBytes);
    file.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    // The samples as the host keeps them: little-endian, as the file wants them.
    file.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(dataBytes));
    return static_cast<bool>(file);
}

int RunnerRun(const RunnerOptions& given) {
    std::error_code error;
    const fs::path previous = fs::current_path(error);
    // Outputs are named relative to the folder the run was started from, not the data folder.
    RunnerOptions options = given;
    if (!options.framesDir.empty()) options.framesDir = fs::absolute(options.framesDir, error).string();
    if (!options.audioFile.empty()) options.audioFile = fs::absolute(options.audioFile, error).string();
    if (!options.framesDir.empty()) {
        fs::create_directories(options.framesDir, error);
        if (!fs::is_directory(options.framesDir)) {
            std::fprintf(stderr, "gaiablade-headless: cannot make the frames folder %s\n", options.framesDir.c_str());
            return 2;
        }
    }
    if (!options.dataDir.empty()) {
        fs::current_path(options.dataDir, error);
        if (error) {
            std::fprintf(stderr, "gaiablade-headless: cannot enter the data folder %s\n", options.dataDir.c_str());
            return 2;
        }
    }
    HeadlessHost host;
    // Without an audio file nobody hears the run: songs still start, keep their time and end,
    // but the synthesizer renders nothing, which keeps a long run fast.
    const bool keepAudio = !options.audioFile.empty();
    host.SetAudioCapture(keepAudio);
    DirectMusicSetMuted(!keepAudio);
    HostSet(&host);
    ProcessReset(ShellReset);
    ShellFixSeed(true, options.seed);

    RunState run;
    run.options = &options;
    run.host = &host;
    current = &run;
    SoundSetPlayObserver(OnSound);
    MusicSetPlayObserver(OnSong);
    ShellSetPassHooks(ShellPassHooks{BeforePass, AfterPass, &run});

    WinMain(Win32ModuleInstance(), nullptr, nullptr, 1);

    SoundSetPlayObserver(nullptr);
    MusicSetPlayObserver(nullptr);
    current = nullptr;
    ProcessReset(ShellReset);
    HostSet(nullptr);
    DirectMusicSetMuted(false);
    fs::current_path(previous, error);

    if (!options.audioFile.empty() &&
        !WriteWav16Stereo(options.audioFile, host.audio(), host.audioRate() > 0 ? host.audioRate() : 44100)) {
        std::fprintf(stderr, "gaiablade-headless: cannot write %s\n", options.audioFile.c_str());
        return 2;
    }
    return run.outputFailed ? 2 : 0;
}
