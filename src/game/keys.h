// The keyboard as the game reads it: each key is down or up for the whole of a pass.
//
// At the start of every pass KeysSample asks the system once about each key the game reads. A
// key counts as down while it is held, and also when it was pressed since the last sample and
// let go again: a tap between two passes is not lost, and counts for that one pass only.
#pragma once

#include "platform/win/win32.h"

// Takes this pass's sample of the game's keys.
void KeysSample();
// True when the key with this virtual-key code is down in this pass's sample; a key outside the
// sample is asked about at once.
bool KeyIsDown(int virtualKey);
// Forgets the sample.
void KeysReset();
