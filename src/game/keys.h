// The keyboard as the game reads it: a key is down or up at the moment of the question.
//
// While a demo plays back, a source of its own answers in the keyboard's place; and every key
// that reads as down is noted, so that a run can be recorded as the keys the game saw.
#pragma once

#include "platform/win/win32.h"

#include <bitset>

// True while the key with this virtual-key code is held (or the playing demo holds it).
bool KeyIsDown(int virtualKey);

// Answers the game's key questions in the keyboard's place; nullptr gives them back to it.
using KeySource = bool (*)(int virtualKey);
void KeysSetSource(KeySource source);
// The keys that read as down since the last call, which forgets them.
std::bitset<256> KeysTakeSeen();
// Back to the keyboard, with nothing seen.
void KeysReset();
