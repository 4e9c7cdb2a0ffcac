#include "engine/audio/sound.h"

#include "engine/core/main_window.h"
#include "platform/standins/mmio.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

std::array<SoundSlot, SOUND_SLOTS> SoundTable{};
IDirectSound* SoundDirectSound = nullptr;

namespace {

// Every effect plays as 8-bit mono at this rate, whatever its file says.
constexpr DWORD kPlaybackRate = 11025;

bool firstInit = true;  // the DirectSound object has not been created yet
std::array<std::string, SOUND_SLOTS> fileNames;
// Each loaded sound's samples, shared with its replicas: a buffer lost to the system is filled
// from here again.
std::array<std::shared_ptr<const std::vector<uint8_t>>, SOUND_SLOTS> slotSamples;
void (*playObserver)(int32_t) = nullptr;

SoundSlot* Slot(int32_t id) { return id >= 0 && id < SOUND_SLOTS ? &SoundTable[static_cast<size_t>(id)] : nullptr; }

IDirectSoundBuffer* BufferOf(int32_t id) {
    const SoundSlot* slot = Slot(id);
    return slot ? slot->buffer : nullptr;
}

int32_t FirstFreeSlot() {
    for (int32_t i = 0; i < SOUND_SLOTS; ++i) {
        if (SoundTable[static_cast<size_t>(i)].state == 0) return i;
    }
    return -1;
}

void FreeSlot(int32_t id) {
    SoundTable[static_cast<size_t>(id)] = SoundSlot{nullptr, 0, 0, 0, id};
    fileNames[static_cast<size_t>(id)].clear();
    slotSamples[static_cast<size_t>(id)].reset();
}

void ReleaseBuffer(SoundSlot& slot) {
    if (slot.buffer) {
        slot.buffer->Stop();
        slot.buffer->Release();
        slot.buffer = nullptr;
    }
}

uint32_t Le(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

struct Wave {
    int32_t rate = 0;
    std::vector<uint8_t> samples;
};

// Reads the first 16 to 18 bytes of a "fmt " chunk: PCM only; keeps the rate.
bool ReadFormat(HMMIO file, const MMCKINFO& chunk, Wave& wave) {
    // The format fields; the two-byte extra size that follows them in longer chunks is unused.
    uint8_t format[18] = {};
    const LONG wanted = static_cast<LONG>(std::min<DWORD>(chunk.cksize, sizeof format));
    if (wanted < 16 || mmioRead(file, reinterpret_cast<HPSTR>(format), wanted) != wanted) return false;
    if (Le(format, 2) != WAVE_FORMAT_PCM) return false;
    wave.rate = static_cast<int32_t>(Le(format + 4, 4));
    return true;
}

bool ReadSamples(HMMIO file, const MMCKINFO& chunk, Wave& wave) {
    if (chunk.cksize > DSBSIZE_MAX) return false;
    try {
        wave.samples.resize(chunk.cksize);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const LONG size = static_cast<LONG>(chunk.cksize);
    return mmioRead(file, reinterpret_cast<HPSTR>(wave.samples.data()), size) == size;
}

// Reads the "fmt " chunk and the "data" chunk after it from a RIFF WAVE file. The chunks are
// walked one by one and each must lie inside the RIFF chunk and the file: the multimedia-file
// service of the system may take every size in the file on trust, so the walk checks them here.
// A RIFF chunk that claims more than the file holds ends with the file (files written as a
// stream, or without the last pad byte), and every read must deliver all it asks for.
bool ReadWave(HMMIO file, Wave& wave) {
    const LONG fileSize = mmioSeek(file, 0, SEEK_END);
    if (fileSize < 0 || mmioSeek(file, 0, SEEK_SET) != 0) return false;
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) return false;
    const uint64_t end = std::min<uint64_t>(static_cast<uint64_t>(fileSize), uint64_t{riff.dwDataOffset} + riff.cksize);

    bool haveFormat = false;
    for (;;) {
        MMCKINFO chunk{};
        if (mmioDescend(file, &chunk, &riff, 0) != MMSYSERR_NOERROR) return false;
        if (uint64_t{chunk.dwDataOffset} + chunk.cksize > end) return false;
        const bool container = chunk.ckid == FOURCC_RIFF || chunk.ckid == FOURCC_LIST;
        if (container && chunk.cksize < 4) return false;  // no room for its form type
        if (chunk.ckid == mmioFOURCC('f', 'm', 't', ' ') && !haveFormat) {
            if (!ReadFormat(file, chunk, wave)) return false;
            haveFormat = true;
        } else if (chunk.ckid == mmioFOURCC('d', 'a', 't', 'a') && haveFormat) {
            return ReadSamples(file, chunk, wave);
        }
        if (mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR) return false;
    }
}

// Writes `samples` (as many as the buffer holds) into the whole buffer; false when it refuses.
bool FillBuffer(IDirectSoundBuffer* buffer, const std::vector<uint8_t>& samples) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    const auto bytes = static_cast<DWORD>(samples.size());
    if (FAILED(buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes, DSBLOCK_FROMWRITECURSOR))) {
        return false;
    }
    std::memcpy(first, samples.data(), firstBytes);
    if (second) std::memcpy(second, samples.data() + firstBytes, secondBytes);
    return SUCCEEDED(buffer->Unlock(first, firstBytes, second, secondBytes));
}

// A static buffer of the fixed format holding `samples`, or nullptr.
IDirectSoundBuffer* MakeBuffer(const std::vector<uint8_t>& samples, DWORD controlFlags) {
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, kPlaybackRate, kPlaybackRate, 1, 8, 0};
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = controlFlags | DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE;
    desc.dwBufferBytes = static_cast<DWORD>(samples.size());
    desc.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(SoundDirectSound->CreateSoundBuffer(&desc, &buffer, nullptr))) return nullptr;
    if (!FillBuffer(buffer, samples)) {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

// A buffer whose memory the system took (another program had the sound device) is given it
// back and filled with the sound's samples again; false while the system keeps it.
bool RestoreIfLost(int32_t id, IDirectSoundBuffer* buffer) {
    DWORD status = 0;
    if (FAILED(buffer->GetStatus(&status)) || !(status & DSBSTATUS_BUFFERLOST)) return true;
    const std::vector<uint8_t>* samples = slotSamples[static_cast<size_t>(id)].get();
    return samples && SUCCEEDED(buffer->Restore()) && FillBuffer(buffer, *samples);
}

}  // namespace

int32_t SoundInit() try {
    if (firstInit) {
        SoundTable.fill(SoundSlot{});
        firstInit = false;
        if (FAILED(DirectSoundCreate(nullptr, &SoundDirectSound, nullptr))) return 0;
        if (FAILED(SoundDirectSound->SetCooperativeLevel(MainWindowHandle, DSSCL_NORMAL))) return 0;
    }
    for (int32_t i = 0; i < SOUND_SLOTS; ++i) {
        ReleaseBuffer(SoundTable[static_cast<size_t>(i)]);
        FreeSlot(i);
    }
    return 1;
} catch (...) {  // no memory for the DirectSound object: no sound
    return 0;
}

int32_t SoundLoad(const char* fileName, int32_t controlFlags) try {
    const int32_t id = FirstFreeSlot();
    if (id < 0 || !fileName || !SoundDirectSound) return -1;
    std::string name(fileName);
    HMMIO file = mmioOpenA(name.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!file) return -1;
    Wave wave;
    bool read = false;
    try {
        read = ReadWave(file, wave);
    } catch (...) {  // no memory left in the middle of the file: closed all the same
    }
    mmioClose(file, 0);
    if (!read) return -1;
    auto samples = std::make_shared<const std::vector<uint8_t>>(std::move(wave.samples));
    IDirectSoundBuffer* buffer = MakeBuffer(*samples, static_cast<DWORD>(controlFlags));
    if (!buffer) return -1;
    SoundTable[static_cast<size_t>(id)] = SoundSlot{buffer, 1, wave.rate, static_cast<int32_t>(samples->size()), id};
    fileNames[static_cast<size_t>(id)] = std::move(name);
    slotSamples[static_cast<size_t>(id)] = std::move(samples);
    return id;
} catch (...) {  // no memory left: nothing loaded
    return -1;
}

int32_t SoundReplicate(int32_t id) try {
    const SoundSlot* source = Slot(id);
    const int32_t copy = FirstFreeSlot();
    if (!source || copy < 0) return -1;
    std::string name = fileNames[static_cast<size_t>(id)];
    IDirectSoundBuffer* duplicate = nullptr;
    if (!SoundDirectSound || !source->buffer ||
        FAILED(SoundDirectSound->DuplicateSoundBuffer(source->buffer, &duplicate))) {
        return -1;
    }
    SoundSlot& slot = SoundTable[static_cast<size_t>(copy)];
    slot = *source;
    slot.buffer = duplicate;
    slot.id = copy;
    fileNames[static_cast<size_t>(copy)] = std::move(name);
    slotSamples[static_cast<size_t>(copy)] = slotSamples[static_cast<size_t>(id)];
    return copy;
} catch (...) {  // no memory left: no copy, and the free slot stays free
    return -1;
}

int32_t SoundPlay(int32_t id, int32_t flags, int32_t, int32_t, int32_t) try {
    IDirectSoundBuffer* buffer = BufferOf(id);
    if (!buffer) return 1;
    if (!RestoreIfLost(id, buffer) || FAILED(buffer->SetCurrentPosition(0)) ||
        FAILED(buffer->Play(0, 0, static_cast<DWORD>(flags)))) {
        return 0;
    }
    if (playObserver) playObserver(id);
    return 1;
} catch (...) {
    return 0;
}

int32_t SoundSetVolume(int32_t id, int32_t percent) {
    IDirectSoundBuffer* buffer = BufferOf(id);
    if (!buffer) return 0;
    // Worked out wide: a percent far out of range must not overflow on its way to being refused.
    const int64_t volume = -30 * (100 - int64_t{percent});
    const int64_t limited = std::clamp<int64_t>(volume, std::numeric_limits<LONG>::min(),
                                                std::numeric_limits<LONG>::max());
    return buffer->SetVolume(static_cast<LONG>(limited)) == DS_OK ? 1 : 0;
}

int32_t SoundSetFrequency(int32_t id, int32_t rate) {
    IDirectSoundBuffer* buffer = BufferOf(id);
    return buffer && buffer->SetFrequency(static_cast<DWORD>(rate)) == DS_OK ? 1 : 0;
}

int32_t SoundSetPan(int32_t id, int32_t pan) {
    IDirectSoundBuffer* buffer = BufferOf(id);
    return buffer && buffer->SetPan(pan) == DS_OK ? 1 : 0;
}

int32_t SoundStop(int32_t id) {
    if (IDirectSoundBuffer* buffer = BufferOf(id)) {
        buffer->Stop();
        buffer->SetCurrentPosition(0);
    }
    return 1;
}

int32_t SoundStopAll() {
    for (int32_t i = 0; i < SOUND_SLOTS; ++i) SoundStop(i);
    return 1;
}

int32_t SoundDelete(int32_t id) {
    SoundStop(id);
    if (SoundSlot* slot = Slot(id); slot && slot->buffer) {
        slot->buffer->Release();
        slot->buffer = nullptr;
        slotSamples[static_cast<size_t>(id)].reset();
    }
    return 1;
}

int32_t SoundDeleteAll() {
    for (int32_t i = 0; i < SOUND_SLOTS; ++i) SoundDelete(i);
    return 1;
}

int32_t SoundStatus(int32_t id) {
    IDirectSoundBuffer* buffer = BufferOf(id);
    if (!buffer) return -1;
    DWORD status = 0;
    buffer->GetStatus(&status);
    return static_cast<int32_t>(status);
}

int32_t SoundShutdown() {
    SoundStopAll();
    for (SoundSlot& slot : SoundTable) ReleaseBuffer(slot);
    if (SoundDirectSound) {
        SoundDirectSound->Release();
        SoundDirectSound = nullptr;
    }
    return 1;
}

void SoundReset() {
    SoundShutdown();
    SoundTable.fill(SoundSlot{});
    for (std::string& name : fileNames) name.clear();
    for (auto& samples : slotSamples) samples.reset();
    firstInit = true;
}

const char* SoundFileName(int32_t id) {
    const SoundSlot* slot = Slot(id);
    if (!slot || slot->state == 0) return nullptr;
    return fileNames[static_cast<size_t>(id)].c_str();
}

void SoundSetPlayObserver(void (*observer)(int32_t id)) { playObserver = observer; }
