#include "platform/input/pad.h"

#include "platform/standins/win32_keys.h"

PadKeys PadKeysFor(const PadState& state) {
    PadKeys keys;
    keys[VK_LEFT] = state.dpadLeft || state.leftStickX <= -PAD_STICK_THRESHOLD;
    keys[VK_RIGHT] = state.dpadRight || state.leftStickX >= PAD_STICK_THRESHOLD;
    keys[VK_SPACE] = state.a;
    keys[VK_CONTROL] = state.b || state.x;
    // Back with Start quits; Start then must not also start a game from the menu.
    keys[VK_ESCAPE] = state.back && state.start;
    keys['N'] = state.start && !state.back;
    return keys;
}

void PadKeyBoard::Update(int id, const PadState& state) {
    states_[id] = state;
    Settle();
}

void PadKeyBoard::Remove(int id) {
    states_.erase(id);
    Settle();
}

PadState PadKeyBoard::StateOf(int id) const {
    const auto found = states_.find(id);
    return found == states_.end() ? PadState{} : found->second;
}

void PadKeyBoard::Settle() {
    PadKeys now;
    for (const auto& [id, state] : states_) {
        now |= PadKeysFor(state);
    }
    for (size_t key = 0; key < now.size(); ++key) {
        if (now[key] && !held_[key]) {
            latch_.Press(static_cast<int>(key), false);
        } else if (!now[key] && held_[key]) {
            latch_.Release(static_cast<int>(key));
        }
    }
    held_ = now;
}
