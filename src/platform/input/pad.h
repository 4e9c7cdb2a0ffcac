// Game controllers as keys: a pad stands in for the keyboard keys the game reads.
//
// D-pad and left stick are Left and Right, A is Space, B and X are Ctrl, Start is N, and Back
// together with Start is Escape. The host asks these alongside the keyboard, so either can hold
// a key down.
#pragma once

#include "platform/input/key_latch.h"

#include <bitset>
#include <map>

// What one pad holds, as its events last told.
struct PadState {
    bool dpadLeft = false;
    bool dpadRight = false;
    int leftStickX = 0;  // -32768 (full left) to 32767 (full right)
    bool a = false;
    bool b = false;
    bool x = false;
    bool back = false;
    bool start = false;
};

// A set of virtual-key codes.
using PadKeys = std::bitset<256>;

// How far the stick must lean (of 32767) to count as a walk: past half way, so a worn stick
// resting a little off centre does not walk the player.
constexpr int PAD_STICK_THRESHOLD = 16384;

// The virtual keys a pad in `state` holds down.
PadKeys PadKeysFor(const PadState& state);

// The keys held by every pad plugged in, through a key latch as the keyboard's: a key newly
// held by any pad is a press, one no pad holds any more a release.
class PadKeyBoard {
public:
    // Records the state of pad `id` after one of its events.
    void Update(int id, const PadState& state);
    // Forgets pad `id` (unplugged): what it held is released.
    void Remove(int id);
    // The state last recorded for pad `id` (a fresh state for a pad not seen yet).
    PadState StateOf(int id) const;
    // A pass begins (the latch's NextPass).
    void NextPass() { latch_.NextPass(); }
    // True when a pad holds `virtualKey`, or tapped it for this pass.
    bool Down(int virtualKey) const { return latch_.Down(virtualKey); }

private:
    // Feeds the latch with what changed in the union of the pads since the last call.
    void Settle();

    std::map<int, PadState> states_;
    PadKeys held_;
    KeyLatch latch_;
};
