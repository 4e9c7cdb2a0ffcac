#include "trace.h"

#include "game/characters.h"
#include "game/enemies.h"
#include "game/game_state.h"

#include <charconv>

namespace {

// Floats in their shortest form that reads back exactly.
std::string Number(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string SpriteFields(const Sprite& sprite) {
    return "\"x\":" + Number(sprite.x) + ",\"y\":" + Number(sprite.y) +
           ",\"anim\":" + std::to_string(sprite.currentAnimation) +
           ",\"frame\":" + std::to_string(sprite.currentFrame) +
           ",\"live\":" + (SpriteHoldsFrames(sprite) ? "true" : "false");
}

std::string EnemyField() {
    const int32_t n = GameState.level;
    if (n < 1 || n > 5) {
        return "null";
    }
    const EnemyState& state = EnemyStates[n - 1];
    return "{\"n\":" + std::to_string(n) + "," + SpriteFields(EnemySprite(n)) +
           ",\"action\":" + std::to_string(state.action) + ",\"attackTimer\":" + std::to_string(state.attackTimer) +
           ",\"pauseTimer\":" + std::to_string(state.pauseTimer) + "}";
}

}  // namespace

std::string TraceLine(uint64_t pass, uint32_t ms, const PassEvents& events) {
    std::string sounds = "[";
    for (size_t i = 0; i < events.sounds.size(); ++i) {
        sounds += (i ? "," : "") + Quoted(events.sounds[i]);
    }
    sounds += "]";
    return "{\"pass\":" + std::to_string(pass) + ",\"ms\":" + std::to_string(ms) +
           ",\"mode\":" + std::to_string(GameState.mode) + ",\"level\":" + std::to_string(GameState.level) +
           ",\"landscape\":" + std::to_string(GameState.landscape) +
           ",\"timer\":" + std::to_string(GameState.playerAttackTimer) +
           ",\"acted\":" + std::to_string(GameState.playerActed) +
           ",\"presented\":" + (events.presented ? "true" : "false") + ",\"player\":{" + SpriteFields(PlayerSprite()) +
           "},\"enemy\":" + EnemyField() + ",\"sounds\":" + sounds +
           ",\"song\":" + (events.song.empty() ? "null" : Quoted(events.song)) + "}";
}
