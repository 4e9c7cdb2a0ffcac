// Text drawn with a real font (DejaVu through SDL2_ttf) onto a canvas.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "art/canvas.h"

struct _TTF_Font;

namespace datagen {

enum class Face { Serif, SerifBold, Sans, SansBold };

struct TextStyle {
    Face face = Face::SansBold;
    int size = 20;                 // pixels
    Colour top{255, 255, 255};     // fill, graded from the top of the letters...
    Colour bottom{255, 255, 255};  // ...to their bottom
    Colour outline{0, 0, 0};
    int outlineWidth = 0;  // pixels of outline around the letters
    int shadow = 0;        // drop shadow offset, down and right
};

// Coverage of a rendered line of text: 0..1 per pixel.
struct TextMask {
    int width = 0, height = 0;
    std::vector<double> coverage;
    double At(int x, int y) const;
};

// Opens the fonts once; fails with an exception naming the missing font file.
class TextRenderer {
public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    TextMask Render(const std::string& utf8, Face face, int size);
    // Draws the text centred on column cx with its top on row y; returns the text's width.
    int DrawCentred(Canvas& canvas, const std::string& utf8, double cx, int y, const TextStyle& style);
    // Draws the text with its left edge on column x; returns the text's width.
    int Draw(Canvas& canvas, const std::string& utf8, int x, int y, const TextStyle& style);
    int Width(const std::string& utf8, Face face, int size);

private:
    _TTF_Font* Font(Face face, int size);

    struct FontCloser {
        void operator()(_TTF_Font* font) const;
    };
    std::map<std::pair<int, int>, std::unique_ptr<_TTF_Font, FontCloser>> fonts_;
};

}  // namespace datagen
