#include "platform/sound/mixer.h"

#include "platform/host/host.h"
#include "platform/report/report.h"
#include "platform/sound/limiter.h"
#include "platform/sound/resampler.h"

#include <algorithm>
#include <cmath>

namespace {

// Frames mixed per turn of the mutex: short enough that the game thread never waits long.
constexpr int kBlockFrames = 256;

// The mixer's state. It is trivially destructible and constant-initialised on purpose: an audio
// thread that outlives the program's other static objects still finds it intact.
struct MixerState {
    std::mutex mutex;
    // Game thread only.
    Host* host = nullptr;  // the host whose stream is open
    int users = 0;
    // Under the mutex.
    int rate = 0;
    MixerVoice* voices = nullptr;
    MixerMusicRender music = nullptr;
    void* musicUser = nullptr;
    float left[kBlockFrames] = {};
    float right[kBlockFrames] = {};
    LimiterState limiter;
};

constinit MixerState mixer;

void PullFromHost(void*, int16_t* out, int frames) { MixerPull(out, frames); }

uint64_t StepOf(const MixerVoice& voice, int rate) {
    return (uint64_t{voice.frequency} << 32) / static_cast<uint64_t>(rate);
}

// Adds `frames` frames of one voice into the block, moving its position; stops a voice that
// plays once at its end, rewound to its start.
void MixVoice(MixerVoice& voice, uint64_t step, float* left, float* right, int frames) {
    const uint64_t end = uint64_t{voice.length} << 32;
    for (int i = 0; i < frames; ++i) {
        if (voice.position >= end) {
            if (!voice.looping) {
                voice.playing = false;
                voice.position = 0;
                return;
            }
            voice.position %= end;
        }
        const float value = ResamplerValue(voice.samples, voice.length, voice.position, voice.looping);
        left[i] += value * voice.leftGain;
        right[i] += value * voice.rightGain;
        voice.position += step;
    }
}

// Adds the fading rest of a cut-off voice: its level falls in a straight line to nothing.
void MixFade(MixerVoice& voice, uint64_t step, float* left, float* right, int frames) {
    const uint64_t end = uint64_t{voice.length} << 32;
    for (int i = 0; i < frames && voice.fadeFrames > 0; ++i, --voice.fadeFrames) {
        if (voice.fadePosition >= end) {
            if (!voice.fadeLooping) {
                voice.fadeFrames = 0;
                return;
            }
            voice.fadePosition %= end;
        }
        const float level = static_cast<float>(voice.fadeFrames) * (1.0f / MIXER_FADE_FRAMES);
        const float value = ResamplerValue(voice.samples, voice.length, voice.fadePosition, voice.fadeLooping) * level;
        left[i] += value * voice.leftGain;
        right[i] += value * voice.rightGain;
        voice.fadePosition += step;
    }
}

int16_t ToSample(float value) {
    const float scaled = std::clamp(value, -1.0f, 1.0f) * 32767.0f;
    return static_cast<int16_t>(std::lrint(scaled));
}

}  // namespace

int MixerAcquire() {
    if (mixer.users > 0) {
        ++mixer.users;
        return MixerRate();
    }
    Host& host = HostGet();
    // The host may start pulling before AudioOpen returns; the mix stays silent until the rate
    // is known.
    const int rate = host.AudioOpen(MIXER_WANTED_RATE, &PullFromHost, nullptr);
    if (rate <= 0) {
        ReportOnce("audio", "no sound: there is no audio device");
        return 0;
    }
    {
        std::lock_guard lock(mixer.mutex);
        mixer.rate = rate;
        mixer.limiter = LimiterState{};
    }
    mixer.host = &host;
    mixer.users = 1;
    return rate;
}

void MixerRelease() {
    if (mixer.users == 0 || --mixer.users > 0) {
        return;
    }
    // Closing waits for a pull under way to end, so it must not happen under the mutex.
    mixer.host->AudioClose();
    mixer.host = nullptr;
    std::lock_guard lock(mixer.mutex);
    mixer.rate = 0;
}

int MixerRate() {
    std::lock_guard lock(mixer.mutex);
    return mixer.rate;
}

int MixerUsers() { return mixer.users; }

std::unique_lock<std::mutex> MixerLock() { return std::unique_lock(mixer.mutex); }

void MixerAddVoice(MixerVoice* voice) {
    std::lock_guard lock(mixer.mutex);
    voice->previous = nullptr;
    voice->next = mixer.voices;
    if (mixer.voices) mixer.voices->previous = voice;
    mixer.voices = voice;
}

void MixerRemoveVoice(MixerVoice* voice) {
    std::lock_guard lock(mixer.mutex);
    if (voice->previous) {
        voice->previous->next = voice->next;
    } else if (mixer.voices == voice) {
        mixer.voices = voice->next;
    }
    if (voice->next) voice->next->previous = voice->previous;
    voice->previous = nullptr;
    voice->next = nullptr;
}

void MixerSetMusic(MixerMusicRender render, void* user) {
    std::lock_guard lock(mixer.mutex);
    mixer.music = render;
    mixer.musicUser = user;
}

void MixerVoiceCut(MixerVoice& voice) {
    if (!voice.playing || voice.length == 0) return;
    voice.fadeFrames = MIXER_FADE_FRAMES;
    voice.fadePosition = voice.position;
    voice.fadeLooping = voice.looping;
}

void MixerPull(int16_t* out, int frames) {
    while (frames > 0) {
        const int count = std::min(frames, kBlockFrames);
        {
            std::lock_guard lock(mixer.mutex);
            float* left = mixer.left;
            float* right = mixer.right;
            if (mixer.music && mixer.rate > 0) {
                mixer.music(mixer.musicUser, left, right, count);
            } else {
                std::fill(left, left + count, 0.0f);
                std::fill(right, right + count, 0.0f);
            }
            if (mixer.rate > 0) {
                for (MixerVoice* voice = mixer.voices; voice; voice = voice->next) {
                    if (voice->length == 0) continue;
                    const uint64_t step = StepOf(*voice, mixer.rate);
                    if (voice->fadeFrames > 0) MixFade(*voice, step, left, right, count);
                    if (voice->playing) MixVoice(*voice, step, left, right, count);
                }
                LimiterRun(mixer.limiter, left, right, count, mixer.rate);
            }
            for (int i = 0; i < count; ++i) {
                out[2 * i] = ToSample(left[i]);
                out[2 * i + 1] = ToSample(right[i]);
            }
        }
        out += 2 * count;
        frames -= count;
    }
}
