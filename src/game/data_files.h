// The names of the game's data files: the one table of them. The game loads its files by these
// names, the data generator (tools/datagen) writes them, and the tests make and check them.
#pragma once

#include "engine/gfx/display.h"

#include <cstdint>
#include <string>
#include <vector>

// The palette: the engine's own file, which the display's set-up loads.
inline constexpr const char* PaletteFile = DISPLAY_PALETTE_FILE;
// The four full-screen menu pictures, MenuImages' files.
inline constexpr const char* MenuFiles[4] = {"Menu1.bmp", "Menu2.bmp", "Menu3.bmp", "Menu4.bmp"};
// The five landscapes, LandscapeImages' files: enemy n lives in LandscapeFiles[n - 1].
inline constexpr const char* LandscapeFiles[5] = {"LANDSCAPE1.BMP", "LANDSCAPE2.BMP", "LANDSCAPE3.BMP",
                                                  "LANDSCAPE4.BMP", "LANDSCAPE5.BMP"};
// Each fighter's four picture files, by CharacterTable's rows: 0 the player, n enemy n.
inline constexpr const char* FighterFiles[6][4] = {
    {"Gaia0.BMP", "Gaia1.BMP", "Gaia2.BMP", "Gaia3.BMP"},
    {"Eris0.BMP", "Eris1.BMP", "Eris2.BMP", "Eris3.BMP"},
    {"Apollo0.BMP", "Apollo1.BMP", "Apollo2.BMP", "Apollo3.BMP"},
    {"Medousa0.BMP", "Medousa1.BMP", "Medousa2.BMP", "Medousa3.BMP"},
    {"Haides0.BMP", "Haides1.BMP", "Haides2.BMP", "Haides3.BMP"},
    {"Aries0.BMP", "Aries1.BMP", "Aries2.BMP", "Aries3.BMP"},
};
// The seven effects, in the order start-up loads them (GameEffects gives each its role).
inline constexpr const char* EffectFiles[7] = {"Sword Strike.WAV", "Sword Clash.WAV", "Enemy Taunt.WAV",
                                               "Enemy Death.WAV",  "Game Over.WAV",   "Aries Greeting.WAV",
                                               "Aries Death.WAV"};
// The songs by SongIds entry: 0-4 the landscapes' (numbered from 0, unlike the pictures), then
// SONG_INTRO and SONG_ENDING.
inline constexpr const char* SongFiles[7] = {"MIDIFILE0.MID", "MIDIFILE1.MID", "MIDIFILE2.MID", "MIDIFILE3.MID",
                                             "MIDIFILE4.MID", "Intro.mid",     "Ending.mid"};

// Every data file the game reads: the menus, the landscapes, the fighters, the palette, the
// effects and the songs, in that order (the data folder is found by the first).
std::vector<std::string> GameDataFiles();
