// Our stand-in for the DirectSound services the engine calls: the DirectSound object and static
// secondary buffers of one fixed format (PCM, 11025 Hz, 8 bits, mono), under their published
// names and with the flags and results the callers rely on. Playing buffers are mixed by the
// mixer (platform/mixer.h) into the current host's audio stream.
#pragma once

#include "platform/sound/mixer.h"
#include "platform/standins/com.h"
#include "platform/standins/win32.h"

#include <cstdint>
#include <memory>
#include <vector>

// --- results ---
constexpr HRESULT MakeDsResult(int code) { return static_cast<HRESULT>(0x88780000u | static_cast<uint32_t>(code)); }
constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeDsResult(30);
constexpr HRESULT DSERR_INVALIDCALL = MakeDsResult(50);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeDsResult(70);
constexpr HRESULT DSERR_BADFORMAT = MakeDsResult(100);
constexpr HRESULT DSERR_BUFFERLOST = MakeDsResult(150);
constexpr HRESULT DSERR_NODRIVER = MakeDsResult(120);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);

// --- cooperative levels ---
constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSSCL_EXCLUSIVE = 3;
constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// --- buffer capabilities ---
constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_LOCHARDWARE = 0x00000004;
constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x00000008;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;

// --- play, lock, status ---
constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

// --- ranges ---
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;
constexpr LONG DSBPAN_LEFT = -10000;
constexpr LONG DSBPAN_CENTER = 0;
constexpr LONG DSBPAN_RIGHT = 10000;
constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 200000;
constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    WAVEFORMATEX* lpwfxFormat;
};

class IDirectSound;

class IDirectSoundBuffer : public IUnknown {
public:
    // The only buffer format offered: PCM, one channel, 11025 samples a second, 8 bits.
    static constexpr DWORD formatRate = 11025;

    // Made by IDirectSound; the buffer holds a reference on its owner.
    IDirectSoundBuffer(IDirectSound* owner, std::shared_ptr<std::vector<uint8_t>> samples, DWORD flags);
    ~IDirectSoundBuffer() override;

    // Hands out the `bytes` bytes from `offset` (from the write cursor with
    // DSBLOCK_FROMWRITECURSOR; the whole buffer with DSBLOCK_ENTIREBUFFER) as one region, or as
    // two when they wrap past the end. The written bytes take effect at Unlock. One lock at a
    // time: a second Lock before Unlock is DSERR_INVALIDCALL.
    HRESULT Lock(DWORD offset, DWORD bytes, void** audio1, DWORD* bytes1, void** audio2, DWORD* bytes2, DWORD flags);
    // Stores the first `bytes1` and `bytes2` bytes of the regions that Lock handed out.
    HRESULT Unlock(void* audio1, DWORD bytes1, void* audio2, DWORD bytes2);
    // Plays from the current position, once or (DSBPLAY_LOOPING) over and over.
    // DSERR_BUFFERLOST (for Lock too) while the buffer is lost.
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    // Stops playing; the position stays where it was.
    HRESULT Stop();
    // Moves the play position to byte `position`.
    HRESULT SetCurrentPosition(DWORD position);
    // Attenuation in hundredths of a decibel, DSBVOLUME_MIN to 0 (needs DSBCAPS_CTRLVOLUME).
    HRESULT SetVolume(LONG volume);
    // Samples a second, DSBFREQUENCY_MIN to _MAX, or _ORIGINAL (needs DSBCAPS_CTRLFREQUENCY).
    HRESULT SetFrequency(DWORD frequency);
    // -10000 (left only) to 10000 (right only), in hundredths of a decibel of attenuation of
    // the other side (needs DSBCAPS_CTRLPAN).
    HRESULT SetPan(LONG pan);
    // DSBSTATUS_PLAYING, with DSBSTATUS_LOOPING when playing over and over; DSBSTATUS_BUFFERLOST
    // while the buffer is lost.
    HRESULT GetStatus(DWORD* status);
    // Gives a lost buffer its memory back; what it held is gone (silence here) and is to be
    // written again. DS_OK, also for a buffer that is not lost.
    HRESULT Restore();

    // Inspection for tests.
    LONG volume() const { return volume_; }
    LONG pan() const { return pan_; }
    DWORD frequency() const { return frequency_; }
    DWORD flags() const { return flags_; }
    DWORD size() const { return static_cast<DWORD>(samples_->size()); }
    const uint8_t* samples() const { return samples_->data(); }

private:
    friend class IDirectSound;
    friend void DirectSoundLoseBuffers(IDirectSound* directSound);
    void UpdateGains();

    IDirectSound* owner_;
    std::shared_ptr<std::vector<uint8_t>> samples_;  // shared with duplicates
    DWORD flags_;
    LONG volume_ = 0;
    LONG pan_ = 0;
    DWORD frequency_ = formatRate;
    bool lost_ = false;  // only ever by DirectSoundLoseBuffers: the mixer never takes the memory
    MixerVoice voice_;
    // What Lock handed out: a copy of the samples, written back by Unlock.
    std::vector<uint8_t> lockCopy_;
    bool locked_ = false;
    DWORD lockOffset_ = 0;
    DWORD lockBytes1_ = 0;
    DWORD lockBytes2_ = 0;
};

class IDirectSound : public IUnknown {
public:
    // Made by DirectSoundCreate, which has opened the mixer's stream for it; the object gives
    // that hold back when it is destroyed.
    IDirectSound() = default;
    ~IDirectSound() override;

    // DSSCL_NORMAL to DSSCL_WRITEPRIMARY for a window that exists.
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    // A static secondary buffer of the fixed format, DSBSIZE_MIN to DSBSIZE_MAX bytes, filled
    // with silence; DSERR_BADFORMAT for any other format, DSERR_PRIOLEVELNEEDED before
    // SetCooperativeLevel.
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, IUnknown* outer);
    // A second buffer on the same samples, stopped at position 0, with the original's
    // capabilities, volume, pan and frequency, which it may then change on its own.
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate);

private:
    friend class IDirectSoundBuffer;
    friend void DirectSoundLoseBuffers(IDirectSound* directSound);
    DWORD level_ = 0;
    // Every buffer made here and still alive, not owned: each holds a reference on this object.
    std::vector<IDirectSoundBuffer*> buffers_;
};

// Creates the DirectSound object on the default device (`device` nullptr). DSERR_NODRIVER when
// there is no audio device.
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, IUnknown* outer);

// Loses every buffer of `directSound`: each stops, its memory is taken (the samples become
// silence, in its duplicates too) and it reports DSBSTATUS_BUFFERLOST until restored, as the
// system may do while another program has the sound device; for tests of the way back.
void DirectSoundLoseBuffers(IDirectSound* directSound);
