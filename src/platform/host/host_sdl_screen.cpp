#include "platform/host/host_sdl_screen.h"

#include "platform/host/quiet_stderr.h"
#include "platform/services/scaling.h"
#include "platform/services/screenshot.h"
#include "platform/services/report.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

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
    return WindowSizeFor(width, height, usable.w - kFrameAllowanceWidth,
                         usable.h - kFrameAllowanceHeight);
}

}  // namespace

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
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) &&
        !(asked && *asked)) {
        ReportOnce("display", "no display (is DISPLAY or WAYLAND_DISPLAY set?)");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    width_ = width;
    height_ = height;
    // The size the window opens with is the one SDL brings it back to from full screen.
    const ScaleSize size = WindowSize(width, height);
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.width,
                               size.height, SDL_WINDOW_RESIZABLE);
    if (!window_) {
        ReportOnce("display", std::string("cannot open a window: ") + SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_SetWindowMinimumSize(window_, width / kMinimumWindowDivisor, height / kMinimumWindowDivisor);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) {
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer_) {
        picture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height);
    }
    if (!renderer_ || !picture_) {
        ReportOnce("renderer", std::string("cannot draw into the window: ") +
                                    SDL_GetError());
    }
    return true;
}

void SdlScreen::Close() {
    if (prescaled_) SDL_DestroyTexture(prescaled_);
    if (picture_) SDL_DestroyTexture(picture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) {
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    prescaled_ = nullptr;
    prescale_ = 0;
    picture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    fullscreen_ = false;
}

void SdlScreen::Show(const HostFrame& frame) {
    if (!renderer_ || !picture_ || frame.width != width_ || frame.height != height_) {
        return;
    }
    // The menus present the same picture ten times a second: an unchanged frame costs a
    // comparison, not a conversion and a trip to the screen.
    if (SameAsShown(frame)) {
        return;
    }
    void* texels = nullptr;
    int texturePitch = 0;
    if (SDL_LockTexture(picture_, nullptr, &texels, &texturePitch) != 0) {
        return;
    }
    HostFrameToRgb32(frame, static_cast<uint32_t*>(texels), texturePitch);
    SDL_UnlockTexture(picture_);
    Redraw();
}

void SdlScreen::Redraw() {
    if (!renderer_ || !picture_) {
        return;
    }
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const ScalePlan plan = ScalePlanFor(width_, height_, outputWidth, outputHeight);
    SDL_Texture* source = SourceFor(plan.prescale, plan.exact);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const SDL_Rect target{plan.target.x, plan.target.y, plan.target.width, plan.target.height};
    SDL_RenderCopy(renderer_, source, nullptr, &target);
    SDL_RenderPresent(renderer_);
}

SDL_Texture* SdlScreen::SourceFor(int prescale, bool exact) {
    SDL_SetTextureScaleMode(picture_, exact ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    if (exact || prescale <= 1) {
        return picture_;
    }
    if (prescale != prescale_) {
        if (prescaled_) SDL_DestroyTexture(prescaled_);
        prescaled_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                       width_ * prescale, height_ * prescale);
        prescale_ = prescale;
        if (!prescaled_) {
            ReportOnce("prescale", std::string("picture smoothed without whole-pixel "
                                                "enlargement first: ") + SDL_GetError());
        }
    }
    // Without a render target the linear pass alone still keeps the aspect, only less crisp.
    if (!prescaled_ || SDL_SetRenderTarget(renderer_, prescaled_) != 0) {
        return picture_;
    }
    SDL_SetTextureScaleMode(picture_, SDL_ScaleModeNearest);
    SDL_RenderCopy(renderer_, picture_, nullptr, nullptr);
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_SetTextureScaleMode(prescaled_, SDL_ScaleModeLinear);
    return prescaled_;
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
    if (shown_.empty()) {
        Report("no screenshot: nothing is on the screen yet");
        return;
    }
    if (shownBits_ != 8) {
        Report("no screenshot: only 8-bit pictures are saved");
        return;
    }
    HostFrame frame;
    frame.pixels = shown_.data();
    frame.pitch = width_;
    frame.width = width_;
    frame.height = height_;
    frame.palette = shownPalette_;
    const std::string folder = PicturesFolder();
    const std::string path = ScreenshotSave(frame, folder);
    if (path.empty()) {
        Report("no screenshot: cannot write into " +
               (folder.empty() ? std::string("a pictures folder (no HOME)") : folder));
        return;
    }
    ReportOutput("screenshot " + path);
}

bool SdlScreen::SameAsShown(const HostFrame& frame) {
    const size_t rowBytes = static_cast<size_t>(frame.width) * static_cast<size_t>(frame.bitsPerPixel / 8);
    bool same = shownBits_ == frame.bitsPerPixel && shownRgbBits_ == frame.rgbBits &&
                shown_.size() == rowBytes * static_cast<size_t>(frame.height);
    if (same && frame.palette) {
        same = std::memcmp(shownPalette_, frame.palette, sizeof(shownPalette_)) == 0;
    }
    for (int y = 0; same && y < frame.height; ++y) {
        same = std::memcmp(shown_.data() + rowBytes * static_cast<size_t>(y),
                           frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch, rowBytes) == 0;
    }
    if (same) {
        return true;
    }
    shownBits_ = frame.bitsPerPixel;
    shownRgbBits_ = frame.rgbBits;
    shown_.resize(rowBytes * static_cast<size_t>(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        std::memcpy(shown_.data() + rowBytes * static_cast<size_t>(y),
                    frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch, rowBytes);
    }
    if (frame.palette) {
        std::memcpy(shownPalette_, frame.palette, sizeof(shownPalette_));
    }
    return false;
}
