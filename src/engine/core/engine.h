// The engine as a whole.
#pragma once

// Back to the start values of every engine record: the sound and song tables (each system shut
// down first), the display record (what it held is not released: DisplayShutdown does that, once),
// the palette tables and the window handles.
void EngineReset();
