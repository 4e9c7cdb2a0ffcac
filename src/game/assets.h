// The pictures and the effect and song tables that start-up fills and the game plays from.
#pragma once

#include "engine/gfx/bitmap_file.h"
#include "engine/gfx/bitmap_image.h"

#include <cstdint>

extern BitmapImage MenuImages[4];
extern BitmapImage LandscapeImages[5];
// The one record through which every bitmap file is read; its palette outlives its pixels.
extern BitmapFile ScratchBitmapFile;

// Effect ids by role: entries 2, 4, 5, 6, 7, 9, 10 are filled at start-up, the others stay 0.
enum SoundRole : int32_t {
    SoundStrike = 2,         // "Sword Strike.WAV": every stroke, and an enemy's parry
    SoundClash = 4,          // "Sword Clash.WAV": a stroke that meets a parry
    SoundTaunt = 5,          // "Enemy Taunt.WAV": loaded, never played
    SoundEnemyDeath = 6,     // "Enemy Death.WAV": enemies 1 to 4 struck down
    SoundGameOver = 7,       // "Game Over.WAV": the player struck down
    SoundAriesGreeting = 9,  // "Aries Greeting.WAV": the last enemy arrives
    SoundAriesDeath = 10,    // "Aries Death.WAV": the last enemy struck down
};
extern int32_t SoundIds[11];

// The seven effects by role, in the order start-up loads them (their names: EffectFiles).
struct EffectFile {
    int32_t role;
    const char* file;
};
extern const EffectFile GameEffects[7];

// Song ids: 0-4 the landscapes' songs, 5 the intro, 6 the ending (loaded, never played).
constexpr int32_t SONG_INTRO = 5;
constexpr int32_t SONG_ENDING = 6;
extern int32_t SongIds[7];

// Empties the records (what they held is not released) and zeroes the tables.
void AssetsReset();
