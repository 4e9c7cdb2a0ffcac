#include "app/demo_session.h"

#include "app/demo.h"
#include "app/shell.h"
#include "game/game_state.h"
#include "game/keys.h"
#include "platform/report/report.h"

#include <algorithm>
#include <optional>

namespace fs = std::filesystem;

namespace {

// Demos kept in the folder; the oldest go.
constexpr size_t kDemosKept = 50;

struct Session {
    DemoRecorder recorder;
    fs::path file;
    std::optional<Demo> playback;
    std::vector<int> playbackKeys;  // what the demo holds in the pass under way
    uint64_t passesDone = 0;
};

Session session;

std::string PathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The recording starts with the first pass, when start-up has seeded the generator.
void StartRecording() {
    const fs::path folder = DemoFolder();
    std::error_code error;
    if (!folder.empty()) fs::create_directories(folder, error);
    session.file = folder.empty() ? fs::path() : DemoNewFile(folder);
    const DemoHeader header{DemoThisVersion(), DemoThisSystem(), DemoThisGenerator(), ShellSeed()};
    if (session.file.empty() || !session.recorder.Open(session.file, header)) {
        Report("no demo of this run: cannot write into " +
               (folder.empty() ? std::string("a state folder (no home folder)") : PathText(folder)));
        session.file.clear();
        return;
    }
    DemoPrune(folder, kDemosKept);
}

// While a demo plays, its keys stand in for the keyboard's, but for Escape, which ends it.
bool PlaybackKeyDown(int virtualKey) {
    if (virtualKey == VK_ESCAPE && (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0) return true;
    const std::vector<int>& keys = session.playbackKeys;
    return std::find(keys.begin(), keys.end(), virtualKey) != keys.end();
}

bool BeforePass(uint64_t pass, void*) {
    if (session.playback) {
        if (pass >= session.playback->Passes()) return false;
        session.playbackKeys = session.playback->script.KeysAt(pass);
    } else if (pass == 0) {
        StartRecording();
    }
    return true;
}

void AfterPass(uint64_t pass, void*) {
    session.recorder.Pass(pass, KeysTakeSeen());
    session.passesDone = pass + 1;
}

int Refuse(const std::string& line) {
    Report(line);
    return 2;
}

}  // namespace

int DemoSessionBegin(int argc, char** argv) {
    session = Session{};
    std::string demoFile;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--demo" && i + 1 < argc && demoFile.empty()) {
            demoFile = argv[++i];
        } else {
            return Refuse("unexpected argument " + argument + " (the one option is --demo FILE)");
        }
    }
    if (!demoFile.empty()) {
        Demo demo;
        std::string error;
        if (!DemoLoad(fs::path(demoFile), demo, error)) return Refuse(error);
        ShellFixSeed(true, demo.header.seed);
        KeysSetSource(PlaybackKeyDown);
        session.playback = std::move(demo);
    }
    ShellSetPassHooks(ShellPassHooks{BeforePass, AfterPass, nullptr});
    return 0;
}

void DemoSessionScreenshot(const std::string& file) {
    if (session.passesDone > 0) session.recorder.Screenshot(session.passesDone - 1, file);
}

void DemoSessionEnd() {
    ShellSetPassHooks(ShellPassHooks{});
    KeysSetSource(nullptr);
    if (!session.recorder.IsOpen()) return;
    session.recorder.Close(DemoEnd{session.passesDone, GameState.mode, GameState.level, GameState.landscape});
    ReportOutput("demo " + PathText(session.file));
}
