// The painters of the individual landscapes, shared between their source files.
#pragma once

#include <vector>

#include "art/canvas.h"
#include "art/ground.h"
#include "art/palette.h"

namespace datagen {

// How the trodden path on top of the ground looks below its solid top rows.
struct PathStyle {
    int depth;          // rows of path under the ground line
    Ramp stones;        // ramp of the pebbles and ruts in the path
    std::uint8_t edge;  // the shadowed lower edge of the path
    std::uint32_t seed;
};

struct Scene {
    Canvas canvas;
    std::vector<Ramp> ramps;  // the palette ramps the picture is quantised with
    PathStyle path;
};

Scene PaintOliveGrove(const GroundLine& ground);  // Eris: an olive grove at dawn
Scene PaintSunRoad(const GroundLine& ground);     // Apollo: the road down to the sun temple
Scene PaintStoneShore(const GroundLine& ground);  // Medousa: the isle of stone by a grey sea
Scene PaintUnderworld(const GroundLine& ground);  // Haides: the halls below
Scene PaintWarField(const GroundLine& ground);    // Aries: the burning field of war

}  // namespace datagen
