// Sprites: animated pictures with up to 64 colour-keyed frame surfaces, up to 16 animations,
// a floating-point position and velocity, and attribute flags.
#pragma once

#include "engine/gfx/bitmap_file.h"
#include "platform/standins/ddraw.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int32_t SPRITE_STILL = 0x01;
constexpr int32_t SPRITE_CYCLE = 0x02;
constexpr int32_t SPRITE_ANIMATED = 0x04;
constexpr int32_t SPRITE_PLAY_ONCE = 0x08;
constexpr int32_t SPRITE_VISIBLE = 0x10;
constexpr int32_t SPRITE_BOUNCE = 0x20;
constexpr int32_t SPRITE_WRAP = 0x40;
constexpr int32_t SPRITE_LOADED = 0x80;
constexpr int32_t SPRITE_CLONE = 0x100;

constexpr int32_t SPRITE_MAX_FRAMES = 64;
constexpr int32_t SPRITE_MAX_ANIMATIONS = 16;

// A list of frame numbers ended by -1; shared between a sprite and its clones.
using SpriteAnimationList = std::shared_ptr<const std::vector<int32_t>>;

struct Sprite {
    int32_t state = 0;
    int32_t animationState = 0;
    int32_t attributes = 0;
    float x = 0;
    float y = 0;
    float xVelocity = 0;
    float yVelocity = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t widthPadding = 0;
    int32_t bitsPerPixel = 0;
    int32_t counters[4] = {};
    int32_t userWords[32] = {};
    int32_t currentFrame = 0;
    int32_t frameCount = 0;
    int32_t currentAnimation = 0;
    int32_t animationCounter = 0;
    int32_t animationIndex = 0;
    int32_t animationSpeed = 0;
    std::array<SpriteAnimationList, SPRITE_MAX_ANIMATIONS> animations{};
    // Each slot holds one reference to its surface, taken by create or by clone.
    std::array<IDirectDrawSurface7*, SPRITE_MAX_FRAMES> frames{};
};

// Creates frameCount (at most 64) colour-keyed frame surfaces; releases what the record held
// before. 0 when refused or when DirectDraw refuses a surface (the ones made stay).
int32_t SpriteCreate(Sprite* sprite, int32_t x, int32_t y, int32_t width, int32_t height, int32_t frameCount,
                     int32_t attributes, int32_t memoryFlags, int32_t colourKey, int32_t bitsPerPixel);
// Copies `source` into `destination`, which shares its frames and animations (SPRITE_CLONE).
int32_t SpriteClone(Sprite* source, Sprite* destination);
// Empties the frame and animation slots, releasing what the record holds; 1.
int32_t SpriteDestroy(Sprite* sprite);
// Copies one cell (mode 0) or pixel rectangle of an 8-bit bitmap into a frame; 0 when refused.
int32_t SpriteLoadFrame(Sprite* sprite, const BitmapFile* bitmap, int32_t frame, int32_t cellX, int32_t cellY,
                        int32_t mode);
// The same for a 16-bit bitmap.
int32_t SpriteLoadFrame16(Sprite* sprite, const BitmapFile* bitmap, int32_t frame, int32_t cellX, int32_t cellY,
                          int32_t mode);
// Stores a list of `count` frame numbers as animation `animation`; 0 when refused.
int32_t SpriteLoadAnimation(Sprite* sprite, int32_t animation, int32_t count, const int32_t* list);
// Selects an animation and restarts its list (the frame shown stays until the next step).
int32_t SpriteSetAnimation(Sprite* sprite, int32_t animation);
// Sets how many SpriteAnimate calls make one step.
int32_t SpriteSetAnimationSpeed(Sprite* sprite, int32_t speed);
// Advances the animation by one call.
int32_t SpriteAnimate(Sprite* sprite);
// Moves by the velocity, wrapping or bouncing at the clip rectangle.
int32_t SpriteMove(Sprite* sprite);
int32_t SpriteSetPosition(Sprite* sprite, int32_t x, int32_t y);
int32_t SpriteSetVelocity(Sprite* sprite, int32_t xVelocity, int32_t yVelocity);
int32_t SpriteHide(Sprite* sprite);
int32_t SpriteShow(Sprite* sprite);
// Draws the current frame with its colour key; 1 when hidden; 0 for no frame or a failed blit.
int32_t SpriteDraw(Sprite* sprite, IDirectDrawSurface7* surface);
// Draws the current frame stretched to the given size.
int32_t SpriteDrawScaled(Sprite* sprite, int32_t drawnWidth, int32_t drawnHeight, IDirectDrawSurface7* surface);
int32_t SpriteDraw16(Sprite* sprite, IDirectDrawSurface7* surface);
int32_t SpriteDrawScaled16(Sprite* sprite, int32_t drawnWidth, int32_t drawnHeight, IDirectDrawSurface7* surface);
// 1 when the two sprites' reduced boxes overlap, else 0.
int32_t SpritesCollide(const Sprite* first, const Sprite* second);
// Does nothing; returns 1.
int32_t SpriteSystemInit();
// True while the sprite holds at least one frame surface (false once destroyed).
bool SpriteHoldsFrames(const Sprite& sprite);
// A float position truncated toward zero, kept within the range of an int.
int32_t SpriteTruncate(float value);
