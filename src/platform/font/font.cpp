#include "platform/font/font.h"

#include "platform/report/report.h"

#if defined(__EMSCRIPTEN__)

// The web build has no text renderer: the game draws no text, and the tools that do are not
// built for the browser.
bool FontRender(const char*, FontMask& out) {
    out = FontMask{};
    ReportOnce("font", "no text in the browser build");
    return false;
}

#else

#include <SDL.h>
#include <SDL_ttf.h>

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// DejaVu Sans at this size matches the 16-pixel line of a classic system font.
constexpr int kFontPoints = 12;

}  // namespace

bool FontRender(const char* text, FontMask& out) {
    static TTF_Font* font = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (TTF_Init() == 0) {
            font = TTF_OpenFont(kFontPath, kFontPoints);
        }
        if (!font) {
            ReportOnce("font", std::string("no text font (") + kFontPath + "): " + TTF_GetError());
        }
    }
    out = FontMask{};
    if (!font || !text || !*text) {
        return font != nullptr;
    }
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text, SDL_Color{255, 255, 255, 255});
    if (!rendered) {
        return false;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) {
        return false;
    }
    out.width = argb->w;
    out.height = argb->h;
    out.coverage.resize(static_cast<size_t>(argb->w) * static_cast<size_t>(argb->h));
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                            static_cast<ptrdiff_t>(y) * argb->pitch);
        for (int x = 0; x < argb->w; ++x) {
            out.coverage[static_cast<size_t>(y) * static_cast<size_t>(argb->w) + static_cast<size_t>(x)] =
                static_cast<uint8_t>(row[x] >> 24);
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}

#endif
