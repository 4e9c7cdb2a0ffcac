// Writes the smoke tests' first menu picture: four quadrants of pure red, green, blue, yellow.
// With "mirrored" after the file name, the quadrants change sides (yellow, blue, green, red):
// a second screen that is told apart from the first at a glance.
#include "support/test_support.h"

#include <string>

int main(int argc, char** argv) {
    const bool mirrored = argc == 3 && std::string(argv[2]) == "mirrored";
    if (argc != 2 && !mirrored) {
        return 2;
    }
    BmpPalette palette(1024, 0);
    auto set = [&](int index, uint8_t r, uint8_t g, uint8_t b) {
        palette[4 * index] = b;
        palette[4 * index + 1] = g;
        palette[4 * index + 2] = r;
    };
    set(1, 255, 0, 0);
    set(2, 0, 255, 0);
    set(3, 0, 0, 255);
    set(4, 255, 255, 0);
    std::vector<uint8_t> pixels(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            pixels[static_cast<size_t>(y * 640 + x)] =
                static_cast<uint8_t>(1 + ((x >= 320) != mirrored) + 2 * ((y >= 240) != mirrored));
    WriteBitmap8(argv[1], 640, 480, pixels, palette);
    return 0;
}
