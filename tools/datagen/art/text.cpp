#include "art/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace datagen {
namespace {

// Debian's fonts-dejavu-core puts the fonts here; other systems use the second folder.
constexpr std::array<const char*, 3> kFontFolders = {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/",
                                                     "/usr/share/fonts/TTF/"};

const char* FileOf(Face face) {
    switch (face) {
        case Face::Serif: return "DejaVuSerif.ttf";
        case Face::SerifBold: return "DejaVuSerif-Bold.ttf";
        case Face::Sans: return "DejaVuSans.ttf";
        case Face::SansBold: return "DejaVuSans-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

std::string FindFont(Face face) {
    for (const char* folder : kFontFolders) {
        const std::string path = std::string(folder) + FileOf(face);
        if (std::filesystem::exists(path)) return path;
    }
    throw std::runtime_error(std::string("font ") + FileOf(face) + " not found (install fonts-dejavu-core)");
}

// The widest coverage within `radius` pixels: the letters grown by an outline.
TextMask Dilate(const TextMask& mask, int radius) {
    TextMask out{mask.width + 2 * radius, mask.height + 2 * radius, {}};
    out.coverage.assign(static_cast<std::size_t>(out.width) * out.height, 0.0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            double best = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (dx * dx + dy * dy <= radius * radius + radius)
                        best = std::max(best, mask.At(x - radius + dx, y - radius + dy));
            out.coverage[static_cast<std::size_t>(y) * out.width + x] = best;
        }
    return out;
}

void Stamp(Canvas& canvas, const TextMask& mask, int x0, int y0, const std::function<Colour(int)>& colourAtRow) {
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const double a = mask.At(x, y);
            if (a <= 0.02 || !canvas.Contains(x0 + x, y0 + y)) continue;
            canvas.Blend(x0 + x, y0 + y, colourAtRow(y), a);
            canvas.MarkCrisp(x0 + x, y0 + y);
        }
}

}  // namespace

double TextMask::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0;
    return coverage[static_cast<std::size_t>(y) * width + x];
}

void TextRenderer::FontCloser::operator()(_TTF_Font* font) const { TTF_CloseFont(font); }

TextRenderer::TextRenderer() {
    if (TTF_Init() != 0) throw std::runtime_error(std::string("cannot start the font renderer: ") + TTF_GetError());
}

TextRenderer::~TextRenderer() {
    fonts_.clear();
    TTF_Quit();
}

_TTF_Font* TextRenderer::Font(Face face, int size) {
    const auto key = std::make_pair(static_cast<int>(face), size);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second.get();
    const std::string path = FindFont(face);
    _TTF_Font* font = TTF_OpenFont(path.c_str(), size);
    if (!font) throw std::runtime_error("cannot open font " + path + ": " + TTF_GetError());
    TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
    fonts_.emplace(key, std::unique_ptr<_TTF_Font, FontCloser>(font));
    return font;
}

TextMask TextRenderer::Render(const std::string& utf8, Face face, int size) {
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(Font(face, size), utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) throw std::runtime_error(std::string("cannot render text: ") + TTF_GetError());
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface(rendered, SDL_FreeSurface);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface.get(), SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb) throw std::runtime_error("cannot convert rendered text");
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> pixels(argb, SDL_FreeSurface);
    TextMask mask{argb->w, argb->h, std::vector<double>(static_cast<std::size_t>(argb->w) * argb->h)};
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            mask.coverage[static_cast<std::size_t>(y) * argb->w + x] = (row[x] >> 24) / 255.0;
    }
    return mask;
}

int TextRenderer::Width(const std::string& utf8, Face face, int size) {
    int w = 0, h = 0;
    TTF_SizeUTF8(Font(face, size), utf8.c_str(), &w, &h);
    return w;
}

int TextRenderer::Draw(Canvas& canvas, const std::string& utf8, int x, int y, const TextStyle& style) {
    const TextMask letters = Render(utf8, style.face, style.size);
    if (style.shadow > 0) {
        const TextMask grown = style.outlineWidth > 0 ? Dilate(letters, style.outlineWidth) : letters;
        Stamp(canvas, grown, x - style.outlineWidth + style.shadow, y - style.outlineWidth + style.shadow, [&](int) {
            return Colour{0, 0, 0};
        });
    }
    if (style.outlineWidth > 0)
        Stamp(canvas, Dilate(letters, style.outlineWidth), x - style.outlineWidth, y - style.outlineWidth,
              [&](int) { return style.outline; });
    Stamp(canvas, letters, x, y,
          [&](int row) { return Mix(style.top, style.bottom, row / double(std::max(1, letters.height - 1))); });
    return letters.width;
}

int TextRenderer::DrawCentred(Canvas& canvas, const std::string& utf8, double cx, int y, const TextStyle& style) {
    const int width = Width(utf8, style.face, style.size);
    return Draw(canvas, utf8, static_cast<int>(std::lround(cx - width / 2.0)), y, style);
}

}  // namespace datagen
