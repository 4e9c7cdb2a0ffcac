// The stand-ins as a whole.
#pragma once

// Brings the process back to its start values, for the tests, tools, benchmarks and fuzzers that
// run the program's code more than once: first `layersAbove` (the reset of the highest layer the
// caller uses, ShellReset, GameReset or EngineReset, each of which resets the layers beneath it
// in their order), then the window services.
void ProcessReset(void (*layersAbove)());
