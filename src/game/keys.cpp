#include "game/keys.h"

#include <array>
#include <cstddef>

namespace {

// Every key a screen or the player reads.
constexpr std::array<int, 9> kGameKeys = {VK_ESCAPE, 'N',     VK_DECIMAL, 'Q',       VK_F2,
                                          VK_SPACE,  VK_LEFT, VK_RIGHT,   VK_CONTROL};

std::array<bool, kGameKeys.size()> sampled{};
KeySource source = nullptr;
std::bitset<256> seen;

// The high bit: held now. The low bit: pressed since the last question about this key.
bool AskNow(int virtualKey) {
    const bool down = source ? source(virtualKey) : (GetAsyncKeyState(virtualKey) & 0x8001) != 0;
    if (down && virtualKey >= 0 && virtualKey < static_cast<int>(seen.size())) {
        seen.set(static_cast<size_t>(virtualKey));
    }
    return down;
}

}  // namespace

void KeysSample() {
    for (size_t i = 0; i < kGameKeys.size(); ++i) {
        sampled[i] = AskNow(kGameKeys[i]);
    }
}

bool KeyIsDown(int virtualKey) {
    for (size_t i = 0; i < kGameKeys.size(); ++i) {
        if (kGameKeys[i] == virtualKey) {
            return sampled[i];
        }
    }
    return AskNow(virtualKey);
}

void KeysSetSource(KeySource keySource) { source = keySource; }

std::bitset<256> KeysTakeSeen() {
    const std::bitset<256> taken = seen;
    seen.reset();
    return taken;
}

void KeysReset() {
    sampled.fill(false);
    source = nullptr;
    seen.reset();
}
