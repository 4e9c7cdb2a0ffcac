// The headless runner: the real WinMain loop on the headless host, with keys chosen per pass,
// a trace line per pass, frame dumps and the mixed audio of the run.
#pragma once

#include "platform/host/host_headless.h"
#include "trace.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct RunnerOptions {
    std::string dataDir;             // the working folder of the run
    unsigned seed = 1;               // handed to srand in place of the time
    std::optional<uint64_t> passes;  // stop after this many passes
    std::string framesDir;           // PNG frames go here when set
    uint64_t frameEvery = 1;         // every K-th presented frame
    std::string audioFile;           // the run's mixed audio as a WAV file when set
    // Chooses the keys held during `pass`; returning false ends the run before that pass.
    std::function<bool(uint64_t pass, std::vector<int>& keys)> keysFor;
    // Sees each pass when it is over.
    std::function<void(uint64_t pass, const PassEvents& events, HeadlessHost& host)> afterPass;
};

// Runs the game until it quits, the pass limit is reached or keysFor says stop; shut-down always
// runs. 0, or 2 (with a line on standard error) when the data folder or an output cannot be used.
int RunnerRun(const RunnerOptions& options);

// Writes interleaved 16-bit stereo samples as a WAV file; false when it cannot be written.
bool WriteWav16Stereo(const std::string& path, const std::vector<int16_t>& samples, int rate);
