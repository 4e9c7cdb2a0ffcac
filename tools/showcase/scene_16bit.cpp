// The 16-bit scene: the engine's 16-bit twins on a display in a 16-bit mode. Colours are words
// packed by the display's builder (5.6.5 or 5.5.5, as the desktop has it), the shapes are drawn
// by the *16 primitives, and a sprite with 16-bit frame surfaces is drawn plain and scaled.
#include "engine/gfx/display.h"
#include "engine/gfx/prims/lines.h"
#include "engine/gfx/prims/polygons.h"
#include "engine/gfx/prims/triangles.h"
#include "engine/gfx/sprite.h"
#include "engine/gfx/text.h"
#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kTurn = 6.283185307179586;
constexpr int kEmblemSize = 48;
constexpr int kEmblemFrames = 8;

Sprite emblem;

int32_t Pack(int red, int green, int blue) { return Display.packRgb16 ? Display.packRgb16(red, green, blue) : 0; }

// Frame `frame` of the emblem: a disc of rings in turning colours on the transparent word 0,
// with a spoke that turns from frame to frame.
void PaintEmblemFrame(int frame, uint8_t* memory, int32_t pitch) {
    const int centre = kEmblemSize / 2;
    for (int y = 0; y < kEmblemSize; ++y) {
        const int dy = y - centre;
        const int half = static_cast<int>(std::sqrt(std::max(0, centre * centre - dy * dy)));
        for (int x = centre - half; x < centre + half; ++x) {
            const int ring = static_cast<int>(std::hypot(x - centre, dy)) / 6;
            PutPixel16(x, y, Pack(80 + 40 * ring, 255 - 30 * ring, 60 + 25 * ((ring + frame) % 8)), memory, pitch);
        }
    }
    const double a = frame * kTurn / kEmblemFrames;
    RasterLine16(centre, centre, centre + static_cast<int>((centre - 3) * std::cos(a)),
                 centre + static_cast<int>((centre - 3) * std::sin(a)), Pack(255, 255, 255), memory, pitch);
}

// The emblem's frame surfaces are 16-bit, as the display is: each is locked and painted.
void BeginSixteen() {
    if (!SpriteCreate(&emblem, 0, 0, kEmblemSize, kEmblemSize, kEmblemFrames, SPRITE_ANIMATED | SPRITE_VISIBLE,
                      DDSCAPS_SYSTEMMEMORY, 0, 16)) {
        return;
    }
    for (int frame = 0; frame < kEmblemFrames; ++frame) {
        int32_t pitch = 0;
        if (uint8_t* memory = DisplayLockSurface(emblem.frames[frame], &pitch)) {
            PaintEmblemFrame(frame, memory, pitch);
            DisplayUnlockSurface(emblem.frames[frame]);
        }
    }
}

// A sky of 64 bands from deep blue to dusk, more shades than a palette holds beside the rest.
void DrawSky(uint8_t* memory, int32_t pitch) {
    for (int y = 24; y < 480; ++y) {
        const int band = (y - 24) * 64 / 456;
        FillRow16(0, 639, y, Pack(20 + band * 3, 30 + band * 2, 120 + band), memory, pitch);
    }
}

void DrawSixteen(int frame, uint8_t* memory, int32_t pitch) {
    DrawSky(memory, pitch);
    const double t = frame;
    // Three triangles in red, green and blue, turning about the left half; the largest first.
    for (int k = 2; k >= 0; --k) {
        const double a = t * 0.03 + k * kTurn / 3;
        int x[3], y[3];
        for (int i = 0; i < 3; ++i) {
            x[i] = static_cast<int>(170 + (60 + 25 * k) * std::cos(a + i * kTurn / 3));
            y[i] = static_cast<int>(250 + (60 + 25 * k) * std::sin(a + i * kTurn / 3));
        }
        const int level = 140 + 50 * k;
        DrawTriangle16(x[0], y[0], x[1], y[1], x[2], y[2],
                       Pack(k == 0 ? level : 40, k == 1 ? level : 40, k == 2 ? level : 40), memory, pitch);
    }
    // A turning hexagon, filled and outlined.
    Point2D corners[6];
    for (int i = 0; i < 6; ++i) {
        corners[i] = {static_cast<float>(70 * std::cos(i * kTurn / 6)),
                      static_cast<float>(70 * std::sin(i * kTurn / 6))};
    }
    Polygon2D hexagon{1, 6, 470, 170, Pack(250, 170, 40), corners};
    RotatePolygon(&hexagon, frame * 3);
    FillPolygon16(&hexagon, memory, pitch);
    hexagon.colour = Pack(255, 255, 255);
    DrawPolygon16(&hexagon, memory, pitch);
    // A fan of clipped lines in a grey ramp, and a column of marks.
    for (int k = 0; k < 24; ++k) {
        const double a = k * kTurn / 24 + t * 0.02;
        DrawClippedLine16(470, 380, 470 + static_cast<int>(400 * std::cos(a)),
                          380 + static_cast<int>(400 * std::sin(a)), Pack(k * 10, k * 10, k * 10), memory, pitch);
    }
    FillColumn16(300, 470, 320 + static_cast<int>(40 * std::sin(t * 0.05)), Pack(255, 255, 0), memory, pitch);
}

// The emblem over the shapes (the back surface is unlocked now), plain and scaled up.
void LabelSixteen(int frame) {
    emblem.currentFrame = frame % kEmblemFrames;
    SpriteSetPosition(&emblem, 40 + (frame * 7) % 520, 410);
    SpriteDraw16(&emblem, Display.backSurface);
    SpriteSetPosition(&emblem, 300, 40);
    SpriteDrawScaled16(&emblem, 3 * kEmblemSize, 3 * kEmblemSize, Display.backSurface);
    char format[64];
    std::snprintf(format, sizeof format, "colour words %s", Display.pixelFormat == 15 ? "5.5.5" : "5.6.5");
    SurfaceDrawText(format, 8, 30, RGB(255, 255, 255), Display.backSurface);
}

void EndSixteen() { SpriteDestroy(&emblem); }

}  // namespace

Scene SixteenBitScene() {
    return {"16-bit display: packed colour words, the 16-bit shapes and sprite",
            "sixteen",
            -1,
            BeginSixteen,
            DrawSixteen,
            LabelSixteen,
            EndSixteen,
            16};
}
