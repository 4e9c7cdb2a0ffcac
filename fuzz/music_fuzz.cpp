// MusicLoad on any bytes: the loader, the Standard MIDI File checks and the segment; a song that
// loads is played for a quarter of a second, its events going to the synthesizer (and its
// SoundFont, when one is installed).
#include "fuzz_support.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"

#include <filesystem>

namespace {

bool SetUp() {
    FuzzHeadlessMachine();
    // Songs are looked up in the working folder.
    std::filesystem::current_path(FuzzFolder());
    return SoundInit() == 1 && MusicInit() == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = SetUp();
    FUZZ_CHECK(ready);
    FuzzWriteInput("input.mid", data, size);

    const int32_t id = MusicLoad("input.mid");
    if (id < 0) {
        return 0;
    }
    FUZZ_CHECK(MidiTable[size_t(id)].state == MUSIC_LOADED);
    FUZZ_CHECK(MusicPlay(id) == 1);
    FuzzAdvance(250);
    const int32_t status = MusicStatus(id);
    FUZZ_CHECK(status == MUSIC_PLAYING || status == MUSIC_STOPPED);
    FUZZ_CHECK(MusicStop(id) == 1);
    FUZZ_CHECK(MusicUnload(id) == 1);
    FUZZ_CHECK(MidiTable[size_t(id)].state == MUSIC_FREE);
    return 0;
}
