#include "platform/standins/dmusic.h"

#include "platform/sound/midi_file.h"
#include "platform/sound/mixer.h"
#include "platform/sound/synth.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

const CLSID CLSID_DirectMusicPerformance = {
    0xd2ac2881, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const CLSID CLSID_DirectMusicSegment = {0xd2ac2882, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const CLSID CLSID_DirectMusicLoader = {0xd2ac2892, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const IID IID_IDirectMusicPerformance = {0x07d43d03, 0x6523, 0x11d2, {0x87, 0x1d, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const IID IID_IDirectMusicLoader = {0x2ffaaca2, 0x5dca, 0x11d2, {0xaf, 0xa6, 0x00, 0xaa, 0x00, 0x24, 0xd8, 0xb6}};
const IID IID_IDirectMusicSegment = {0xf96029a2, 0x4282, 0x11d2, {0x87, 0x17, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_DirectMusicAllTypes = {0xd2ac2893, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_StandardMIDIFile = {0x06621075, 0xe92e, 0x11d1, {0xa8, 0xc5, 0x00, 0xc0, 0x4f, 0xa3, 0x72, 0x6e}};
const GUID GUID_Download = {0xd2ac28a7, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_Unload = {0xd2ac28a8, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};

namespace {

// How long the last notes of a song may ring on after its end before it counts as ended.
constexpr int kTailSeconds = 3;

// The song the performances play, walked as the mixer renders samples. Fields are read and
// written under the mixer's mutex. The object is trivially destructible and
// constant-initialised, so the audio thread finds it intact however late it runs.
struct SongPlayer {
    int performances = 0;  // initialised performances; with none the music is silent
    // The current song: the segment (holding a reference), the start that plays it and the
    // performance that started it.
    IDirectMusicSegment* segment = nullptr;
    uint64_t performance = 0;
    const MidiSong* song = nullptr;
    uint64_t start = 0;
    size_t next = 0;    // its next event
    int64_t frame = 0;  // frames rendered since it started
    bool playing = false;
    bool audible = false;
};

constinit SongPlayer player;
uint64_t lastStart = 0;

int64_t FrameOf(int64_t us) { return us * SynthRate() / 1000000; }

// The mixer's music source: the song's events are sent as the samples they fall on are made.
void RenderMusic(void*, float* left, float* right, int frames) {
    if (player.performances == 0) {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return;
    }
    int done = 0;
    while (done < frames) {
        int count = frames - done;
        if (player.playing) {
            const auto& events = player.song->events;
            for (; player.next < events.size() && FrameOf(events[player.next].timeUs) <= player.frame; ++player.next) {
                if (player.audible && !SynthMuted()) SynthSend(*player.song, events[player.next]);
            }
            if (player.next < events.size()) {
                count = static_cast<int>(std::min<int64_t>(count, FrameOf(events[player.next].timeUs) - player.frame));
            }
        }
        SynthRender(left + done, right + done, count, player.playing);
        player.frame += count;
        done += count;
    }
    if (player.playing && player.next >= player.song->events.size()) {
        const int64_t end = FrameOf(player.song->lengthUs);
        const bool ringing = SynthPresent() && !SynthMuted() && SynthActiveVoices() > 0;
        if (player.frame >= end && (!ringing || player.frame >= end + int64_t{kTailSeconds} * SynthRate())) {
            player.playing = false;
        }
    }
}

// Makes the synthesizer for `rate`; a new one starts with no song.
void PrepareSynth(int rate) {
    if (!SynthPrepare(rate)) return;
    IDirectMusicSegment* oldSegment;
    {
        auto lock = MixerLock();
        oldSegment = player.segment;
        player.segment = nullptr;
        player.song = nullptr;
        player.playing = false;
    }
    MixerSetMusic(&RenderMusic, nullptr);
    if (oldSegment) oldSegment->Release();
}

// Starts `segment` from its beginning in place of the current song.
void StartSong(IDirectMusicSegment* segment, uint64_t performance, uint64_t start) {
    segment->AddRef();
    IDirectMusicSegment* old;
    {
        auto lock = MixerLock();
        old = player.segment;
        player.segment = segment;
        player.song = segment->song().get();
        player.start = start;
        player.performance = performance;
        player.next = 0;
        player.frame = 0;
        player.playing = player.song != nullptr;
        player.audible = segment->downloadedTo() == performance && SynthPresent();
        SynthSystemReset();
    }
    if (old) old->Release();
}

// Stops the current song when it matches (`segment` and `start` both empty match any).
void StopSong(const IDirectMusicSegment* segment, uint64_t start) {
    IDirectMusicSegment* old = nullptr;
    {
        auto lock = MixerLock();
        const bool any = !segment && start == 0;
        if (player.segment && (any || player.segment == segment || (start != 0 && player.start == start))) {
            old = player.segment;
            player.segment = nullptr;
            player.song = nullptr;
            player.playing = false;
            SynthReleaseNotes();
        }
    }
    if (old) old->Release();
}

bool SongPlaying(const IDirectMusicSegment* segment, uint64_t start) {
    auto lock = MixerLock();
    return player.playing && ((segment && player.segment == segment) || (start != 0 && player.start == start));
}

// Follows a download or unload of `segment` while it plays.
void UpdateSongAudible(const IDirectMusicSegment* segment) {
    auto lock = MixerLock();
    if (player.segment == segment) {
        const bool audible = segment->downloadedTo() == player.performance;
        player.audible = audible && SynthPresent();
        if (!audible) SynthReleaseNotes();
    }
}

uint64_t lastPerformance = 0;
std::vector<IDirectMusicPerformance*> livePerformances;

bool IsPerformance(const void* p) {
    return std::find(livePerformances.begin(), livePerformances.end(), p) != livePerformances.end();
}

// A wide string of at most `limit` characters back to bytes; false when a character is not one.
bool Narrow(const WCHAR* wide, size_t limit, std::string& out) {
    out.clear();
    for (size_t i = 0; i < limit; ++i) {
        if (wide[i] == 0) return true;
        if (wide[i] < 0 || wide[i] > 0xFF) return false;
        out.push_back(static_cast<char>(wide[i]));
    }
    return false;  // not terminated
}

}  // namespace

// --- segment ---

IDirectMusicSegment::IDirectMusicSegment(std::shared_ptr<const MidiSong> song) : song_(std::move(song)) {}

IDirectMusicSegment::~IDirectMusicSegment() {
    // Normally the synthesizer holds a reference while it plays a segment; objects destroyed
    // together at exit do not wait for it, so the segment takes itself out of the mix.
    auto lock = MixerLock();
    if (player.segment == this) {
        player.segment = nullptr;
        player.song = nullptr;
        player.playing = false;
    }
}

HRESULT IDirectMusicSegment::SetParam(REFGUID type, DWORD, DWORD, MUSIC_TIME, void* param) {
    const bool download = type == GUID_Download;
    if (!download && !(type == GUID_Unload) && !(type == GUID_StandardMIDIFile)) {
        return DMUS_E_SET_UNSUPPORTED;
    }
    if (!IsPerformance(param)) return E_INVALIDARG;
    auto* performance = static_cast<IDirectMusicPerformance*>(param);
    if (type == GUID_StandardMIDIFile) return S_OK;
    if (download) {
        if (!performance->ready()) return DMUS_E_NOT_INIT;
        downloadedTo_ = performance->serial();
    } else if (downloadedTo_ == performance->serial()) {
        downloadedTo_ = 0;
    }
    UpdateSongAudible(this);
    return S_OK;
}

// --- performance ---

IDirectMusicPerformance::IDirectMusicPerformance() : serial_(++lastPerformance) { livePerformances.push_back(this); }

IDirectMusicPerformance::~IDirectMusicPerformance() {
    CloseDown();
    std::erase(livePerformances, this);
}

HRESULT IDirectMusicPerformance::Init(IDirectMusic** music, IDirectSound* directSound, HWND) {
    if (initialised_) return DMUS_E_ALREADY_INITED;
    if (music) return E_INVALIDARG;
    const int rate = MixerAcquire();
    if (rate == 0) return DSERR_NODRIVER;
    PrepareSynth(rate);
    {
        auto lock = MixerLock();
        ++player.performances;
    }
    if (directSound) {
        directSound->AddRef();
        directSound_ = directSound;
    }
    initialised_ = true;
    return S_OK;
}

HRESULT IDirectMusicPerformance::AddPort(IDirectMusicPort* port) {
    if (!initialised_) return DMUS_E_NOT_INIT;
    if (port) return E_INVALIDARG;  // only the default port is offered
    portAdded_ = true;
    return S_OK;
}

HRESULT IDirectMusicPerformance::PlaySegment(IDirectMusicSegment* segment, DWORD flags, REFERENCE_TIME,
                                             IDirectMusicSegmentState** state) {
    if (state) *state = nullptr;
    if (!ready()) return DMUS_E_NOT_INIT;
    if (!segment) return E_POINTER;
    if (flags & DMUS_SEGF_SECONDARY) return E_INVALIDARG;
    const uint64_t start = ++lastStart;
    StartSong(segment, serial_, start);
    if (state) *state = ComMake<IDirectMusicSegmentState>(start);
    return S_OK;
}

HRESULT IDirectMusicPerformance::Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state, MUSIC_TIME,
                                      DWORD) {
    if (!initialised_) return DMUS_E_NOT_INIT;
    StopSong(segment, state ? state->start() : 0);
    return S_OK;
}

HRESULT IDirectMusicPerformance::IsPlaying(IDirectMusicSegment* segment, IDirectMusicSegmentState* state) {
    if (!initialised_) return DMUS_E_NOT_INIT;
    if (!segment && !state) return E_POINTER;
    return SongPlaying(segment, state ? state->start() : 0) ? S_OK : S_FALSE;
}

HRESULT IDirectMusicPerformance::CloseDown() {
    if (!initialised_) return S_OK;
    StopSong(nullptr, 0);
    {
        // With the last performance gone the music ends at once, ringing notes and all.
        auto lock = MixerLock();
        if (--player.performances == 0) SynthSystemReset();
    }
    if (directSound_) {
        directSound_->Release();
        directSound_ = nullptr;
    }
    initialised_ = false;
    portAdded_ = false;
    MixerRelease();
    return S_OK;
}

// --- loader ---

HRESULT IDirectMusicLoader::SetSearchDirectory(REFGUID, WCHAR* path, BOOL) {
    if (!path) return E_POINTER;
    std::string folder;
    std::error_code error;
    if (!Narrow(path, 4096, folder) || !std::filesystem::is_directory(folder, error)) {
        return DMUS_E_LOADER_BADPATH;
    }
    if (folderSet_ && folder == folder_) return S_FALSE;
    folder_ = folder;
    folderSet_ = true;
    return S_OK;
}

HRESULT IDirectMusicLoader::GetObject(DMUS_OBJECTDESC* desc, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!desc || desc->dwSize != sizeof(DMUS_OBJECTDESC)) return E_INVALIDARG;
    if (!(desc->dwValidData & DMUS_OBJ_CLASS) || !(desc->guidClass == CLSID_DirectMusicSegment)) {
        return DMUS_E_LOADER_NOCLASSID;
    }
    if (!(iid == IID_IDirectMusicSegment)) return E_NOINTERFACE;
    std::string name;
    if (!(desc->dwValidData & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH)) ||
        !Narrow(desc->wszFileName, DMUS_MAX_FILENAME, name) || name.empty()) {
        return DMUS_E_LOADER_BADPATH;
    }
    std::filesystem::path path(name);
    if (!(desc->dwValidData & DMUS_OBJ_FULLPATH) && path.is_relative() && !folder_.empty()) {
        path = std::filesystem::path(folder_) / path;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return DMUS_E_LOADER_FAILEDOPEN;
    std::vector<uint8_t> bytes;
    char buffer[16384];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + file.gcount());
        if (bytes.size() > MIDI_FILE_MAX_BYTES) return DMUS_E_LOADER_FORMATNOTSUPPORTED;
    }
    if (file.bad()) return DMUS_E_LOADER_FAILEDOPEN;
    std::shared_ptr<const MidiSong> song = MidiFileRead(bytes);
    if (!song) return DMUS_E_LOADER_FORMATNOTSUPPORTED;
    *object = ComMake<IDirectMusicSegment>(std::move(song));
    return S_OK;
}

std::string MusicSynthSoundFont() { return SynthSoundFont(); }

void DirectMusicSetMuted(bool muted) { SynthSetMuted(muted); }

void DirectMusicReset() {
    MixerSetMusic(nullptr, nullptr);
    SongPlayer old;
    {
        auto lock = MixerLock();
        old = player;
        player = SongPlayer{};
    }
    if (old.segment) old.segment->Release();
    SynthReset();
    ComReset();
}
