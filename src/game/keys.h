// The keyboard as the game reads it: each key is down or up for the whole of a pass.
//
// At the start of every pass KeysSample asks the system once about each key the game reads. A
// key counts as down while it is held, and also when it was pressed since the last sample and
// let go again: a tap between two passes is not lost, and counts for that one pass only.
//
// While a demo plays back, a source of its own answers in the keyboard's place; and every key
// that reads as down is noted, so that a run can be recorded as the keys the game saw.
#pragma once

#include "platform/standins/win32.h"

#include <bitset>

// Takes this pass's sample of the game's keys.
void KeysSample();
// True when the key with this virtual-key code is down in this pass's sample; a key outside the
// sample is asked about at once.
bool KeyIsDown(int virtualKey);

// Answers the game's key questions in the keyboard's place; nullptr gives them back to it.
using KeySource = bool (*)(int virtualKey);
void KeysSetSource(KeySource source);
// The keys that read as down since the last call, which forgets them.
std::bitset<256> KeysTakeSeen();
// Forgets the sample and what was seen, and gives the questions back to the keyboard.
void KeysReset();
