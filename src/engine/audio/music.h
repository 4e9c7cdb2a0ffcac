// MIDI music: COM, the DirectMusic performance (on the sound part's DirectSound object) and
// loader, a table of 64 song slots, and the operations that load, play, stop, query and unload
// songs. A song is named by its id, the number of its slot; one song at a time is the current
// one, and starting a song stops it first. An id outside 0 to 63 names no slot.
#pragma once

#include "platform/standins/dmusic.h"

#include <array>
#include <cstdint>

constexpr int MUSIC_SLOTS = 64;

// Song slot states.
constexpr int32_t MUSIC_FREE = 0;
constexpr int32_t MUSIC_LOADED = 1;
constexpr int32_t MUSIC_PLAYING = 2;
constexpr int32_t MUSIC_STOPPED = 3;

// One slot of the song table.
struct MidiSlot {
    IDirectMusicSegment* segment;            // the loaded song, or nullptr
    IDirectMusicSegmentState* segmentState;  // its latest start, or nullptr
    int32_t id;                              // the slot's own number
    int32_t state;                           // MUSIC_FREE, _LOADED, _PLAYING or _STOPPED
};

extern std::array<MidiSlot, MUSIC_SLOTS> MidiTable;
// The id of the song last started, or -1 (at program start, and after a stop).
extern int32_t currentSong;
extern IDirectMusicPerformance* MusicPerformance;
extern IDirectMusicLoader* MusicLoader;

// Starts COM, creates and initialises the performance (on SoundDirectSound and the main window)
// with its default port, creates the loader and clears the table. 1, or 0 at the first step that
// fails (what was made stays). A second call first shuts down what the first one made.
int32_t MusicInit();
// Loads a Standard MIDI File, looked up in the current working folder, into the lowest free
// slot and downloads its instruments. Returns the id, or -1.
int32_t MusicLoad(const char* fileName);
// Stops the current song and starts this one from its beginning. 1, or 0 when the slot holds
// no song.
int32_t MusicPlay(int32_t id);
// Stops the song; no song is current afterwards. 1, or 0 when the slot holds no song.
int32_t MusicStop(int32_t id);
// Asks whether the song still sounds: MUSIC_PLAYING or MUSIC_STOPPED, also stored in the slot;
// 0 when the slot holds no song.
int32_t MusicStatus(int32_t id);
// Unloads the song (without stopping it) and frees its slot. Returns 1.
int32_t MusicUnload(int32_t id);
// MusicUnload for every slot. Returns 1.
int32_t MusicUnloadAll();
// Stops all music, unloads every song, closes and releases the performance, releases the loader
// and ends COM. Returns 1.
int32_t MusicShutdown();

// Back to the state at program start (releases whatever is held), for tests and tools; the play
// observer stays, and so does the platform's synthesizer with its SoundFont (DirectMusicReset).
void MusicReset();
// The file that song `id` was loaded from, or nullptr.
const char* MusicFileName(int32_t id);
// Calls `observer` (nullptr: none) with the id each time MusicPlay starts a song.
void MusicSetPlayObserver(void (*observer)(int32_t id));
