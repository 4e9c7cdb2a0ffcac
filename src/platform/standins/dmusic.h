// Our stand-in for the DirectMusic services the engine calls to play Standard MIDI Files: the
// performance, loader and segment objects,
// under their published names and with the flags and results the callers rely on.
//
// Songs are synthesised by the music synthesizer (platform/sound/synth.h) and mixed by the
// mixer (platform/sound/mixer.h) under the sound effects. The loader reads and checks a song
// file whole (platform/sound/midi_file.h); the performance walks its events as the mixer
// renders samples, so a song's timing follows the audio stream exactly. All performances share
// the one synthesizer, which plays one song (the primary segment) at a time. Without a
// SoundFont, songs load, play and end as usual but are silent.
#pragma once

#include "platform/standins/com.h"
#include "platform/standins/dsound.h"
#include "platform/standins/win32.h"

#include <cstdint>
#include <memory>
#include <string>

using MUSIC_TIME = LONG;
using REFERENCE_TIME = int64_t;

// --- DirectMusic ---
// Failures of the music services: facility 0x878, codes from 0x1000 up.
constexpr HRESULT MakeDmResult(int code) {
    return static_cast<HRESULT>(0x88780000u | (0x1000u + static_cast<uint32_t>(code)));
}
constexpr HRESULT DMUS_E_SET_UNSUPPORTED = MakeDmResult(0x0123);
constexpr HRESULT DMUS_E_ALREADY_INITED = MakeDmResult(0x0151);
constexpr HRESULT DMUS_E_NOT_INIT = MakeDmResult(0x0162);
constexpr HRESULT DMUS_E_LOADER_NOCLASSID = MakeDmResult(0x0180);
constexpr HRESULT DMUS_E_LOADER_BADPATH = MakeDmResult(0x0181);
constexpr HRESULT DMUS_E_LOADER_FAILEDOPEN = MakeDmResult(0x0182);
constexpr HRESULT DMUS_E_LOADER_FORMATNOTSUPPORTED = MakeDmResult(0x0183);

constexpr int DMUS_MAX_NAME = 64;
constexpr int DMUS_MAX_CATEGORY = 64;
constexpr int DMUS_MAX_FILENAME = 260;

constexpr DWORD DMUS_OBJ_CLASS = 1u << 1;
constexpr DWORD DMUS_OBJ_FILENAME = 1u << 4;
constexpr DWORD DMUS_OBJ_FULLPATH = 1u << 5;

// PlaySegment: a secondary segment plays over the primary one; not offered here.
constexpr DWORD DMUS_SEGF_SECONDARY = 1u << 7;

struct DMUS_OBJECTDESC {
    DWORD dwSize;
    DWORD dwValidData;
    GUID guidObject;
    GUID guidClass;
    WCHAR wszName[DMUS_MAX_NAME];
    WCHAR wszCategory[DMUS_MAX_CATEGORY];
    WCHAR wszFileName[DMUS_MAX_FILENAME];
};

extern const CLSID CLSID_DirectMusicPerformance;
extern const CLSID CLSID_DirectMusicLoader;
extern const CLSID CLSID_DirectMusicSegment;
extern const IID IID_IDirectMusicPerformance;
extern const IID IID_IDirectMusicLoader;
extern const IID IID_IDirectMusicSegment;
extern const GUID GUID_DirectMusicAllTypes;
extern const GUID GUID_StandardMIDIFile;
extern const GUID GUID_Download;
extern const GUID GUID_Unload;

class IDirectMusic;
class IDirectMusicPort;
class IDirectMusicPerformance;
struct MidiSong;

// A song: the checked events of a Standard MIDI File (empty when made by CoCreateInstance).
class IDirectMusicSegment : public IUnknown {
public:
    explicit IDirectMusicSegment(std::shared_ptr<const MidiSong> song = nullptr);
    ~IDirectMusicSegment() override;

    // GUID_StandardMIDIFile (plays as a MIDI file on the performance `param`; accepted),
    // GUID_Download (makes the song audible on the performance `param`), GUID_Unload (silent
    // again). `param` must be a performance; DMUS_E_SET_UNSUPPORTED for other parameters.
    HRESULT SetParam(REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time, void* param);

    // Inspection: the song, and the serial number of the performance it is downloaded to (0
    // for none).
    const std::shared_ptr<const MidiSong>& song() const { return song_; }
    uint64_t downloadedTo() const { return downloadedTo_; }

private:
    std::shared_ptr<const MidiSong> song_;
    uint64_t downloadedTo_ = 0;
};

// One start of a segment, handed back by PlaySegment.
class IDirectMusicSegmentState : public IUnknown {
public:
    explicit IDirectMusicSegmentState(uint64_t start) : start_(start) {}
    // Which start of a song this is: numbered from 1, never reused.
    uint64_t start() const { return start_; }

private:
    uint64_t start_;
};

class IDirectMusicPerformance : public IUnknown {
public:
    IDirectMusicPerformance();
    ~IDirectMusicPerformance() override;

    // Opens the audio stream and the synthesizer; `music` must be nullptr (no IDirectMusic is
    // offered). A DirectSound object, when given, is kept until CloseDown. DSERR_NODRIVER when
    // there is no audio device, DMUS_E_ALREADY_INITED on a second call.
    HRESULT Init(IDirectMusic** music, IDirectSound* directSound, HWND window);
    // Adds the default output port (`port` nullptr); songs can be downloaded after it.
    HRESULT AddPort(IDirectMusicPort* port);
    // Starts `segment` from its beginning as the primary segment (flags 0), at once, in place of
    // any song playing; returns a new segment state when `state` is given.
    HRESULT PlaySegment(IDirectMusicSegment* segment, DWORD flags, REFERENCE_TIME startTime,
                        IDirectMusicSegmentState** state);
    // Stops the song at once when it is `segment` (or the start `state`); both nullptr stop
    // whatever plays.
    HRESULT Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state, MUSIC_TIME time, DWORD flags);
    // S_OK while `segment` (or the start `state`) is sounding, S_FALSE otherwise. A song sounds
    // until its end and the last notes have died away (at most 3 seconds more).
    HRESULT IsPlaying(IDirectMusicSegment* segment, IDirectMusicSegmentState* state);
    // Stops the music, lets the DirectSound object go and closes the audio stream.
    HRESULT CloseDown();

    bool ready() const { return initialised_ && portAdded_; }
    // The performance's own number: numbered from 1, never reused.
    uint64_t serial() const { return serial_; }

private:
    uint64_t serial_;
    bool initialised_ = false;
    bool portAdded_ = false;
    IDirectSound* directSound_ = nullptr;
};

class IDirectMusicLoader : public IUnknown {
public:
    // Sets the folder that file names are looked up in (any class id; `clear` is accepted, no
    // objects are cached). S_FALSE when it is the folder already set.
    HRESULT SetSearchDirectory(REFGUID classId, WCHAR* path, BOOL clear);
    // Reads the Standard MIDI File named by `desc` (DMUS_OBJ_CLASS with CLSID_DirectMusicSegment,
    // and DMUS_OBJ_FILENAME relative to the search folder or DMUS_OBJ_FULLPATH) into a new
    // segment. DMUS_E_LOADER_FAILEDOPEN for a file that cannot be read,
    // DMUS_E_LOADER_FORMATNOTSUPPORTED for one that is not a valid Standard MIDI File.
    HRESULT GetObject(DMUS_OBJECTDESC* desc, REFIID iid, void** object);

private:
    std::string folder_;  // empty: the working folder
    bool folderSet_ = false;
};

// The SoundFont file in use, or empty when music is silent (after a performance's Init).
std::string MusicSynthSoundFont();
// Mutes the music (or not): songs start, run on time and end as usual, but the synthesizer makes
// no sound and costs nothing. For headless runs that keep no audio.
void DirectMusicSetMuted(bool muted);
// Back to the state at program start: COM not started, no synthesizer (the next performance's
// Init makes a fresh one). For tests and tools, with no performance initialised.
void DirectMusicReset();
