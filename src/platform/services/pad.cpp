#include "platform/services/pad.h"

#include "platform/win/win32.h"

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
    pressedSinceAsked_ |= PadKeysFor(state);
}

void PadKeyBoard::Remove(int id) { states_.erase(id); }

PadState PadKeyBoard::StateOf(int id) const {
    const auto found = states_.find(id);
    return found == states_.end() ? PadState{} : found->second;
}

bool PadKeyBoard::TakeKeyDown(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(pressedSinceAsked_.size())) {
        return false;
    }
    const auto key = static_cast<size_t>(virtualKey);
    bool down = pressedSinceAsked_[key];
    pressedSinceAsked_[key] = false;
    for (const auto& [id, state] : states_) {
        down = down || PadKeysFor(state)[key];
    }
    return down;
}
