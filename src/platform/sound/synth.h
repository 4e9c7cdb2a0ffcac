// The music synthesizer: a General MIDI synthesizer (FluidSynth) with a SoundFont, rendering at
// the audio device's rate for the mixer, fed with a song's events as it plays.
//
// SoundFont: the file named by the environment variable GAIABLADE_SOUNDFONT when it is set,
// else the first of default-GM.sf2, FluidR3_GM.sf2 and TimGM6mb.sf2 in /usr/share/sounds/sf2.
// Without one the synthesizer is absent and music is silent (said once on standard error).
//
// SynthPrepare, SynthSetMuted and SynthReset take the mixer's lock themselves; every other call
// is made with the mixer's lock held (from the music source the mixer renders, or under
// MixerLock()).
#pragma once

#include "platform/sound/midi_file.h"

#include <string>

// Makes the synthesizer for a device of `rate` frames a second, unless it was made for that rate
// already; true when a new one replaced the old. Runs on the game thread; the SoundFont loads
// outside the lock.
bool SynthPrepare(int rate);
// True when a synthesizer exists (a SoundFont was found).
bool SynthPresent();
// True while the synthesizer is muted.
bool SynthMuted();
// The device rate it renders at (0 before SynthPrepare).
int SynthRate();
// Sends one event of `song` to the synthesizer.
void SynthSend(const MidiSong& song, const MidiEvent& event);
// Lets every sounding note go into its release, sustain pedal or not.
void SynthReleaseNotes();
// Silences everything at once and brings every channel back to its start.
void SynthSystemReset();
// The number of voices sounding.
int SynthActiveVoices();
// Renders `frames` device frames. While no song plays and no voice sounds for two seconds the
// synthesizer rests and renders silence without working; muted, it renders silence.
void SynthRender(float* left, float* right, int frames, bool songPlaying);
// Mutes the synthesizer (or not): no sound and no work. Muting silences it at once.
void SynthSetMuted(bool muted);
// The SoundFont file in use, or empty when music is silent.
std::string SynthSoundFont();
// Back to the state at program start: no synthesizer, not muted.
void SynthReset();
