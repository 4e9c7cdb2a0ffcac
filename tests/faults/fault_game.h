// Whole games on the headless host for the fault tests: the data pack's file names, packs with
// one file made faulty, a scripted player that wins every fight, and standard error captured.
#pragma once

#include "platform/host/host_headless.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The 48 files of the data pack (the game's table), in the order the game names them when all
// are missing: the palette first, then GameDataFiles()'s order.
const std::vector<std::string>& DataFileNames();
// The generated data pack the build made.
std::filesystem::path BuiltDataPack();

enum class Fault { Missing, Truncated, RandomBytes, OtherFormat };
const char* FaultName(Fault fault);

// Fills `folder` with the built pack (links to its files) with `faulty` missing or replaced
// according to `fault`. An empty `faulty` leaves every file sound.
void MakePackWithFault(const std::filesystem::path& folder, const std::string& faulty, Fault fault);
// Writes the faulty version of data file `name` into `folder` (nothing when it is missing).
void WriteFaultyFile(const std::filesystem::path& folder, const std::string& name, Fault fault);

// What a game left behind.
struct GameRun {
    int result = -1;            // WinMain's result
    uint64_t passes = 0;        // passes run
    bool quitByItself = false;  // the loop ended on the game's own quit, not the pass limit
    bool sawEnding = false;     // the ending screen was shown: every enemy was beaten
    std::string errors;         // everything written to standard error
};

// Plays one whole game in `data` on `host`: new game, walk right, strike each enemy when it is
// in reach, back to the title after the ending, quit. The enemies are kept hesitating, so the
// game goes the same way whatever the data holds and every fighter's pictures get read. The
// host's audio is mixed but not kept, and the music not synthesised.
GameRun PlayWholeGame(const std::filesystem::path& data, HeadlessHost& host, unsigned seed = 1,
                      uint64_t passLimit = 20000);

// Runs the game in `data` for `passes` passes with keys chosen by `keysFor` (nothing else
// steps in); `afterPass` sees each pass when it is over. The host keeps its audio only when
// the caller left its capture on.
GameRun PlayPasses(const std::filesystem::path& data, HeadlessHost& host, unsigned seed, uint64_t passes,
                   const std::function<void(uint64_t pass, std::vector<int>& keys)>& keysFor,
                   const std::function<void(uint64_t pass)>& afterPass = nullptr);

// Redirects the process's standard error into a file until Finish (or destruction).
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    // Restores standard error and returns what was written meanwhile.
    std::string Finish();

private:
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

// The data files named (in double quotes, as the game names them) in `text`.
std::vector<std::string> NamedDataFiles(const std::string& text);
// How many lines of `text` contain `part`.
int LinesWith(const std::string& text, const std::string& part);
