#include "game/characters.h"

#include "engine/audio/sound.h"
#include "engine/gfx/colour_probe.h"
#include "engine/gfx/display.h"
#include "game/assets.h"
#include "game/data_files.h"
#include "platform/report/report.h"

#include <iterator>

Sprite CharacterSprites[CHARACTER_COUNT];

const CharacterDef CharacterTable[CHARACTER_COUNT] = {
    {&CharacterSprites[0], 20, 300, false},  {&CharacterSprites[1], 540, 300, false},
    {&CharacterSprites[2], 540, 375, false}, {&CharacterSprites[3], 540, 375, false},
    {&CharacterSprites[4], 540, 410, false}, {&CharacterSprites[5], 540, 410, true},
};
static_assert(std::size(FighterFiles) == CHARACTER_COUNT, "every fighter has its picture files");

const int32_t CharacterAnimationTable[4][10] = {
    {0, 1, 2, 1, 0, 0, 0, 0, 0, 0},
    {6, 7, 8, 7, 0, 0, 0, 0, 0, 0},
    {12, 13, 14, 15, 16, 17, 16, 15, 14, 13},
    {19, 18, 21, 20, 21, 22, 21, 23, 18, 19},
};

namespace {

constexpr int32_t kGroundColour = 116;
constexpr int32_t kSystemMemory = 0x800;  // DDSCAPS_SYSTEMMEMORY

void LoadPictureFile(Sprite& sprite, const char* name, int32_t file) {
    if (!BitmapFileLoad(&ScratchBitmapFile, name)) {
        ReportDataFile(name, "cannot read data file");
    }
    for (int32_t k = 0; k < 4; ++k) {
        SpriteLoadFrame(&sprite, &ScratchBitmapFile, 6 * file + k, k, 0, 0);
    }
    if (file >= 2) {
        SpriteLoadFrame(&sprite, &ScratchBitmapFile, 6 * file + 4, 0, 1, 0);
        SpriteLoadFrame(&sprite, &ScratchBitmapFile, 6 * file + 5, 1, 1, 0);
    }
    BitmapFileUnload(&ScratchBitmapFile);
    SpriteLoadAnimation(&sprite, file, file < 2 ? 4 : 10, CharacterAnimationTable[file]);
}

}  // namespace

Sprite& PlayerSprite() { return CharacterSprites[0]; }

Sprite& EnemySprite(int32_t n) { return CharacterSprites[n >= 1 && n <= 5 ? n : 0]; }

int32_t LoadCharacter(int32_t row) {
    if (row < 0 || row >= CHARACTER_COUNT) {
        return 0;
    }
    const CharacterDef& def = CharacterTable[row];
    Sprite& sprite = *def.sprite;
    if (!SpriteCreate(&sprite, 0, 0, CHARACTER_WIDTH, CHARACTER_HEIGHT, CHARACTER_FRAMES,
                      SPRITE_ANIMATED | SPRITE_VISIBLE, kSystemMemory, 0, 8)) {
        return 0;
    }
    for (int32_t file = 0; file < 4; ++file) {
        LoadPictureFile(sprite, FighterFiles[row][file], file);
    }
    SpriteSetAnimation(&sprite, Advance);
    SpriteSetAnimationSpeed(&sprite, 6);
    SpriteSetVelocity(&sprite, 0, 0);
    SpriteSetPosition(&sprite, def.startX, def.startY);
    if (def.greets) {
        SoundPlay(SoundIds[SoundAriesGreeting], 0, 0, 0, 0);
    }
    return 1;
}

void CharacterStandOnGround(Sprite& sprite) {
    sprite.y += 1.0f;
    DisplayLockBack();
    auto touchesGround = [&sprite] {
        return ColourProbe(SpriteTruncate(sprite.x + 16.0f), SpriteTruncate(sprite.y + 24.0f),
                           SpriteTruncate(sprite.x + static_cast<float>(sprite.width - 32)),
                           SpriteTruncate(sprite.y + static_cast<float>(sprite.height - 12)), kGroundColour,
                           kGroundColour, Display.backMemory, Display.backPitch);
    };
    // Once the ground box has left the top of the screen the probe would only see the top row
    // again and again: a picture with ground colour up there must not hold the game for ever.
    auto belowTop = [&sprite] { return sprite.y + static_cast<float>(sprite.height - 12) >= 0.0f; };
    while (belowTop() && touchesGround()) {
        sprite.y -= 1.0f;
    }
    DisplayUnlockBack();
}

void CharactersReset() {
    for (Sprite& sprite : CharacterSprites) {
        SpriteDestroy(&sprite);
        sprite = Sprite{};
    }
}
