// SoundLoad on any bytes: the RIFF chunk walk, the WAV reader and the sound buffer it fills;
// a sound that loads is played, duplicated and mixed for a moment.
#include "fuzz_support.h"

#include "engine/audio/sound.h"
#include "platform/standins/mmio.h"

namespace {

constexpr int32_t kGameControls = 0xE0;  // volume, pan and frequency, as the game asks

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzHeadlessMachine();
    static const bool ready = SoundInit() == 1;
    FUZZ_CHECK(ready);
    const std::string path = FuzzWriteInput("input.wav", data, size);

    const int32_t id = SoundLoad(path.c_str(), kGameControls);
    FUZZ_CHECK(MmioOpenFiles() == 0);  // the file is closed whatever it held
    if (id >= 0) {
        const SoundSlot& slot = SoundTable[size_t(id)];
        FUZZ_CHECK(slot.state == 1 && slot.buffer && slot.size > 0 && size_t(slot.size) <= size);
        FUZZ_CHECK(SoundPlay(id, 0, 0, 0, 0) == 1);
        const int32_t copy = SoundReplicate(id);
        FUZZ_CHECK(copy >= 0);
        SoundSetFrequency(copy, slot.rate);  // the rate the file states, whatever it is
        SoundPlay(copy, DSBPLAY_LOOPING, 0, 0, 0);
        FuzzAdvance(20);
    }
    // Frees every slot for the next input.
    FUZZ_CHECK(SoundInit() == 1);
    return 0;
}
