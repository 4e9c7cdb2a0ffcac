#include "platform/host/host_sdl_screen.h"

#include "platform/host/host_sdl.h"

#include "platform/host/quiet_stderr.h"
#include "platform/report/report.h"
#include "platform/screen/scaling.h"
#include "platform/screen/screenshot.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void (*screenshotObserver)(const std::string& file) = nullptr;

// The window can be made no smaller than a quarter of the picture: below that it shows nothing.
constexpr int kMinimumWindowDivisor = 4;

// Room left around the window's inside for its frame and title bar. Window managers do not
// tell the frame's size before the window is up, and not all of them tell it at all.
constexpr int kFrameAllowanceWidth = 16;
constexpr int kFrameAllowanceHeight = 48;

// The window's size: twice the picture's, or less where the usable part of the first screen
// (where the window opens, centred) cannot hold that with the frame.
ScaleSize WindowSize(int width, int height) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return WindowSizeFor(width, height, 0, 0);
    }
    return WindowSizeFor(width, height, usable.w - kFrameAllowanceWidth, usable.h - kFrameAllowanceHeight);
}

}  // namespace

SdlScreen::SdlScreen() = default;

SdlScreen::~SdlScreen() { Close(); }

bool SdlScreen::Open(const char* title, int width, int height) {
    if (window_) {
        return true;
    }
    int started = 0;
    {
        QuietStderr quiet;
        started = SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
    if (started != 0) {
        ReportOnce("display", std::string("no display: ") + SDL_GetError());
        return false;
    }
    // Without a display SDL may fall back to a driver that shows nothing; unless that driver
    // was asked for, a window there is no window at all.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) && !(asked && *asked)) {
        ReportOnce("display", "no display (is DISPLAY or WAYLAND_DISPLAY set?)");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // By default SDL keeps a window's surface in a texture and has a renderer draw the whole
    // window from it on every update. X11's own surface is a shared-memory image of which only
    // the rectangles updated are sent: while playing, two fighters' areas. A variable set by
    // the user still wins over this.
    if (driver && !std::strcmp(driver, "x11")) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    width_ = width;
    height_ = height;
    shown_.Forget();
    scaler_.Plan(width, height, 0, 0);
    // The size the window opens with is the one SDL brings it back to from full screen.
    const ScaleSize size = WindowSize(width, height);
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.width, size.height,
                               SDL_WINDOW_RESIZABLE);
    if (!window_) {
        ReportOnce("display", std::string("cannot open a window: ") + SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_SetWindowMinimumSize(window_, width / kMinimumWindowDivisor, height / kMinimumWindowDivisor);
    return true;
}

void SdlScreen::Close() {
    if (window_) {
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    window_ = nullptr;
    drawnSurface_ = nullptr;
    drawnPixels_ = nullptr;
    fullscreen_ = false;
}

void SdlScreen::Show(const HostFrame& frame) {
    if (!window_ || frame.width != width_ || frame.height != height_) {
        return;
    }
    // The menus present the same picture ten times a second, and while playing only the
    // fighters move: an unchanged part of a frame costs a comparison, nothing more.
    const std::vector<ScaleRect>& changes = shown_.Take(frame);
    if (changes.empty()) {
        return;
    }
    for (const ScaleRect& area : changes) {
        scaler_.Take(frame, area);
    }
    SDL_Surface* surface = Surface();
    if (!surface) {
        return;
    }
    if (!IsDrawnSurface(surface)) {
        DrawAll(surface);
        return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    int pitch = 0;
    uint32_t* canvas = Canvas(surface, pitch);
    sent_.clear();
    for (const ScaleRect& area : changes) {
        const ScaleRect output = scaler_.OutputArea(area);
        if (output.width == 0) continue;
        scaler_.Draw(output, canvas, pitch);
        Convert(surface, output);
        sent_.push_back({output.x, output.y, output.width, output.height});
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (!sent_.empty()) {
        SDL_UpdateWindowSurfaceRects(window_, sent_.data(), static_cast<int>(sent_.size()));
    }
}

void SdlScreen::Redraw() {
    if (SDL_Surface* surface = Surface()) {
        DrawAll(surface);
    }
}

SDL_Surface* SdlScreen::Surface() {
    if (!window_) {
        return nullptr;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) {
        ReportOnce("surface", std::string("cannot draw into the window: ") + SDL_GetError());
    }
    return surface;
}

void SdlScreen::DrawAll(SDL_Surface* surface) {
    scaler_.Plan(width_, height_, surface->w, surface->h);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    int pitch = 0;
    uint32_t* canvas = Canvas(surface, pitch);
    scaler_.DrawAll(canvas, pitch);
    Convert(surface, {0, 0, surface->w, surface->h});
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    drawnSurface_ = surface;
    drawnPixels_ = surface->pixels;
    SDL_UpdateWindowSurface(window_);
}

bool SdlScreen::IsDrawnSurface(const SDL_Surface* surface) const {
    return surface == drawnSurface_ && surface->pixels == drawnPixels_ && surface->w == scaler_.OutputWidth() &&
           surface->h == scaler_.OutputHeight();
}

namespace {

bool IsXrgb(const SDL_PixelFormat* format) {
    return format->BytesPerPixel == 4 && format->Rmask == 0x00FF0000u && format->Gmask == 0x0000FF00u &&
           format->Bmask == 0x000000FFu;
}

}  // namespace

uint32_t* SdlScreen::Canvas(SDL_Surface* surface, int& pitch) {
    if (IsXrgb(surface->format)) {
        pitch = surface->pitch;
        return static_cast<uint32_t*>(surface->pixels);
    }
    staging_.resize(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h));
    pitch = surface->w * 4;
    return staging_.data();
}

void SdlScreen::Convert(SDL_Surface* surface, const ScaleRect& area) {
    if (IsXrgb(surface->format) || area.width <= 0 || area.height <= 0) {
        return;
    }
    const int bytes = surface->format->BytesPerPixel;
    const uint32_t* from = staging_.data() + static_cast<size_t>(area.y) * static_cast<size_t>(surface->w) +
                           static_cast<size_t>(area.x);
    uint8_t* to = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(area.y) * surface->pitch +
                  static_cast<ptrdiff_t>(area.x) * bytes;
    SDL_ConvertPixels(area.width, area.height, SDL_PIXELFORMAT_ARGB8888, from, surface->w * 4, surface->format->format,
                      to, surface->pitch);
}

void SdlScreen::SetFullscreen(bool fullscreen) {
    if (!window_ || fullscreen == fullscreen_) {
        return;
    }
    if (SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
        fullscreen_ = fullscreen;
    }
    Redraw();
}

void SdlScreen::ToggleFullscreen() { SetFullscreen(!fullscreen_); }

void SdlScreen::SaveScreenshot() {
    if (shown_.Empty()) {
        Report("no screenshot: nothing is on the screen yet");
        return;
    }
    const HostFrame frame = shown_.Frame();
    if (frame.bitsPerPixel != 8) {
        Report("no screenshot: only 8-bit pictures are saved");
        return;
    }
    const std::string folder = PicturesFolder();
    const std::string path = ScreenshotSave(frame, folder);
    if (path.empty()) {
        Report("no screenshot: cannot write into " +
               (folder.empty() ? std::string("a pictures folder (no HOME)") : folder));
        return;
    }
    ReportOutput("screenshot " + path);
    if (screenshotObserver) screenshotObserver(path);
}

void HostSdlSetScreenshotObserver(void (*observer)(const std::string& file)) { screenshotObserver = observer; }
