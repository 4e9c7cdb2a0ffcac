#include "game/assets.h"

#include "game/characters.h"

#include <cstdio>

BitmapImage MenuImages[4];
BitmapImage LandscapeImages[5];
BitmapFile ScratchBitmapFile;
int32_t SoundIds[11];
int32_t SongIds[7];

const EffectFile GameEffects[7] = {{SoundStrike, "Sword Strike.WAV"},   {SoundClash, "Sword Clash.WAV"},
                                   {SoundTaunt, "Enemy Taunt.WAV"},     {SoundEnemyDeath, "Enemy Death.WAV"},
                                   {SoundGameOver, "Game Over.WAV"},    {SoundAriesGreeting, "Aries Greeting.WAV"},
                                   {SoundAriesDeath, "Aries Death.WAV"}};

namespace {

std::string Numbered(const char* pattern, int n) {
    char name[32];
    std::snprintf(name, sizeof(name), pattern, n);
    return name;
}

}  // namespace

std::vector<std::string> GameDataFiles() {
    std::vector<std::string> files;
    for (int i = 1; i <= 4; ++i) files.push_back(Numbered("Menu%d.bmp", i));
    for (int i = 1; i <= 5; ++i) files.push_back(Numbered("LANDSCAPE%d.BMP", i));
    for (const CharacterDef& character : CharacterTable) {
        for (int file = 0; file < 4; ++file) files.push_back(Numbered(character.filePattern, file));
    }
    files.emplace_back("PALDATA2.PAL");
    for (const EffectFile& effect : GameEffects) files.emplace_back(effect.file);
    for (int n = 0; n < 5; ++n) files.push_back(Numbered("MIDIFILE%d.MID", n));
    files.emplace_back("Intro.mid");
    files.emplace_back("Ending.mid");
    return files;
}

void AssetsReset() {
    for (BitmapImage& image : MenuImages) image = BitmapImage{};
    for (BitmapImage& image : LandscapeImages) image = BitmapImage{};
    ScratchBitmapFile = BitmapFile{};
    for (int32_t& id : SoundIds) id = 0;
    for (int32_t& id : SongIds) id = 0;
}
