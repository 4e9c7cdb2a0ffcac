// Paints small shaded figures straight into palette indices, pixel-art style: every shape is
// lit as a rounded solid, then the figure gets a dark outline against the background and
// darker seams where a nearer part overlaps a farther one.
#pragma once

#include <cstdint>
#include <vector>

#include "art/canvas.h"
#include "art/palette.h"

namespace datagen {

// A surface finish: the stretch of a ramp it is shaded over, and how glossy it is.
struct Material {
    Ramp ramp;
    double dark = 0.1;   // ramp position in full shadow
    double light = 0.9;  // ramp position in full light
    double shine = 0.0;  // strength of the specular highlight
};

class SpritePainter {
public:
    // lightFromLeft chooses where the key light stands; figures drawn to be mirrored pass
    // false so that they end up lit from the same side as the others.
    SpritePainter(int width, int height, bool lightFromLeft);

    // A limb segment: a tapering capsule from a (radius ra) to b (radius rb).
    void Capsule(Point a, Point b, double ra, double rb, const Material& m, int group);
    void Ellipse(Point centre, double rx, double ry, const Material& m, int group);
    // A flat-ish shape with rounded edges: `bevel` pixels of roll-off towards its border.
    void Polygon(const std::vector<Point>& shape, const Material& m, int group, double bevel);
    // A blade from hilt to tip, `width` pixels across: a bright edge, a mid face and a dark
    // back edge, no outline. A positive curve bends it towards its back edge.
    void Blade(Point hilt, Point tip, double width, double curve, const Material& m, int group);
    // A single detail pixel (eyes, studs) that keeps its colour.
    void Dot(int x, int y, std::uint8_t index, int group);

    // Applies outline and seams and returns the picture; 0 is transparent.
    IndexedImage Finish(std::uint8_t outline) const;

private:
    struct Pixel {
        std::uint8_t index = 0;
        std::int16_t group = -1;  // -1: empty
        std::int16_t order = 0;   // which primitive painted it
        std::int16_t material = -1;
        bool outlined = true;
    };

    void Paint(int x, int y, double nx, double ny, const Material& m, int group, bool outlined);
    int MaterialId(const Material& m);
    std::uint8_t ShadeFor(double nx, double ny, const Material& m) const;

    int width_, height_;
    double lightX_;
    int order_ = 0;
    std::vector<Pixel> pixels_;
    std::vector<Material> materials_;
};

}  // namespace datagen
