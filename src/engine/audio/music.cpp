#include "engine/audio/music.h"

#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "platform/report/report.h"
#include "platform/sound/midi_file.h"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

std::array<MidiSlot, MUSIC_SLOTS> MidiTable{};
int32_t currentSong = -1;
IDirectMusicPerformance* MusicPerformance = nullptr;
IDirectMusicLoader* MusicLoader = nullptr;

namespace {

constexpr DWORD kAllGroups = 0xFFFFFFFF;

bool musicStarted = false;  // MusicInit has run since the last MusicShutdown
std::array<std::string, MUSIC_SLOTS> fileNames;
void (*playObserver)(int32_t) = nullptr;

MidiSlot* Slot(int32_t id) { return id >= 0 && id < MUSIC_SLOTS ? &MidiTable[static_cast<size_t>(id)] : nullptr; }

// The slot of a loaded song, or nullptr.
MidiSlot* SongSlot(int32_t id) {
    MidiSlot* slot = Slot(id);
    return slot && slot->segment && slot->state != MUSIC_FREE ? slot : nullptr;
}

int32_t FirstFreeSlot() {
    for (int32_t i = 0; i < MUSIC_SLOTS; ++i) {
        if (MidiTable[static_cast<size_t>(i)].state == MUSIC_FREE) return i;
    }
    return -1;
}

void ReleaseState(MidiSlot& slot) {
    if (slot.segmentState) {
        slot.segmentState->Release();
        slot.segmentState = nullptr;
    }
}

template <class T>
bool Create(const CLSID& classId, const IID& iid, T*& out) {
    void* made = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC, iid, &made))) return false;
    out = static_cast<T*>(made);
    return true;
}

constexpr DWORD kAnsiPathChars = 260;  // the longest folder name the ANSI calls hold

// The working folder as the system names it, in wide characters: its ANSI name converted from
// the ANSI code page, or, where that name cannot hold the folder (a character outside the code
// page, which the system gives as '?', or a name too long), the system's wide name itself.
bool WorkingFolderWide(std::vector<WCHAR>& wide) {
    char ansi[kAnsiPathChars];
    const DWORD length = GetCurrentDirectoryA(kAnsiPathChars, ansi);
    if (length > 0 && length < kAnsiPathChars && !std::memchr(ansi, '?', length)) {
        wide.assign(kAnsiPathChars, 0);
        if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, wide.data(), static_cast<int>(kAnsiPathChars)) > 0) {
            return true;
        }
    }
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) {
        return false;
    }
    wide.assign(needed, 0);
    const DWORD written = GetCurrentDirectoryW(needed, wide.data());
    return written > 0 && written < needed;
}

// Points the loader at the current working folder, as it is now.
bool SearchWorkingFolder() {
    std::vector<WCHAR> folder;
    if (!WorkingFolderWide(folder)) {
        ReportOnce("music folder", "no music: the working folder has no name the music loader can take");
        return false;
    }
    return SUCCEEDED(MusicLoader->SetSearchDirectory(GUID_DirectMusicAllTypes, folder.data(), FALSE));
}

// Whether the named file is a Standard MIDI File that the song reader takes, checked here before
// the music loader reads it: the loader of the system may trust the lengths and counts in the
// file, so a damaged song is refused here, the same on every system.
bool SongFileIsSound(const char* fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) return false;
    std::vector<uint8_t> bytes;
    char buffer[16384];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + file.gcount());
        if (bytes.size() > MIDI_FILE_MAX_BYTES) return false;
    }
    return !file.bad() && MidiFileRead(bytes) != nullptr;
}

}  // namespace

int32_t MusicInit() try {
    if (musicStarted) MusicShutdown();
    musicStarted = true;
    if (FAILED(CoInitialize(nullptr))) return 0;
    if (!Create(CLSID_DirectMusicPerformance, IID_IDirectMusicPerformance, MusicPerformance)) return 0;
    if (FAILED(MusicPerformance->Init(nullptr, SoundDirectSound, MainWindowHandle))) return 0;
    if (FAILED(MusicPerformance->AddPort(nullptr))) return 0;
    if (!Create(CLSID_DirectMusicLoader, IID_IDirectMusicLoader, MusicLoader)) return 0;
    for (int32_t i = 0; i < MUSIC_SLOTS; ++i) {
        MidiTable[static_cast<size_t>(i)] = MidiSlot{nullptr, nullptr, i, MUSIC_FREE};
        fileNames[static_cast<size_t>(i)].clear();
    }
    currentSong = -1;
    return 1;
} catch (...) {  // no memory for the performance or the loader: no music
    return 0;
}

int32_t MusicLoad(const char* fileName) try {
    const int32_t id = FirstFreeSlot();
    if (id < 0 || !fileName || !MusicPerformance || !MusicLoader) return -1;
    if (!SearchWorkingFolder() || !SongFileIsSound(fileName)) return -1;
    std::string name(fileName);
    DMUS_OBJECTDESC desc{};
    desc.dwSize = sizeof desc;
    desc.guidClass = CLSID_DirectMusicSegment;
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, fileName, -1, desc.wszFileName, DMUS_MAX_FILENAME) == 0) {
        return -1;
    }
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
    IDirectMusicSegment* segment = nullptr;
    void* made = nullptr;
    if (FAILED(MusicLoader->GetObject(&desc, IID_IDirectMusicSegment, &made))) return -1;
    segment = static_cast<IDirectMusicSegment*>(made);
    bool prepared = false;
    try {
        prepared = SUCCEEDED(segment->SetParam(GUID_StandardMIDIFile, kAllGroups, 0, 0, MusicPerformance)) &&
                   SUCCEEDED(segment->SetParam(GUID_Download, kAllGroups, 0, 0, MusicPerformance));
    } catch (...) {  // no memory for the instruments
    }
    if (!prepared) {
        segment->Release();
        return -1;
    }
    MidiTable[static_cast<size_t>(id)] = MidiSlot{segment, nullptr, id, MUSIC_LOADED};
    fileNames[static_cast<size_t>(id)] = std::move(name);
    return id;
} catch (...) {  // no memory left: nothing loaded
    return -1;
}

int32_t MusicPlay(int32_t id) {
    MidiSlot* slot = SongSlot(id);
    if (!slot) return 0;
    if (currentSong != -1) MusicStop(currentSong);
    ReleaseState(*slot);  // the previous start's state is of no more use
    try {
        if (MusicPerformance) MusicPerformance->PlaySegment(slot->segment, 0, 0, &slot->segmentState);
    } catch (...) {  // its result is not examined, and neither is a want of memory
    }
    slot->state = MUSIC_PLAYING;
    currentSong = id;
    if (playObserver) playObserver(id);
    return 1;
}

int32_t MusicStop(int32_t id) {
    MidiSlot* slot = SongSlot(id);
    if (!slot) return 0;
    if (MusicPerformance) MusicPerformance->Stop(slot->segment, nullptr, 0, 0);
    slot->state = MUSIC_STOPPED;
    currentSong = -1;
    return 1;
}

int32_t MusicStatus(int32_t id) {
    MidiSlot* slot = SongSlot(id);
    if (!slot) return 0;
    const bool playing = MusicPerformance && MusicPerformance->IsPlaying(slot->segment, nullptr) == S_OK;
    slot->state = playing ? MUSIC_PLAYING : MUSIC_STOPPED;
    return slot->state;
}

int32_t MusicUnload(int32_t id) {
    MidiSlot* slot = Slot(id);
    if (slot && slot->segment) {
        slot->segment->SetParam(GUID_Unload, kAllGroups, 0, 0, MusicPerformance);
        slot->segment->Release();
        slot->segment = nullptr;
        ReleaseState(*slot);
        slot->state = MUSIC_FREE;
        fileNames[static_cast<size_t>(id)].clear();
    }
    return 1;
}

int32_t MusicUnloadAll() {
    for (int32_t i = 0; i < MUSIC_SLOTS; ++i) MusicUnload(i);
    return 1;
}

int32_t MusicShutdown() {
    if (MusicPerformance) MusicPerformance->Stop(nullptr, nullptr, 0, 0);
    MusicUnloadAll();
    if (MusicPerformance) {
        MusicPerformance->CloseDown();
        MusicPerformance->Release();
        MusicPerformance = nullptr;
    }
    if (MusicLoader) {
        MusicLoader->Release();
        MusicLoader = nullptr;
    }
    CoUninitialize();
    musicStarted = false;
    return 1;
}

void MusicReset() {
    if (musicStarted) MusicShutdown();
    MidiTable.fill(MidiSlot{});
    for (std::string& name : fileNames) name.clear();
    currentSong = -1;
}

const char* MusicFileName(int32_t id) {
    const MidiSlot* slot = Slot(id);
    if (!slot || slot->state == MUSIC_FREE) return nullptr;
    return fileNames[static_cast<size_t>(id)].c_str();
}

void MusicSetPlayObserver(void (*observer)(int32_t id)) { playObserver = observer; }
