// No audio device, no SoundFont: the game plays on silently and says why once, not once per
// sound or song. (The real program under the SDL host is checked by silent_game.sh.)
#include "fault_game.h"
#include "support/test_support.h"

#include "platform/win32.h"

#include <algorithm>

namespace {

TEST(Silence, WithoutAnAudioDeviceTheWholeGameRunsAndSaysSoOnce) {
    HeadlessHost host;
    host.SetAudioAvailable(false);
    const GameRun run = PlayWholeGame(BuiltDataPack(), host);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.quitByItself);
    EXPECT_TRUE(run.sawEnding);
    EXPECT_EQ(host.audioRate(), 0);  // no stream was ever opened
    EXPECT_EQ(LinesWith(run.errors, "no sound"), 1) << run.errors;
    // The effects and songs did not load because nothing can play them, not because their
    // files are at fault: none is named.
    EXPECT_TRUE(NamedDataFiles(run.errors).empty()) << run.errors;
}

TEST(Silence, WithoutASoundFontTheMusicIsSilentAndTheEffectsPlay) {
    // The tests run with GAIABLADE_SOUNDFONT naming a file that does not exist.
    HeadlessHost host;
    const GameRun run = PlayPasses(BuiltDataPack(), host, 1, 200, [](uint64_t pass, std::vector<int>& keys) {
        if (pass == 0) keys = {'N'};
        if (pass == 1 || pass % 40 == 3) keys = {VK_SPACE};  // strokes, each with its sound
    });
    EXPECT_EQ(run.result, 0);
    // "Says so once" holds for the process: other tests of this program may have said it first.
    EXPECT_LE(LinesWith(run.errors, "music is silent"), 1) << run.errors;
    EXPECT_EQ(LinesWith(run.errors, "no sound"), 0) << run.errors;
    EXPECT_TRUE(NamedDataFiles(run.errors).empty()) << run.errors;
    const auto& audio = host.audio();
    EXPECT_TRUE(std::any_of(audio.begin(), audio.end(), [](int16_t s) { return s != 0; }));
}

}  // namespace
