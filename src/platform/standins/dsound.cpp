#include "platform/standins/dsound.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// Amplitude of an attenuation given in hundredths of a decibel.
float Amplitude(LONG hundredthsOfDb) {
    return static_cast<float>(std::pow(10.0, static_cast<double>(hundredthsOfDb) / 2000.0));
}

bool IsFixedFormat(const WAVEFORMATEX& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && f.nChannels == 1 && f.nSamplesPerSec == IDirectSoundBuffer::formatRate &&
           f.wBitsPerSample == 8 && f.nBlockAlign == 1 && f.nAvgBytesPerSec == IDirectSoundBuffer::formatRate;
}

}  // namespace

// --- buffer ---

IDirectSoundBuffer::IDirectSoundBuffer(IDirectSound* owner, std::shared_ptr<std::vector<uint8_t>> samples, DWORD flags)
    : owner_(owner), samples_(std::move(samples)), flags_(flags) {
    owner_->buffers_.push_back(this);  // first: should it throw, nothing else is held yet
    owner_->AddRef();
    voice_.samples = samples_->data();
    voice_.length = static_cast<uint32_t>(samples_->size());
    voice_.frequency = frequency_;
    MixerAddVoice(&voice_);
}

IDirectSoundBuffer::~IDirectSoundBuffer() {
    MixerRemoveVoice(&voice_);
    std::erase(owner_->buffers_, this);
    owner_->Release();
}

void IDirectSoundBuffer::UpdateGains() {
    const float level = Amplitude(volume_);
    voice_.leftGain = level * Amplitude(std::min<LONG>(0, -pan_));
    voice_.rightGain = level * Amplitude(std::min<LONG>(0, pan_));
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** audio1, DWORD* bytes1, void** audio2, DWORD* bytes2,
                                 DWORD flags) {
    const DWORD size = this->size();
    if (!audio1 || !bytes1) {
        return DSERR_INVALIDPARAM;
    }
    if (locked_) {
        return DSERR_INVALIDCALL;
    }
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    if (flags & DSBLOCK_FROMWRITECURSOR) {
        // The write cursor of a software buffer is where it plays now.
        auto lock = MixerLock();
        offset = static_cast<DWORD>(voice_.position >> 32) % size;
    }
    if (flags & DSBLOCK_ENTIREBUFFER) {
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) {
        return DSERR_INVALIDPARAM;
    }
    const DWORD first = std::min(bytes, size - offset);
    const DWORD second = bytes - first;
    if (second > 0 && (!audio2 || !bytes2)) {
        return DSERR_INVALIDPARAM;
    }
    try {
        // Only this thread writes the samples, so reading them without the mutex is safe.
        lockCopy_.assign(samples_->begin(), samples_->end());
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    locked_ = true;
    lockOffset_ = offset;
    lockBytes1_ = first;
    lockBytes2_ = second;
    *audio1 = lockCopy_.data() + offset;
    *bytes1 = first;
    if (audio2) *audio2 = second > 0 ? lockCopy_.data() : nullptr;
    if (bytes2) *bytes2 = second;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* audio1, DWORD bytes1, void* audio2, DWORD bytes2) {
    if (!locked_) {
        return DSERR_INVALIDCALL;
    }
    if (audio1 != lockCopy_.data() + lockOffset_ || bytes1 > lockBytes1_ || bytes2 > lockBytes2_ ||
        (bytes2 > 0 && audio2 != lockCopy_.data())) {
        return DSERR_INVALIDPARAM;
    }
    {
        auto lock = MixerLock();
        std::memcpy(samples_->data() + lockOffset_, lockCopy_.data() + lockOffset_, bytes1);
        std::memcpy(samples_->data(), lockCopy_.data(), bytes2);
    }
    locked_ = false;
    std::vector<uint8_t>().swap(lockCopy_);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
    if (reserved != 0 || priority != 0) {
        return DSERR_INVALIDPARAM;
    }
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    auto lock = MixerLock();
    voice_.playing = true;
    voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
    auto lock = MixerLock();
    MixerVoiceCut(voice_);
    voice_.playing = false;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position) {
    if (position >= size()) {
        return DSERR_INVALIDPARAM;
    }
    auto lock = MixerLock();
    if (voice_.position != uint64_t{position} << 32) MixerVoiceCut(voice_);
    voice_.position = uint64_t{position} << 32;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) {
        return DSERR_INVALIDPARAM;
    }
    volume_ = volume;
    auto lock = MixerLock();
    UpdateGains();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(LONG pan) {
    if (!(flags_ & DSBCAPS_CTRLPAN)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) {
        return DSERR_INVALIDPARAM;
    }
    pan_ = pan;
    auto lock = MixerLock();
    UpdateGains();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(DWORD frequency) {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (frequency == DSBFREQUENCY_ORIGINAL) {
        frequency = IDirectSoundBuffer::formatRate;
    }
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) {
        return DSERR_INVALIDPARAM;
    }
    frequency_ = frequency;
    auto lock = MixerLock();
    voice_.frequency = frequency;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
    if (!status) {
        return DSERR_INVALIDPARAM;
    }
    auto lock = MixerLock();
    *status = 0;
    if (voice_.playing) {
        *status = DSBSTATUS_PLAYING | (voice_.looping ? DSBSTATUS_LOOPING : 0);
    }
    if (lost_) {
        *status |= DSBSTATUS_BUFFERLOST;
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Restore() {
    lost_ = false;
    return DS_OK;
}

void DirectSoundLoseBuffers(IDirectSound* directSound) {
    if (!directSound) {
        return;
    }
    auto lock = MixerLock();
    for (IDirectSoundBuffer* buffer : directSound->buffers_) {
        MixerVoiceCut(buffer->voice_);
        buffer->voice_.playing = false;
        std::fill(buffer->samples_->begin(), buffer->samples_->end(), uint8_t{128});
        buffer->lost_ = true;
    }
}

// --- DirectSound object ---

IDirectSound::~IDirectSound() { MixerRelease(); }

HRESULT IDirectSound::SetCooperativeLevel(HWND window, DWORD level) {
    if (!IsWindow(window) || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) {
        return DSERR_INVALIDPARAM;
    }
    level_ = level;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, IUnknown* outer) {
    if (!buffer) {
        return DSERR_INVALIDPARAM;
    }
    *buffer = nullptr;
    if (outer) {
        return DSERR_NOAGGREGATION;
    }
    if (!desc || desc->dwSize != sizeof(DSBUFFERDESC)) {
        return DSERR_INVALIDPARAM;
    }
    if (level_ == 0) {
        return DSERR_PRIOLEVELNEEDED;
    }
    // Only software secondary buffers: no primary buffer, no hardware mixing.
    if (desc->dwFlags & (DSBCAPS_PRIMARYBUFFER | DSBCAPS_LOCHARDWARE)) {
        return DSERR_INVALIDPARAM;
    }
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) {
        return DSERR_INVALIDPARAM;
    }
    if (!desc->lpwfxFormat || !IsFixedFormat(*desc->lpwfxFormat)) {
        return DSERR_BADFORMAT;
    }
    try {
        auto samples = std::make_shared<std::vector<uint8_t>>(desc->dwBufferBytes, uint8_t{128});
        *buffer = ComMake<IDirectSoundBuffer>(this, std::move(samples), desc->dwFlags);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

HRESULT IDirectSound::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) {
    if (!original || !duplicate) {
        return DSERR_INVALIDPARAM;
    }
    *duplicate = nullptr;
    IDirectSoundBuffer* copy = nullptr;
    try {
        copy = ComMake<IDirectSoundBuffer>(this, original->samples_, original->flags_);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    copy->volume_ = original->volume_;
    copy->pan_ = original->pan_;
    copy->frequency_ = original->frequency_;
    {
        auto lock = MixerLock();
        copy->voice_.frequency = original->frequency_;
        copy->UpdateGains();
    }
    *duplicate = copy;
    return DS_OK;
}

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, IUnknown* outer) {
    if (!directSound) {
        return DSERR_INVALIDPARAM;
    }
    *directSound = nullptr;
    if (outer) {
        return DSERR_NOAGGREGATION;
    }
    if (device) {
        return DSERR_NODRIVER;  // only the default device is offered
    }
    if (MixerAcquire() == 0) {
        return DSERR_NODRIVER;
    }
    *directSound = ComMake<IDirectSound>();
    return DS_OK;
}
