// The showcase's scenes: one per family of engine primitives, each a caption, the display mode
// it plays in and the routines that set it up, draw one of its frames and tidy up after it.
#pragma once

#include <cstdint>
#include <vector>

// Colours of the showcase palette (ShowcasePaletteSet).
enum ShowcaseColour : int32_t {
    COLOUR_BLACK = 0,
    COLOUR_WHITE = 1,
    COLOUR_RED = 2,
    COLOUR_GREEN = 3,
    COLOUR_BLUE = 4,
    COLOUR_YELLOW = 5,
    COLOUR_CYAN = 6,
    COLOUR_MAGENTA = 7,
    COLOUR_ORANGE = 8,
    COLOUR_GREY = 9,
    COLOUR_DARK_GREY = 10,
    COLOUR_GREY_RAMP = 16,  // 16 greys, dark to light
    COLOUR_RAINBOW = 32,    // 64 hues around the colour circle, the range that rotates
    COLOUR_RAINBOW_LAST = 95,
    COLOUR_SKY = 96,     // 32 blues, light to deep
    COLOUR_LEAF = 128,   // 32 greens
    COLOUR_EMBER = 160,  // 32 reds to yellows
    COLOUR_LAMP = 250,   // three entries that blink
};

struct Scene {
    const char* caption;
    const char* slug;  // for frame file names
    int transition;    // the transition effect it plays, or -1 for a drawn scene
    void (*begin)();
    // Draws frame `frame` into the locked back surface.
    void (*draw)(int frame, uint8_t* memory, int32_t pitch);
    // Adds text to the unlocked back surface, after the caption; may be null.
    void (*annotate)(int frame);
    void (*end)();
    int32_t bitsPerPixel = 8;  // the display mode it plays in
};

// Every scene, in playing order.
const std::vector<Scene>& ShowcaseScenes();

// Sets the showcase palette on the display: the named colours, ramps and the rainbow.
void ShowcasePaletteSet();

// The drawn scenes, by family.
Scene LinesScene();
Scene TrianglesScene();
Scene PolygonsScene();
Scene PaletteScene();
Scene TextScene();
// The 16-bit twins, in a 16-bit display mode.
Scene SixteenBitScene();

// Narrows Display's clip rectangle for the life of the object, then puts the old one back.
class ScopedClip {
public:
    ScopedClip(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY);
    ~ScopedClip();
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    int32_t saved_[4];
};
