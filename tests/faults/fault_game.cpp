#include "fault_game.h"

#include "app/shell.h"
#include "game/characters.h"
#include "game/data_files.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "platform/standins/dmusic.h"
#include "platform/standins/stand_ins.h"
#include "platform/standins/win32.h"
#include "support/test_support.h"
#include "build_paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

const std::vector<std::string>& DataFileNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out = {PaletteFile};
        for (const std::string& name : GameDataFiles())
            if (name != PaletteFile) out.push_back(name);
        return out;
    }();
    return names;
}

fs::path BuiltDataPack() { return GAIABLADE_BUILD_DATA_DIR; }

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::Missing: return "Missing";
        case Fault::Truncated: return "Truncated";
        case Fault::RandomBytes: return "RandomBytes";
        case Fault::OtherFormat: return "OtherFormat";
    }
    return "?";
}

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A file of the pack in another format: pictures get a song, the palette and the effects a
// picture, songs an effect.
std::string OtherFormatSource(const std::string& name) {
    if (EndsWith(name, ".BMP") || EndsWith(name, ".bmp")) return "MIDIFILE1.MID";
    if (EndsWith(name, ".WAV") || EndsWith(name, ".PAL")) return "Gaia0.BMP";
    return "Sword Clash.WAV";
}

std::vector<uint8_t> FaultyBytes(const std::string& name, Fault fault) {
    const fs::path pack = BuiltDataPack();
    std::vector<uint8_t> bytes = ReadBytes((pack / name).string());
    switch (fault) {
        case Fault::Missing: return {};
        case Fault::Truncated:
            // Half: the headers stay, what they promise does not.
            bytes.resize(bytes.size() / 2);
            return bytes;
        case Fault::RandomBytes: {
            std::mt19937 random(static_cast<unsigned>(std::hash<std::string>{}(name)));
            for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
            return bytes;
        }
        case Fault::OtherFormat: return ReadBytes((pack / OtherFormatSource(name)).string());
    }
    return bytes;
}

struct Loop {
    HeadlessHost* host = nullptr;
    uint64_t limit = 0;
    uint64_t passes = 0;
    bool stoppedByLimit = false;
    const std::function<void(uint64_t, std::vector<int>&)>* keysFor = nullptr;
    const std::function<void(uint64_t)>* afterPass = nullptr;
};

bool BeforePass(uint64_t pass, void* user) {
    Loop& loop = *static_cast<Loop*>(user);
    if (pass >= loop.limit) {
        loop.stoppedByLimit = true;
        return false;
    }
    std::vector<int> keys;
    (*loop.keysFor)(pass, keys);
    loop.host->ReleaseAllKeys();
    for (int key : keys) loop.host->SetKey(key, true);
    return true;
}

void AfterPass(uint64_t pass, void* user) {
    Loop& loop = *static_cast<Loop*>(user);
    loop.passes = pass + 1;
    if (*loop.afterPass) (*loop.afterPass)(pass);
}

}  // namespace

void MakePackWithFault(const fs::path& folder, const std::string& faulty, Fault fault) {
    fs::create_directories(folder);
    const fs::path pack = BuiltDataPack();
    for (const std::string& name : DataFileNames()) {
        if (name != faulty) {
            fs::create_symlink(pack / name, folder / name);
        } else {
            WriteFaultyFile(folder, name, fault);
        }
    }
}

void WriteFaultyFile(const fs::path& folder, const std::string& name, Fault fault) {
    if (fault != Fault::Missing) {
        WriteBytes((folder / name).string(), FaultyBytes(name, fault));
    }
}

GameRun PlayPasses(const fs::path& data, HeadlessHost& host, unsigned seed, uint64_t passes,
                   const std::function<void(uint64_t, std::vector<int>&)>& keysFor,
                   const std::function<void(uint64_t)>& afterPass) {
    WorkingFolder inData(data);
    HostSet(&host);
    ProcessReset(ShellReset);
    ShellFixSeed(true, seed);
    Loop loop;
    loop.host = &host;
    loop.limit = passes;
    loop.keysFor = &keysFor;
    loop.afterPass = &afterPass;
    ShellSetPassHooks(ShellPassHooks{BeforePass, AfterPass, &loop});

    GameRun run;
    StderrCapture errors;
    run.result = WinMain(Win32ModuleInstance(), nullptr, nullptr, 1);
    run.errors = errors.Finish();
    run.passes = loop.passes;
    run.quitByItself = !loop.stoppedByLimit;

    ProcessReset(ShellReset);
    HostSet(nullptr);
    return run;
}

GameRun PlayWholeGame(const fs::path& data, HeadlessHost& host, unsigned seed, uint64_t passLimit) {
    bool won = false;
    bool quitAsked = false;
    auto keysFor = [&won, &quitAsked](uint64_t, std::vector<int>& keys) {
        const int32_t level = GameState.level;
        switch (GameState.mode) {
            case MenuScreen:
                // Q is let go at once: held, it would post close requests for as long as it is.
                if (!won) {
                    keys = {'N'};
                } else if (!quitAsked) {
                    keys = {'Q'};
                    quitAsked = true;
                }
                break;
            case Playing:
                if (level >= 1 && level <= 5) {
                    EnemyStates[level - 1].pauseTimer = 1000;
                    EnemyStates[level - 1].mayCutPause = 0;
                }
                if (GameState.landscape == level - 1 && EnemySprite(level).x - PlayerSprite().x < 35.0f) {
                    keys = {VK_SPACE};
                } else {
                    keys = {VK_RIGHT};
                }
                break;
            case EndingScreen:
                won = true;
                keys = {VK_SPACE};
                break;
            default:  // the ready screen; a game over cannot come with hesitating enemies
                keys = {VK_SPACE};
                break;
        }
    };
    // The audio is mixed as the clock moves but not kept, and, as in the headless runner when it
    // keeps none, songs keep their time without being synthesised.
    host.SetAudioCapture(false);
    DirectMusicSetMuted(true);
    GameRun run;
    auto afterPass = [&run](uint64_t) { run.sawEnding = run.sawEnding || GameState.mode == EndingScreen; };
    const GameRun played = PlayPasses(data, host, seed, passLimit, keysFor, afterPass);
    DirectMusicSetMuted(false);
    const bool sawEnding = run.sawEnding;
    run = played;
    run.sawEnding = sawEnding;
    return run;
}

StderrCapture::StderrCapture() {
    std::fflush(stderr);
    file_ = std::tmpfile();
    saved_ = dup(STDERR_FILENO);
    if (file_ && saved_ >= 0) {
        dup2(fileno(file_), STDERR_FILENO);
    }
}

StderrCapture::~StderrCapture() { Finish(); }

std::string StderrCapture::Finish() {
    std::string text;
    if (!file_) {
        return text;
    }
    std::fflush(stderr);
    if (saved_ >= 0) {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }
    std::rewind(file_);
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) text.append(buffer, got);
    std::fclose(file_);
    file_ = nullptr;
    // Shown again, so that a failing test's log still has it.
    std::fputs(text.c_str(), stderr);
    return text;
}

std::vector<std::string> NamedDataFiles(const std::string& text) {
    std::vector<std::string> named;
    for (const std::string& name : DataFileNames()) {
        if (text.find("\"" + name + "\"") != std::string::npos) named.push_back(name);
    }
    return named;
}

int LinesWith(const std::string& text, const std::string& part) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);) count += line.find(part) != std::string::npos;
    return count;
}
