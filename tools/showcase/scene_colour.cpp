// The palette and text scenes, the showcase palette and the table of every scene.
#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"
#include "engine/gfx/prims/lines.h"
#include "engine/gfx/prims/transitions.h"
#include "engine/gfx/text.h"
#include "scenes.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

PALETTEENTRY Entry(int red, int green, int blue) {
    return PALETTEENTRY{static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue), 0};
}

// A fully saturated hue, 0..63 once round the colour circle.
PALETTEENTRY Hue(int step) {
    const double h = step * 6.0 / 64;
    const int sector = static_cast<int>(h);
    const int rise = static_cast<int>((h - sector) * 255);
    const int fall = 255 - rise;
    switch (sector) {
        case 0: return Entry(255, rise, 0);
        case 1: return Entry(fall, 255, 0);
        case 2: return Entry(0, 255, rise);
        case 3: return Entry(0, fall, 255);
        case 4: return Entry(rise, 0, 255);
        default: return Entry(255, 0, fall);
    }
}

// --- palette rotation and blinking ---

constexpr int kLamps = 3;
int blinkIds[kLamps] = {-1, -1, -1};

void BeginPalette() {
    ShowcasePaletteSet();
    const int onTimes[kLamps] = {4, 10, 2};
    const int offTimes[kLamps] = {4, 20, 12};
    const PALETTEENTRY onColours[kLamps] = {Entry(255, 40, 40), Entry(255, 230, 60), Entry(80, 255, 120)};
    for (int i = 0; i < kLamps; ++i) {
        const BlinkEntry lamp{COLOUR_LAMP + i, onColours[i], Entry(40, 40, 48), onTimes[i], offTimes[i], 0, 0};
        blinkIds[i] = PaletteBlink(BLINK_ADD, &lamp, 0);
    }
}

// Rings of the 64 rainbow entries; the picture never changes, the palette moves under it.
void DrawPalette(int, uint8_t* memory, int32_t pitch) {
    for (int y = 24; y < 380; ++y) {
        uint8_t* row = memory + static_cast<ptrdiff_t>(y) * pitch;
        for (int x = 0; x < 640; ++x) {
            const int distance = static_cast<int>(std::hypot(x - 320, (y - 200) * 1.2));
            row[x] = static_cast<uint8_t>(COLOUR_RAINBOW + (distance / 3) % 64);
        }
    }
    for (int i = 0; i < kLamps; ++i) {
        const int cx = 160 + i * 160;
        for (int dy = -30; dy <= 30; ++dy) {
            const int half = static_cast<int>(std::sqrt(900.0 - dy * dy));
            FillRow8(cx - half, cx + half, 420 + dy, COLOUR_LAMP + i, memory, pitch);
        }
    }
    PaletteRotate(COLOUR_RAINBOW, COLOUR_RAINBOW_LAST);
    PaletteBlink(BLINK_STEP, nullptr, 0);
}

void LabelPalette(int) {
    const char* labels[kLamps] = {"on 4, off 4", "on 10, off 20", "on 2, off 12"};
    for (int i = 0; i < kLamps; ++i) {
        SurfaceDrawText(labels[i], 160 + i * 160 - 44, 454, RGB(230, 230, 230), Display.backSurface);
    }
}

void EndPalette() {
    for (int& id : blinkIds) {
        PaletteBlink(BLINK_REMOVE, nullptr, id);
        id = -1;
    }
    ShowcasePaletteSet();
}

// --- text ---

void DrawTextBackground(int, uint8_t* memory, int32_t pitch) {
    for (int y = 24; y < 480; ++y) {
        FillRow8(0, 639, y, COLOUR_GREY_RAMP + 1 + (y / 40) % 3, memory, pitch);
    }
}

void DrawTextLines(int frame) {
    struct Line {
        const char* text;
        COLORREF colour;
    };
    const Line lines[] = {
        {"Red, through a COLORREF", RGB(255, 0, 0)},      {"Green, through a COLORREF", RGB(0, 255, 0)},
        {"Blue, through a COLORREF", RGB(0, 0, 255)},     {"Yellow, through a COLORREF", RGB(255, 255, 0)},
        {"Orange, through a COLORREF", RGB(255, 160, 0)}, {"White, through a COLORREF", RGB(255, 255, 255)},
    };
    int y = 48;
    for (const Line& line : lines) {
        SurfaceDrawText(line.text, 32, y, line.colour, Display.backSurface);
        y += 28;
    }
    char text[64];
    for (int i = 0; i < 6; ++i) {
        const int entry = COLOUR_RAINBOW + i * 10;
        std::snprintf(text, sizeof text, "Palette entry %d", entry);
        SurfaceDrawTextIndexed(text, 360, 48 + i * 28, entry, Display.backSurface);
    }
    const int x = 640 - (frame * 6) % 1100;
    SurfaceDrawTextIndexed("Text is drawn over a transparent background, in any colour.", x, 400,
                           COLOUR_RAINBOW + (frame / 2) % 64, Display.backSurface);
}

void Nothing() {}

const char* const kTransitionNames[9] = {"FadeBlack", "FadeWhite", "CloseColumns", "CloseRows", "Speckle",
                                         "CloseBoth", "TintBlue",  "TintRed",      "TintGreen"};

Scene TransitionScene(int effect) {
    static std::string captions[9];
    static std::string slugs[9];
    captions[effect] = "Transition " + std::to_string(effect) + ": " + kTransitionNames[effect];
    slugs[effect] = std::string("transition-") + kTransitionNames[effect];
    return {captions[effect].c_str(), slugs[effect].c_str(), effect, nullptr, nullptr, nullptr, nullptr};
}

}  // namespace

void ShowcasePaletteSet() {
    PALETTEENTRY entries[256] = {};
    const PALETTEENTRY named[] = {Entry(0, 0, 0),      Entry(255, 255, 255), Entry(230, 40, 40),  Entry(40, 200, 60),
                                  Entry(50, 90, 240),  Entry(250, 230, 50),  Entry(60, 220, 230), Entry(220, 60, 220),
                                  Entry(250, 150, 30), Entry(140, 140, 140), Entry(60, 60, 70)};
    for (size_t i = 0; i < sizeof named / sizeof named[0]; ++i) entries[i] = named[i];
    for (int i = 0; i < 16; ++i) entries[COLOUR_GREY_RAMP + i] = Entry(i * 17, i * 17, i * 17);
    for (int i = 0; i < 64; ++i) entries[COLOUR_RAINBOW + i] = Hue(i);
    for (int i = 0; i < 32; ++i) {
        entries[COLOUR_SKY + i] = Entry(150 - i * 4, 200 - i * 4, 255 - i * 3);
        entries[COLOUR_LEAF + i] = Entry(20 + i * 2, 90 + i * 5, 30 + i);
        entries[COLOUR_EMBER + i] = Entry(180 + i * 2, 30 + i * 7, 20);
    }
    for (int i = 0; i < 3; ++i) entries[COLOUR_LAMP + i] = Entry(40, 40, 48);
    PaletteSetAll(entries);
}

Scene PaletteScene() {
    return {"Palette: entries 32-95 rotate every frame, three entries blink",
            "palette",
            -1,
            BeginPalette,
            DrawPalette,
            LabelPalette,
            EndPalette};
}

Scene TextScene() {
    return {
        "Text output in several colours", "text", -1, ShowcasePaletteSet, DrawTextBackground, DrawTextLines, Nothing};
}

const std::vector<Scene>& ShowcaseScenes() {
    static const std::vector<Scene> scenes = [] {
        std::vector<Scene> all{LinesScene(), TrianglesScene(), PolygonsScene(), PaletteScene(), TextScene()};
        for (int effect = FadeBlack; effect <= TintGreen; ++effect) {
            all.push_back(TransitionScene(effect));
        }
        all.push_back(SixteenBitScene());
        return all;
    }();
    return scenes;
}
