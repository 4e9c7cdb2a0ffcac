// The one mixer: pulled by the host's audio stream, it mixes every playing sound buffer
// (unsigned 8-bit mono, raised from its own frequency to the device rate by the band-limited
// interpolator of resampler.h, with volume and pan) over the music synthesizer's output, and
// hands the sum through the limiter of limiter.h (which delays it by LIMITER_DELAY_FRAMES and
// keeps it under -1 dBFS) as signed 16-bit stereo. A sound that is cut off (stopped, or moved
// while it plays) fades out over MIXER_FADE_FRAMES instead of stopping dead.
//
// Threads: the host pulls on its audio thread (or, headless, on the game's thread while the
// clock moves). Everything the two threads share is guarded by one mutex, which either side
// holds only briefly: the game thread to change a few fields, the audio thread to mix one short
// block. Mixing never allocates and never calls the host.
#pragma once

#include <cstdint>
#include <mutex>

// The rate the mixer asks the host for; the host may answer with its device's own rate.
constexpr int MIXER_WANTED_RATE = 44100;
// Frames over which a cut-off sound fades out (about 6 ms at 44.1 kHz).
constexpr int MIXER_FADE_FRAMES = 256;

// One sound buffer's playing state as the mixer sees it. While the voice is added, every field
// is read and written only under MixerLock(), and `samples` must stay valid.
struct MixerVoice {
    const uint8_t* samples = nullptr;  // unsigned 8-bit mono, 128 is silence
    uint32_t length = 0;               // in samples
    uint64_t position = 0;             // in samples, 32.32 fixed point
    uint32_t frequency = 11025;        // samples per second
    float leftGain = 1.0f;
    float rightGain = 1.0f;
    bool playing = false;
    bool looping = false;
    // The sound from where it was cut off, fading out: frames left of the fade, and where.
    uint32_t fadeFrames = 0;
    uint64_t fadePosition = 0;
    bool fadeLooping = false;
    MixerVoice* previous = nullptr;  // the mixer's list of voices
    MixerVoice* next = nullptr;
};

// Writes `frames` samples of music into `left` and `right` (silence when there is none). Called
// with the mixer's mutex held, on the audio thread.
using MixerMusicRender = void (*)(void* user, float* left, float* right, int frames);

// Opens the host's audio stream for one more user (the first opens it). Returns the device
// rate, or 0 when there is no audio device (said once on standard error).
int MixerAcquire();
// Gives back one user's hold; the last one closes the stream.
void MixerRelease();
// The device rate while the stream is open, else 0.
int MixerRate();
// How many users hold the stream open.
int MixerUsers();
// Takes the mixer's mutex, for changing what the audio thread reads.
std::unique_lock<std::mutex> MixerLock();

// Adds a voice to the mix, or takes it out; each takes the mutex itself.
void MixerAddVoice(MixerVoice* voice);
void MixerRemoveVoice(MixerVoice* voice);
// Sets the music source mixed under the voices (nullptr for none); takes the mutex itself.
void MixerSetMusic(MixerMusicRender render, void* user);

// Under MixerLock(): lets what a playing voice sounds now fade out from where it is, while the
// voice itself is stopped or moved by the caller. Nothing for a voice that is not playing.
void MixerVoiceCut(MixerVoice& voice);

// Mixes the next `frames` stereo frames into `out`: what the host's stream pulls. Public for
// tests and benchmarks, which may pull without a host.
void MixerPull(int16_t* out, int frames);
