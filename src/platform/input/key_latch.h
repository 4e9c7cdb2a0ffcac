// The keys as one pass of the game sees them.
//
// A key is down for a pass while it is held, and also for the one pass after a press that was
// let go again before that pass began: a quick tap between two passes is not lost, and is not
// kept either. Auto-repeat never makes a new press. The hosts feed their keyboard (and the pads
// their buttons) into one latch each and call NextPass where a pass begins, in PumpEvents.
#pragma once

#include <bitset>

// How many key codes a latch holds: enough for the sound library's scancodes and for the
// virtual-key codes.
constexpr int KEY_LATCH_SIZE = 512;

class KeyLatch {
public:
    // The key went down; a repeat of a key already held changes nothing.
    void Press(int key, bool repeat);
    // The key went up.
    void Release(int key);
    // Every key goes up and every tap is forgotten (the window lost the keyboard).
    void ReleaseAll();
    // A pass begins: the presses since the last call become its taps; older taps are forgotten.
    void NextPass();
    // True while the key is held, or when it was tapped for this pass. Asking takes nothing.
    bool Down(int key) const;

private:
    static bool InRange(int key) { return key >= 0 && key < KEY_LATCH_SIZE; }

    std::bitset<KEY_LATCH_SIZE> held_;
    std::bitset<KEY_LATCH_SIZE> pressed_;  // since the last NextPass
    std::bitset<KEY_LATCH_SIZE> tapped_;   // for this pass
};
