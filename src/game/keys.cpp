#include "game/keys.h"

namespace {

KeySource source = nullptr;
std::bitset<256> seen;

}  // namespace

bool KeyIsDown(int virtualKey) {
    const bool down = source ? source(virtualKey) : (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    if (down && virtualKey >= 0 && virtualKey < static_cast<int>(seen.size())) {
        seen.set(static_cast<size_t>(virtualKey));
    }
    return down;
}

void KeysSetSource(KeySource keySource) { source = keySource; }

std::bitset<256> KeysTakeSeen() {
    const std::bitset<256> taken = seen;
    seen.reset();
    return taken;
}

void KeysReset() {
    source = nullptr;
    seen.reset();
}
