#include "engine/gfx/sprite.h"

#include "engine/gfx/display.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

bool ValidAnimation(int32_t animation) { return animation >= 0 && animation < SPRITE_MAX_ANIMATIONS; }

void ReleaseSlots(Sprite* sprite) {
    for (IDirectDrawSurface7*& frame : sprite->frames) {
        if (frame) frame->Release();
        frame = nullptr;
    }
    for (SpriteAnimationList& list : sprite->animations) {
        list.reset();
    }
}

// The list entry at `index`, or the end mark past the list's end.
int32_t ListEntry(const std::vector<int32_t>& list, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)] : -1;
}

int32_t LoadFrameRows(Sprite* sprite, const BitmapFile* bitmap, int32_t frame, int32_t cellX, int32_t cellY,
                      int32_t mode, int32_t bytesPerPixel) {
    if (!sprite || !bitmap || !bitmap->hasPixels() || frame < 0 || frame >= sprite->frameCount ||
        frame >= SPRITE_MAX_FRAMES || !sprite->frames[static_cast<size_t>(frame)]) {
        return 0;
    }
    const int64_t left = mode == 0 ? int64_t{cellX} * (sprite->width + 1) + 1 : cellX;
    const int64_t top = mode == 0 ? int64_t{cellY} * (sprite->height + 1) + 1 : cellY;
    const int64_t stride = int64_t{bitmap->infoHeader.biWidth} * bytesPerPixel;
    if (stride <= 0) {
        return 0;
    }
    const int64_t rows = static_cast<int64_t>(bitmap->pixels.size()) / stride;
    // A rectangle that leaves the picture is refused rather than read past its pixels.
    if (left < 0 || top < 0 || left + sprite->width > bitmap->infoHeader.biWidth || top + sprite->height > rows) {
        return 0;
    }
    IDirectDrawSurface7* surface = sprite->frames[static_cast<size_t>(frame)];
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
        return 0;
    }
    // The rows must fit the surface as it really is: 16-bit rows do not fit an 8-bit frame.
    const int64_t rowBytes = int64_t{sprite->width} * bytesPerPixel;
    const int64_t surfaceRowBytes = int64_t{desc.dwWidth} * ((desc.ddpfPixelFormat.dwRGBBitCount + 7) / 8);
    const int64_t pitch = desc.lPitch & ~int64_t{bytesPerPixel - 1};
    if (rowBytes > surfaceRowBytes || rowBytes > pitch || sprite->height > static_cast<int64_t>(desc.dwHeight)) {
        surface->Unlock(nullptr);
        return 0;
    }
    auto* dest = static_cast<uint8_t*>(desc.lpSurface);
    const uint8_t* source = bitmap->pixels.data() + top * stride + left * bytesPerPixel;
    for (int32_t r = 0; r < sprite->height; ++r) {
        std::memcpy(dest + r * pitch, source + r * stride, static_cast<size_t>(rowBytes));
    }
    surface->Unlock(nullptr);
    sprite->attributes |= SPRITE_LOADED;
    return 1;
}

int32_t DrawTo(Sprite* sprite, float right, float bottom, IDirectDrawSurface7* surface) try {
    if (!(sprite->attributes & SPRITE_VISIBLE)) {
        return 1;
    }
    if (sprite->currentFrame < 0 || sprite->currentFrame >= sprite->frameCount ||
        sprite->currentFrame >= SPRITE_MAX_FRAMES || !sprite->frames[static_cast<size_t>(sprite->currentFrame)] ||
        !surface) {
        return 0;
    }
    RECT dest{SpriteTruncate(sprite->x), SpriteTruncate(sprite->y), SpriteTruncate(right), SpriteTruncate(bottom)};
    RECT source{0, 0, sprite->width, sprite->height};
    const HRESULT result = surface->Blt(&dest, sprite->frames[static_cast<size_t>(sprite->currentFrame)], &source,
                                        DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
    return FAILED(result) ? 0 : 1;
} catch (...) {
    return 0;
}

}  // namespace

int32_t SpriteTruncate(float value) {
    constexpr float kLimit = 1073741824.0f;  // 2^30
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return static_cast<int32_t>(kLimit);
    if (value <= -kLimit) return -static_cast<int32_t>(kLimit);
    return static_cast<int32_t>(value);
}

int32_t SpriteSystemInit() { return 1; }

bool SpriteHoldsFrames(const Sprite& sprite) {
    for (const IDirectDrawSurface7* frame : sprite.frames) {
        if (frame) return true;
    }
    return false;
}

int32_t SpriteCreate(Sprite* sprite, int32_t x, int32_t y, int32_t width, int32_t height, int32_t frameCount,
                     int32_t attributes, int32_t memoryFlags, int32_t colourKey, int32_t bitsPerPixel) try {
    if (!sprite || frameCount < 0 || frameCount > SPRITE_MAX_FRAMES) {
        return 0;
    }
    // A record that is built again gives back what it held, so rebuilding never piles up.
    ReleaseSlots(sprite);
    sprite->state = 1;
    sprite->attributes = attributes;
    sprite->frameCount = frameCount;
    sprite->bitsPerPixel = bitsPerPixel;
    sprite->animationState = 0;
    std::memset(sprite->counters, 0, sizeof(sprite->counters));
    sprite->currentFrame = 0;
    sprite->currentAnimation = 0;
    sprite->animationCounter = 0;
    sprite->animationIndex = 0;
    sprite->animationSpeed = 0;
    sprite->x = static_cast<float>(x);
    sprite->y = static_cast<float>(y);
    sprite->xVelocity = 0;
    sprite->yVelocity = 0;
    sprite->width = width;
    sprite->height = height;
    for (int32_t i = 0; i < frameCount; ++i) {
        if (!Display.directDraw) {
            return 0;
        }
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        desc.dwWidth = static_cast<DWORD>(width + sprite->widthPadding);
        desc.dwHeight = static_cast<DWORD>(height);
        desc.ddsCaps.dwCaps = static_cast<DWORD>(memoryFlags) | DDSCAPS_OFFSCREENPLAIN;
        IDirectDrawSurface7* surface = nullptr;
        if (width + sprite->widthPadding <= 0 || height <= 0 ||
            FAILED(Display.directDraw->CreateSurface(&desc, &surface, nullptr))) {
            return 0;
        }
        DDCOLORKEY key{static_cast<DWORD>(colourKey) & 0xFFFF, static_cast<DWORD>(colourKey) & 0xFFFF};
        surface->SetColorKey(DDCKEY_SRCBLT, &key);
        sprite->frames[static_cast<size_t>(i)] = surface;
    }
    return 1;
} catch (...) {  // the frames made so far stay, as after a refusal
    return 0;
}

int32_t SpriteClone(Sprite* source, Sprite* destination) {
    if (!source || !destination || source == destination) {
        return 0;
    }
    ReleaseSlots(destination);
    *destination = *source;
    for (IDirectDrawSurface7* frame : destination->frames) {
        if (frame) frame->AddRef();  // the clone's own hold on the shared surface
    }
    destination->attributes |= SPRITE_CLONE;
    return 1;
}

int32_t SpriteDestroy(Sprite* sprite) {
    if (!sprite) {
        return 0;
    }
    // A clone drops only the references it took; the record it was copied from keeps its frames.
    ReleaseSlots(sprite);
    return 1;
}

int32_t SpriteLoadFrame(Sprite* sprite, const BitmapFile* bitmap, int32_t frame, int32_t cellX, int32_t cellY,
                        int32_t mode) {
    return LoadFrameRows(sprite, bitmap, frame, cellX, cellY, mode, 1);
}

int32_t SpriteLoadFrame16(Sprite* sprite, const BitmapFile* bitmap, int32_t frame, int32_t cellX, int32_t cellY,
                          int32_t mode) {
    return LoadFrameRows(sprite, bitmap, frame, cellX, cellY, mode, 2);
}

int32_t SpriteLoadAnimation(Sprite* sprite, int32_t animation, int32_t count, const int32_t* list) {
    if (!sprite || !ValidAnimation(animation) || count <= 0 || !list) {
        return 0;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (list[i] < 0 || list[i] >= sprite->frameCount) {
            return 0;
        }
    }
    auto& slot = sprite->animations[static_cast<size_t>(animation)];
    try {
        auto stored = std::make_shared<std::vector<int32_t>>(list, list + count);
        stored->push_back(-1);
        slot = std::move(stored);
    } catch (const std::bad_alloc&) {
        slot = nullptr;  // no memory for the list: the slot is left empty
        return 0;
    }
    return 1;
}

int32_t SpriteSetAnimation(Sprite* sprite, int32_t animation) {
    if (!sprite || !ValidAnimation(animation)) {
        return 0;
    }
    sprite->currentAnimation = animation;
    sprite->animationIndex = 0;
    return 1;
}

int32_t SpriteSetAnimationSpeed(Sprite* sprite, int32_t speed) {
    if (!sprite) {
        return 0;
    }
    sprite->animationSpeed = speed;
    return 1;
}

int32_t SpriteAnimate(Sprite* sprite) {
    if (!sprite) {
        return 0;
    }
    if (sprite->attributes & SPRITE_STILL) {
        sprite->currentFrame = 0;
        return 1;
    }
    if (sprite->attributes & SPRITE_CYCLE) {
        if (++sprite->animationCounter >= sprite->animationSpeed) {
            sprite->animationCounter = 0;
            if (++sprite->currentFrame >= sprite->frameCount) {
                sprite->currentFrame = 0;
            }
        }
        return 1;
    }
    if (!(sprite->attributes & SPRITE_ANIMATED) || !ValidAnimation(sprite->currentAnimation)) {
        return 1;
    }
    const SpriteAnimationList& held = sprite->animations[static_cast<size_t>(sprite->currentAnimation)];
    if (!held) {
        return 1;
    }
    const std::vector<int32_t>& list = *held;
    if (++sprite->animationCounter < sprite->animationSpeed) {
        return 1;
    }
    sprite->animationCounter = 0;
    ++sprite->animationIndex;
    sprite->currentFrame = ListEntry(list, sprite->animationIndex);
    if (sprite->currentFrame == -1) {
        if (sprite->attributes & SPRITE_PLAY_ONCE) {
            sprite->animationState = 1;
            --sprite->animationIndex;
            sprite->currentFrame = ListEntry(list, sprite->animationIndex);
        } else {
            sprite->animationIndex = 0;
            sprite->currentFrame = list[0];
        }
    }
    return 1;
}

int32_t SpriteMove(Sprite* sprite) {
    if (!sprite) {
        return 0;
    }
    sprite->x += sprite->xVelocity;
    sprite->y += sprite->yVelocity;
    const float minX = static_cast<float>(Display.clipMinX), maxX = static_cast<float>(Display.clipMaxX);
    const float minY = static_cast<float>(Display.clipMinY), maxY = static_cast<float>(Display.clipMaxY);
    const float width = static_cast<float>(sprite->width), height = static_cast<float>(sprite->height);
    if (sprite->attributes & SPRITE_WRAP) {
        if (sprite->x > maxX) {
            sprite->x = minX - width;
        } else if (sprite->x < minX - width) {
            sprite->x = maxX;
        }
        if (sprite->y > maxY) {
            sprite->y = minY - height;
        } else if (sprite->y < minY - height) {
            sprite->y = maxY;
        }
    } else if (sprite->attributes & SPRITE_BOUNCE) {
        if (sprite->x > maxX - width || sprite->x < minX) {
            sprite->xVelocity = -sprite->xVelocity;
        }
        if (sprite->y > maxY - height || sprite->y < minY) {
            sprite->yVelocity = -sprite->yVelocity;
        }
    }
    return 1;
}

int32_t SpriteSetPosition(Sprite* sprite, int32_t x, int32_t y) {
    if (!sprite) return 0;
    sprite->x = static_cast<float>(x);
    sprite->y = static_cast<float>(y);
    return 1;
}

int32_t SpriteSetVelocity(Sprite* sprite, int32_t xVelocity, int32_t yVelocity) {
    if (!sprite) return 0;
    sprite->xVelocity = static_cast<float>(xVelocity);
    sprite->yVelocity = static_cast<float>(yVelocity);
    return 1;
}

int32_t SpriteHide(Sprite* sprite) {
    if (!sprite) return 0;
    sprite->attributes &= ~SPRITE_VISIBLE;
    return 1;
}

int32_t SpriteShow(Sprite* sprite) {
    if (!sprite) return 0;
    sprite->attributes |= SPRITE_VISIBLE;
    return 1;
}

int32_t SpriteDraw(Sprite* sprite, IDirectDrawSurface7* surface) {
    if (!sprite) return 0;
    return DrawTo(sprite, static_cast<float>(sprite->width) + sprite->x, static_cast<float>(sprite->height) + sprite->y,
                  surface);
}

int32_t SpriteDrawScaled(Sprite* sprite, int32_t drawnWidth, int32_t drawnHeight, IDirectDrawSurface7* surface) {
    if (!sprite) return 0;
    return DrawTo(sprite, static_cast<float>(drawnWidth) + sprite->x, static_cast<float>(drawnHeight) + sprite->y,
                  surface);
}

int32_t SpriteDraw16(Sprite* sprite, IDirectDrawSurface7* surface) { return SpriteDraw(sprite, surface); }

int32_t SpriteDrawScaled16(Sprite* sprite, int32_t drawnWidth, int32_t drawnHeight, IDirectDrawSurface7* surface) {
    return SpriteDrawScaled(sprite, drawnWidth, drawnHeight, surface);
}

int32_t SpritesCollide(const Sprite* first, const Sprite* second) {
    if (!first || !second) {
        return 0;
    }
    const int32_t hw1 = (first->width >> 1) - (first->width >> 3);
    const int32_t hh1 = (first->height >> 1) - (first->height >> 3);
    const int32_t hw2 = (second->width >> 1) - (second->width >> 3);
    const int32_t hh2 = (second->height >> 1) - (second->height >> 3);
    const int64_t cx1 = SpriteTruncate(static_cast<float>(hw1) + first->x);
    const int64_t cy1 = SpriteTruncate(static_cast<float>(hh1) + first->y);
    const int64_t cx2 = SpriteTruncate(static_cast<float>(hw2) + second->x);
    const int64_t cy2 = SpriteTruncate(static_cast<float>(hh2) + second->y);
    const int64_t dx = cx2 > cx1 ? cx2 - cx1 : cx1 - cx2;
    const int64_t dy = cy2 > cy1 ? cy2 - cy1 : cy1 - cy2;
    return dx < hw1 + hw2 && dy < hh1 + hh2 ? 1 : 0;
}
