// Sound effects: the DirectSound object, a table of 256 sound slots, the WAV loader, and the
// operations that play, stop, adjust, query, duplicate and delete sounds. A sound is named by its
// id, the number of its slot. Every operation takes any id: one outside 0 to 255 names no slot.
#pragma once

#include "platform/standins/dsound.h"

#include <array>
#include <cstdint>

constexpr int SOUND_SLOTS = 256;

// One slot of the sound table.
struct SoundSlot {
    IDirectSoundBuffer* buffer;  // the sound's static buffer, or nullptr
    int32_t state;               // 0 free, 1 holds a loaded sound
    int32_t rate;                // samples a second as the file states (playback ignores it)
    int32_t size;                // sample bytes
    int32_t id;                  // the slot's own number
};

extern std::array<SoundSlot, SOUND_SLOTS> SoundTable;
// The DirectSound object; nullptr until SoundInit makes it.
extern IDirectSound* SoundDirectSound;

// First call: clears the table, creates the DirectSound object and sets its cooperative level
// for the main window. Every call: stops, releases and frees every slot. 1, or 0 when the object
// cannot be created or its level cannot be set.
int32_t SoundInit();
// Loads a PCM WAV file into the lowest free slot, in a buffer with `controlFlags`
// (DSBCAPS_CTRL*); the samples are taken as 11025 Hz, 8-bit, mono whatever the file says.
// Returns the id, or -1 (no free slot, unreadable or malformed file, no DirectSound object).
int32_t SoundLoad(const char* fileName, int32_t controlFlags);
// A new id sharing the samples of loaded sound `id`, with its own position and settings; or -1.
int32_t SoundReplicate(int32_t id);
// Plays the sound from its start (`flags` DSBPLAY_LOOPING repeats it); volume, rate and pan are
// accepted and ignored. 1, also for an id without a buffer; 0 when DirectSound refuses.
int32_t SoundPlay(int32_t id, int32_t flags, int32_t volume, int32_t rate, int32_t pan);
// Sets the volume in percent: 100 full, 0 is -30 dB. 1 when DirectSound accepts, else 0.
int32_t SoundSetVolume(int32_t id, int32_t percent);
// Sets the playback rate in samples a second. 1 when DirectSound accepts, else 0.
int32_t SoundSetFrequency(int32_t id, int32_t rate);
// Sets the pan, -10000 (left) to 10000 (right). 1 when DirectSound accepts, else 0.
int32_t SoundSetPan(int32_t id, int32_t pan);
// Stops the sound and rewinds it. Returns 1.
int32_t SoundStop(int32_t id);
// SoundStop for every slot. Returns 1.
int32_t SoundStopAll();
// Stops and releases the sound's buffer; the slot stays taken until SoundInit. Returns 1.
int32_t SoundDelete(int32_t id);
// SoundDelete for every slot. Returns 1.
int32_t SoundDeleteAll();
// The buffer's DSBSTATUS flags, or -1 when the slot has no buffer.
int32_t SoundStatus(int32_t id);
// Stops every sound, releases every buffer and the DirectSound object. Returns 1.
int32_t SoundShutdown();

// Back to the state at program start (releases whatever is held), for tests and tools; the play
// observer stays.
void SoundReset();
// The file that sound `id` was loaded from (or replicated from), or nullptr.
const char* SoundFileName(int32_t id);
// Calls `observer` (nullptr: none) with the id each time SoundPlay starts a sound.
void SoundSetPlayObserver(void (*observer)(int32_t id));
