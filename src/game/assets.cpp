#include "game/assets.h"

#include "game/data_files.h"

BitmapImage MenuImages[4];
BitmapImage LandscapeImages[5];
BitmapFile ScratchBitmapFile;
int32_t SoundIds[11];
int32_t SongIds[7];

const EffectFile GameEffects[7] = {{SoundStrike, EffectFiles[0]},    {SoundClash, EffectFiles[1]},
                                   {SoundTaunt, EffectFiles[2]},     {SoundEnemyDeath, EffectFiles[3]},
                                   {SoundGameOver, EffectFiles[4]},  {SoundAriesGreeting, EffectFiles[5]},
                                   {SoundAriesDeath, EffectFiles[6]}};

void AssetsReset() {
    for (BitmapImage& image : MenuImages) image = BitmapImage{};
    for (BitmapImage& image : LandscapeImages) image = BitmapImage{};
    ScratchBitmapFile = BitmapFile{};
    for (int32_t& id : SoundIds) id = 0;
    for (int32_t& id : SongIds) id = 0;
}
