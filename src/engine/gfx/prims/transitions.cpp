#include "engine/gfx/prims/transitions.h"

#include "engine/core/frame_clock.h"
#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"
#include "engine/gfx/prims/lines.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t kStepMs = 12;

void PauseOneStep() {
    FrameClockStart();
    FrameClockWait(kStepMs);
}

uint8_t Lower(uint8_t value, int by) { return static_cast<uint8_t>(std::max(value - by, 0)); }
uint8_t Raise(uint8_t value, int by) { return static_cast<uint8_t>(std::min(value + by, 255)); }

// Runs `steps` palette steps: entries firstEntry..255 of a copy of the table are changed, the
// copy is set as the whole palette, and the step is held for its 12 ms.
template <typename Change>
void PaletteSteps(int steps, int firstEntry, Change change) {
    for (int step = 0; step < steps; ++step) {
        PALETTEENTRY entries[256];
        PaletteGetAll(entries);
        for (int i = firstEntry; i < 256; ++i) {
            change(entries[i]);
        }
        PaletteSetAll(entries);
        PauseOneStep();
    }
}

uint8_t FadeDown(uint8_t v) { return v > 4 ? static_cast<uint8_t>(v - 3) : 0; }

void PlayPaletteEffect(int32_t effect) {
    switch (effect) {
        case FadeBlack:
            PaletteSteps(80, 1, [](PALETTEENTRY& e) {
                e.peRed = FadeDown(e.peRed);
                e.peGreen = FadeDown(e.peGreen);
                e.peBlue = FadeDown(e.peBlue);
            });
            break;
        case FadeWhite:
            PaletteSteps(64, 0, [](PALETTEENTRY& e) {
                e.peRed = Raise(e.peRed, 4);
                e.peGreen = Raise(e.peGreen, 4);
                e.peBlue = Raise(e.peBlue, 4);
            });
            break;
        case TintBlue:
            PaletteSteps(64, 0, [](PALETTEENTRY& e) {
                e.peRed = Lower(e.peRed, 4);
                e.peGreen = Lower(e.peGreen, 4);
                e.peBlue = Raise(e.peBlue, 6);
            });
            break;
        case TintRed:
            PaletteSteps(64, 0, [](PALETTEENTRY& e) {
                e.peRed = Raise(e.peRed, 6);
                e.peGreen = Lower(e.peGreen, 4);
                e.peBlue = Lower(e.peBlue, 4);
            });
            break;
        case TintGreen:
            PaletteSteps(64, 0, [](PALETTEENTRY& e) {
                e.peRed = Lower(e.peRed, 4);
                e.peGreen = Raise(e.peGreen, 6);
                e.peBlue = Lower(e.peBlue, 4);
            });
            break;
        default: break;
    }
}

// Full-length rows and columns of colour 0 at the display's depth; a surface of another depth,
// or none, is left alone.
struct Closer {
    uint8_t* memory;
    int32_t pitch;
    int32_t width;
    int32_t height;
    int32_t depth;

    bool CanDraw() const { return memory != nullptr && (depth == 8 || depth == 16); }

    void Row(int32_t y) const {
        if (depth == 8) {
            FillRow8(0, width - 1, y, 0, memory, pitch);
        } else {
            FillRow16(0, width - 1, y, 0, memory, pitch);
        }
    }
    void Column(int32_t x) const {
        if (depth == 8) {
            FillColumn8(0, height - 1, x, 0, memory, pitch);
        } else {
            FillColumn16(0, height - 1, x, 0, memory, pitch);
        }
    }
    // Two lines in from each edge: the far one first, then the near one, one deeper each.
    void Rows(int32_t p) const {
        Row(height - 1 - p);
        Row(p);
        Row(height - 2 - p);
        Row(p + 1);
    }
    void Columns(int32_t p) const {
        Column(width - 1 - p);
        Column(p);
        Column(width - 2 - p);
        Column(p + 1);
    }
};

// `draw(p)` for p = 0, 2, 4, ... below `limit`, each after a 12 ms pause.
template <typename Draw>
void DrawingSteps(int32_t limit, const Closer& closer, Draw draw) {
    for (int32_t p = 0; p < limit; p += 2) {
        PauseOneStep();
        if (closer.CanDraw()) {
            draw(p);
        }
    }
}

void PlaySpeckle(const Closer& closer) {
    if (!closer.CanDraw() || closer.width <= 0 || closer.height <= 0) {
        return;
    }
    const int64_t pixels = 4 * int64_t{closer.width} * closer.height + 1;
    for (int64_t i = 0; i < pixels; ++i) {
        const int32_t y = std::rand() % closer.height;
        const int32_t x = std::rand() % closer.width;
        if (closer.depth == 8) {
            PutPixel8(x, y, 0, closer.memory, closer.pitch);
        } else {
            PutPixel16(x, y, 0, closer.memory, closer.pitch);
        }
    }
}

}  // namespace

void PlayTransition(int32_t effect, uint8_t* memory, int32_t pitch) {
    const Closer closer{memory, pitch, Display.screenWidth, Display.screenHeight, Display.screenBitsPerPixel};
    const int32_t halfWidth = closer.width / 2;
    const int32_t halfHeight = closer.height / 2;
    switch (effect) {
        case CloseColumns: DrawingSteps(halfWidth, closer, [&](int32_t p) { closer.Columns(p); }); break;
        case CloseRows: DrawingSteps(halfHeight, closer, [&](int32_t p) { closer.Rows(p); }); break;
        case Speckle: PlaySpeckle(closer); break;
        case CloseBoth:
            // The rows restart at the edges once p passes mid-height; a screen less than two rows
            // high has no rows to close (and no modulus to take).
            DrawingSteps(halfWidth, closer, [&](int32_t p) {
                if (halfHeight > 0) {
                    closer.Rows(p % halfHeight);
                }
                closer.Columns(p);
            });
            break;
        default: PlayPaletteEffect(effect); break;
    }
}
