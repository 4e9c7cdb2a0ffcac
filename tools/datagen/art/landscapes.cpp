#include "art/landscapes.h"

#include <stdexcept>

#include "art/landscape_scenes.h"
#include "art/quantise.h"
#include "core/random.h"

namespace datagen {
namespace {

Scene PaintScene(int index, const GroundLine& ground) {
    switch (index) {
        case 0: return PaintOliveGrove(ground);
        case 1: return PaintSunRoad(ground);
        case 2: return PaintStoneShore(ground);
        case 3: return PaintUnderworld(ground);
        case 4: return PaintWarField(ground);
    }
    throw std::out_of_range("no such landscape");
}

// Lays the path: its top rows solid ground colour (what the fighters stand on), then a
// band of ground colour broken by pebbles and ruts, then a shadowed lower edge.
void LayPath(IndexedImage& picture, const GroundLine& ground, const PathStyle& style) {
    constexpr int kSolidRows = 3;
    for (int x = 0; x < picture.width; ++x) {
        const int top = ground[x];
        const int depth = style.depth + static_cast<int>(ValueNoise1(x / 7.0, style.seed) * 4.0);
        for (int y = top; y < top + depth && y < picture.height; ++y) {
            const bool solid = y < top + kSolidRows;
            const double grit = Fractal2(x / 3.0, y / 1.5, 2, style.seed + 1);
            std::uint8_t c = kGround;
            if (!solid && grit > 0.64) c = Shade(style.stones, 0.25 + (grit - 0.64) * 1.6);
            if (!solid && grit < 0.22) c = Shade(style.stones, 0.55);
            picture.Set(x, y, c);
        }
        if (top + depth < picture.height) picture.Set(x, top + depth, style.edge);
    }
}

}  // namespace

IndexedImage PaintLandscape(int index) {
    const GroundLine ground = GroundLineOf(index);
    Scene scene = PaintScene(index, ground);
    IndexedImage picture = Quantise(scene.canvas, scene.ramps, 14.0);
    LayPath(picture, ground, scene.path);
    return picture;
}

}  // namespace datagen
