// What the harnesses share: a private folder for the input file (the readers take file names),
// and a headless machine with a window for the sound and music services.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Writes the input as `name` in this process's own folder (on /dev/shm when there is one, so
// the writes stay in memory) and returns the file's full path. The folder goes at exit.
std::string FuzzWriteInput(const char* name, const uint8_t* data, size_t size);
// The folder FuzzWriteInput writes into.
const std::string& FuzzFolder();

// Makes a headless host current, with the program's window (the sound services' cooperative
// level needs one) and audio pulled but not kept. Once per process; later calls do nothing.
void FuzzHeadlessMachine();
// Moves the headless clock by `ms`, pulling (and mixing) that much audio.
void FuzzAdvance(uint32_t ms);

// Stops the run with a message when a property every accepted input must have does not hold;
// libFuzzer then keeps the input as a finding.
#define FUZZ_CHECK(condition)                                                                            \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                                \
        }                                                                                                \
    } while (0)
