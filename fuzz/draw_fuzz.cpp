// The blits and the text with positions and sizes from the input: sprite draws, plain and
// scaled, into the game's clipped back surface and into a surface without a clipper; blits of
// any destination and source rectangles; colour fills of any rectangle; text anywhere. Every
// position and size a caller can pass must keep the pixels inside the surfaces (the sanitizers
// watch every access).
#include "fuzz_support.h"

#include "engine/gfx/display.h"
#include "engine/gfx/sprite.h"
#include "engine/gfx/text.h"

#include <cstring>

namespace {

// One step of the input: what to do and its four numbers.
struct Step {
    uint8_t operation;
    int32_t a, b, c, d;
};

bool NextStep(const uint8_t*& data, size_t& size, Step& step) {
    if (size < 17) return false;
    step.operation = data[0];
    std::memcpy(&step.a, data + 1, 4);
    std::memcpy(&step.b, data + 5, 4);
    std::memcpy(&step.c, data + 9, 4);
    std::memcpy(&step.d, data + 13, 4);
    data += 17;
    size -= 17;
    return true;
}

void Run(const Step& step, Sprite& sprite, IDirectDrawSurface7* bare) {
    IDirectDrawSurface7* target = step.operation & 0x80 ? bare : Display.backSurface;
    RECT dest{step.a, step.b, step.c, step.d};
    switch (step.operation & 7) {
        case 0:
            SpriteSetPosition(&sprite, step.a, step.b);
            SpriteDraw(&sprite, target);
            break;
        case 1:
            SpriteSetPosition(&sprite, step.a, step.b);
            SpriteDrawScaled(&sprite, step.c, step.d, target);
            break;
        case 2: {
            sprite.x = static_cast<float>(step.a) * 4096.0f;  // beyond an int's range too
            sprite.y = static_cast<float>(step.b) / 65536.0f;
            SpriteDrawScaled(&sprite, step.c, step.d, target);
            break;
        }
        case 3: {
            // A frame's own rectangle from the low bits, the destination as given.
            RECT source{step.c & 127, step.d & 127, (step.c >> 8) & 127, (step.d >> 8) & 127};
            target->Blt(&dest, sprite.frames[0], &source, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
            target->Blt(&dest, target, nullptr, DDBLT_WAIT, nullptr);
            break;
        }
        case 4: DisplayFillRect(step.a, step.b, step.c, step.d, step.a ^ step.c, target); break;
        case 5: SurfaceDrawText("Gaia's Blade", step.a, step.b, static_cast<COLORREF>(step.c), target); break;
        case 6: SurfaceDrawTextIndexed("W", step.a, step.b, step.c, target); break;
        default: DisplayFill(target, step.c, &dest); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzHeadlessMachine();
    static const bool displayed = DisplayInit(640, 480, 8, 0) == 1;
    FUZZ_CHECK(displayed);
    static IDirectDrawSurface7* const bare = DisplayCreateSurface(100, 50, DDSCAPS_SYSTEMMEMORY, 0);
    FUZZ_CHECK(bare != nullptr);
    static Sprite sprite;
    static const bool made = [] {
        if (!SpriteCreate(&sprite, 0, 0, 72, 74, 1, SPRITE_VISIBLE, DDSCAPS_SYSTEMMEMORY, 0, 8)) return false;
        BitmapFile sheet;
        sheet.infoHeader.biWidth = 74;
        sheet.infoHeader.biHeight = 76;
        sheet.infoHeader.biBitCount = 8;
        sheet.pixels.resize(74 * 76);
        for (size_t i = 0; i < sheet.pixels.size(); ++i) sheet.pixels[i] = static_cast<uint8_t>(i % 7);
        return SpriteLoadFrame(&sprite, &sheet, 0, 0, 0, 0) == 1;
    }();
    FUZZ_CHECK(made);
    Step step;
    while (NextStep(data, size, step)) Run(step, sprite, bare);
    // Whatever was drawn, the surfaces are neither locked nor held by a device context.
    FUZZ_CHECK(DisplayLockBack() != nullptr);
    FUZZ_CHECK(DisplayUnlockBack() == 1);
    return 0;
}
