#include "game/keys.h"

#include <array>
#include <cstddef>

namespace {

// Every key a screen or the player reads.
constexpr std::array<int, 9> kGameKeys = {VK_ESCAPE, 'N',     VK_DECIMAL, 'Q',       VK_F2,
                                          VK_SPACE,  VK_LEFT, VK_RIGHT,   VK_CONTROL};

std::array<bool, kGameKeys.size()> sampled{};

// The high bit: held now. The low bit: pressed since the last question about this key.
bool AskNow(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8001) != 0; }

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

void KeysReset() { sampled.fill(false); }
