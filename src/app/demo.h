// Demos: a run recorded as the keys the game saw, pass by pass, with what it takes to play the
// run again exactly.
//
// A demo is a key script behind one header line, so it is plain text that can be read, edited
// and handed to the headless runner:
//
//   # gaiablade demo 1: version 1.0.0, system linux, generator glibc, seed 1765238400
//   0 N
//   1
//   ...
//   # screenshot after pass 812: /home/me/Pictures/gaiablade-2026-12-09-10-00-00.png
//   # end: passes 960, mode 1, level 1, landscape 0
//
// The seed is the one start-up gave srand; the generator names the C library whose rand() the
// enemies drew from, since another library's rand() makes another game of the same seed. The
// end line is written when the run ends normally; a run that was killed leaves its demo without
// it, up to the last flush.
#pragma once

#include "app/key_script.h"

#include <bitset>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

struct DemoHeader {
    std::string version;
    std::string system;
    std::string generator;
    unsigned seed = 0;
};

struct DemoEnd {
    uint64_t passes = 0;  // the passes the run ran
    int mode = 0;
    int level = 0;
    int landscape = 0;
};

struct Demo {
    DemoHeader header;
    KeyScript script;
    std::optional<DemoEnd> end;
    std::vector<uint64_t> screenshots;  // the passes after which the picture was saved

    // The passes to play: those of the end line, or for a demo cut short, up to its last line.
    uint64_t Passes() const;
};

// This program's version, its system ("linux", "windows", "web") and the C library whose
// rand() it uses ("glibc", "msvcrt", "musl").
const char* DemoThisVersion();
const char* DemoThisSystem();
const char* DemoThisGenerator();

// The demo's first line, its end line and its screenshot line, without the line break.
std::string DemoHeaderLine(const DemoHeader& header);
std::string DemoEndLine(const DemoEnd& end);

// Parses a demo; false and a message (naming the line) for anything that is not one.
bool DemoParse(const std::string& text, Demo& demo, std::string& error);
// Reads and parses the demo file at `path`, and refuses one whose generator is not this
// program's: false and a message.
bool DemoLoad(const std::filesystem::path& path, Demo& demo, std::string& error);

// Writes a run as it goes: a line for each pass whose keys differ from the pass before, flushed
// every two seconds, so that a crash leaves the demo up to then.
class DemoRecorder {
public:
    // Creates the file and writes the header; false when it cannot be written.
    bool Open(const std::filesystem::path& path, const DemoHeader& header);
    // Notes the keys that read as down during `pass`.
    void Pass(uint64_t pass, const std::bitset<256>& down);
    // Notes that the picture was saved into `file` after `pass`.
    void Screenshot(uint64_t pass, const std::string& file);
    // Writes the end line and closes the file.
    void Close(const DemoEnd& end);
    bool IsOpen() const { return file_.is_open(); }

private:
    void FlushNowAndThen();

    std::ofstream file_;
    std::bitset<256> last_;
    std::chrono::steady_clock::time_point flushed_;
};

// The folder demos go into: $XDG_STATE_HOME/gaiablade/demos (by default
// ~/.local/state/gaiablade/demos), or %LOCALAPPDATA%\gaiablade\demos on Windows; empty when the
// environment names no home.
std::filesystem::path DemoFolder();
// A new file in `folder` named for the local time, gaiablade-YYYY-MM-DD-HH-MM-SS.demo (with -2,
// -3 ... when that is taken); empty when none is free.
std::filesystem::path DemoNewFile(const std::filesystem::path& folder);
// Deletes the oldest demos of `folder` (by name, which is by time) beyond the newest `keep`.
void DemoPrune(const std::filesystem::path& folder, size_t keep);
