#include "game/assets.h"

BitmapImage MenuImages[4];
BitmapImage LandscapeImages[5];
BitmapFile ScratchBitmapFile;
int32_t SoundIds[11];
int32_t SongIds[7];

void AssetsReset() {
    for (BitmapImage& image : MenuImages) image = BitmapImage{};
    for (BitmapImage& image : LandscapeImages) image = BitmapImage{};
    ScratchBitmapFile = BitmapFile{};
    for (int32_t& id : SoundIds) id = 0;
    for (int32_t& id : SongIds) id = 0;
}
