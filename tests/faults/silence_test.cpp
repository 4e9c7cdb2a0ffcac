// No audio device, no SoundFont: the game plays on silently and says why once, not once per
// sound or song. Each runs in a fresh process of its own, since a process says each such thing
// only once. (The real program under the SDL host is checked by silent_game.sh.)
#include "fault_game.h"
#include "support/test_support.h"

#include "platform/standins/dmusic.h"
#include "platform/standins/win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Collects the checks of a run in a child process, which can only report by its exit status
// and its standard error.
class Verdict {
public:
    void Check(bool holds, const char* what) {
        if (!holds) {
            std::fprintf(stderr, "does not hold: %s\n", what);
            failed_ = true;
        }
    }
    [[noreturn]] void Exit() const { std::exit(failed_ ? 1 : 0); }

private:
    bool failed_ = false;
};

TEST(SilenceDeathTest, WithoutAnAudioDeviceTheWholeGameRunsAndSaysSoOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HeadlessHost host;
            host.SetAudioAvailable(false);
            const GameRun run = PlayWholeGame(BuiltDataPack(), host);
            Verdict verdict;
            verdict.Check(run.result == 0 && run.quitByItself && run.sawEnding, "the game ran to its end");
            verdict.Check(host.audioRate() == 0, "no stream was opened");
            verdict.Check(LinesWith(run.errors, "no sound") == 1, "\"no sound\" said once");
            // The effects and songs did not load because nothing can play them, not because
            // their files are at fault: none is named.
            verdict.Check(NamedDataFiles(run.errors).empty(), "no data file named");
            verdict.Exit();
        },
        ::testing::ExitedWithCode(0), "gaiablade: no sound");
}

TEST(SilenceDeathTest, WithoutASoundFontTheMusicIsSilentTheEffectsPlayAndItIsSaidOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("GAIABLADE_SOUNDFONT", "/nonexistent/none.sf2", 1);
            HeadlessHost host;
            bool synthesizerSilent = true;
            // Seven songs load and two start; effects play with each stroke.
            const GameRun run = PlayPasses(
                BuiltDataPack(), host, 1, 200,
                [](uint64_t pass, std::vector<int>& keys) {
                    if (pass == 0) keys = {'N'};
                    if (pass == 1 || pass % 40 == 3) keys = {VK_SPACE};
                },
                [&](uint64_t) { synthesizerSilent = synthesizerSilent && MusicSynthSoundFont().empty(); });
            const auto& audio = host.audio();
            Verdict verdict;
            verdict.Check(run.result == 0 && run.passes == 200, "the game ran");
            verdict.Check(synthesizerSilent, "the synthesizer has no SoundFont");
            verdict.Check(std::any_of(audio.begin(), audio.end(), [](int16_t s) { return s != 0; }),
                          "the effects sound");
            verdict.Check(LinesWith(run.errors, "music is silent") == 1, "\"music is silent\" said once");
            verdict.Check(LinesWith(run.errors, "no sound") == 0, "nothing said about the sound");
            verdict.Check(NamedDataFiles(run.errors).empty(), "no data file named");
            verdict.Exit();
        },
        ::testing::ExitedWithCode(0), "gaiablade: music is silent: cannot read the SoundFont /nonexistent/none.sf2");
}

}  // namespace
