// The six fighters: the character table, their sprites, and the loader that builds them.
#pragma once

#include "engine/gfx/sprite.h"

#include <cstdint>

enum CharacterAnimation : int32_t { Advance = 0, Retreat = 1, Strike = 2, Block = 3 };

struct CharacterDef {
    Sprite* sprite;
    int32_t startX;
    int32_t startY;
    bool greets;  // plays the greeting when loaded
};

constexpr int32_t CHARACTER_COUNT = 6;
constexpr int32_t CHARACTER_WIDTH = 72;
constexpr int32_t CHARACTER_HEIGHT = 74;
constexpr int32_t CHARACTER_FRAMES = 32;

// Row 0 the player, row n enemy n.
extern Sprite CharacterSprites[CHARACTER_COUNT];
extern const CharacterDef CharacterTable[CHARACTER_COUNT];
// Four animations of up to ten frame numbers: Advance, Retreat, Strike, Block.
extern const int32_t CharacterAnimationTable[4][10];

// The player's sprite and enemy n's sprite (n 1 to 5).
Sprite& PlayerSprite();
Sprite& EnemySprite(int32_t n);

// Builds the row's sprite from its four picture files (FighterFiles[row]) at its start position; 1, or 0 when the
// sprite cannot be created. Frames of a picture file that cannot be read stay empty.
int32_t LoadCharacter(int32_t row);

// One pass of gravity: the sprite sinks one pixel, then climbs while its ground box touches the
// ground colour in the locked back surface (never past the top of the screen).
void CharacterStandOnGround(Sprite& sprite);

// Back to the start values: every fighter's record empty (what they held is released).
void CharactersReset();
