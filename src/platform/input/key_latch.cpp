#include "platform/input/key_latch.h"

void KeyLatch::Press(int key, bool repeat) {
    if (!InRange(key) || repeat) {
        return;
    }
    held_[static_cast<size_t>(key)] = true;
    pressed_[static_cast<size_t>(key)] = true;
}

void KeyLatch::Release(int key) {
    if (InRange(key)) {
        held_[static_cast<size_t>(key)] = false;
    }
}

void KeyLatch::ReleaseAll() {
    held_.reset();
    pressed_.reset();
    tapped_.reset();
}

void KeyLatch::NextPass() {
    tapped_ = pressed_;
    pressed_.reset();
}

bool KeyLatch::Down(int key) const {
    if (!InRange(key)) {
        return false;
    }
    const auto at = static_cast<size_t>(key);
    return held_[at] || tapped_[at];
}
