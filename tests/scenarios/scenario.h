// A game on the headless host, driven pass by pass by the test: keys before each pass, a look
// at the game's records and the pass's events after it.
#pragma once

#include "game/characters.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "platform/standins/win32.h"
#include "runner.h"
#include "support/test_support.h"

#include <functional>
#include <string>
#include <vector>

struct PassRecord {
    uint64_t pass = 0;
    uint32_t ms = 0;
    PassEvents events;
    GameStateRecord state;
    float playerX = 0, playerY = 0;
    int32_t playerAnimation = 0;
    bool playerLive = false;
    uint8_t firstPixel = 0;  // of the frame presented last
};

class Scenario : public ::testing::Test {
protected:
    void SetUp() override { MakeTestDataPack(dir.path()); }

    // Runs until `keysFor` returns false or the game quits (or `limit` passes).
    void Run(std::function<bool(uint64_t pass, std::vector<int>& keys)> keysFor, uint64_t limit = 100000) {
        RunnerOptions options;
        options.dataDir = dir.path().string();
        options.seed = seed;
        options.passes = limit;
        options.keysFor = std::move(keysFor);
        options.afterPass = [this](uint64_t pass, const PassEvents& events, HeadlessHost& host) {
            PassRecord record;
            record.pass = pass;
            record.ms = host.TicksMs();
            record.events = events;
            record.state = GameState;
            record.playerX = PlayerSprite().x;
            record.playerY = PlayerSprite().y;
            record.playerAnimation = PlayerSprite().currentAnimation;
            record.playerLive = SpriteHoldsFrames(PlayerSprite());
            record.firstPixel = host.framePixels().empty() ? 0 : host.framePixels()[0];
            records.push_back(record);
            if (afterPass) afterPass(record);
        };
        ASSERT_EQ(RunnerRun(options), 0);
    }

    // Passes whose events list `sound`.
    std::vector<uint64_t> PassesWithSound(const std::string& sound) const {
        std::vector<uint64_t> found;
        for (const PassRecord& r : records)
            for (const std::string& s : r.events.sounds)
                if (s == sound) found.push_back(r.pass);
        return found;
    }
    std::vector<std::string> Songs() const {
        std::vector<std::string> songs;
        for (const PassRecord& r : records)
            if (!r.events.song.empty()) songs.push_back(r.events.song);
        return songs;
    }

    TempDir dir;
    unsigned seed = 1;
    std::vector<PassRecord> records;
    std::function<void(const PassRecord&)> afterPass;
};

// Key helpers for the scripts.
inline std::vector<int> Keys(std::initializer_list<int> keys) { return keys; }

// The test-side player that beats every enemy, while playing: it walks up to the enemy and
// answers the enemy's stroke at once with its own, which lands before the enemy's can.
inline void WinningMoves(std::vector<int>& keys) {
    if (GameState.mode != Playing || GameState.playerAttackTimer > 0) return;
    const int32_t level = GameState.level;
    if (GameState.landscape != level - 1) {
        keys = {VK_RIGHT};
        return;
    }
    const EnemyState& enemy = EnemyStates[level - 1];
    if (enemy.action == Strike && enemy.attackTimer == 32) {
        keys = {VK_SPACE};
    } else if (EnemySprite(level).x - PlayerSprite().x > 34.0f) {
        keys = {VK_RIGHT};
    }
}
