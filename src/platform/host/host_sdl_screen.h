// The SDL host's window and what it shows: the game's picture scaled to whatever size the
// window or the screen has, full screen or not, and screenshots of it. Used by host_sdl.cpp
// only; no SDL header is needed to include this one.
#pragma once

#include "platform/host/host.h"

#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SdlScreen {
public:
    SdlScreen() = default;
    SdlScreen(const SdlScreen&) = delete;
    SdlScreen& operator=(const SdlScreen&) = delete;
    ~SdlScreen();

    // Opens the window for a picture of `width` x `height`; false (said once on standard
    // error) when there is no display. SDL's video must already be started.
    bool Open(const char* title, int width, int height);
    // Closes the window; harmless when none is open.
    void Close();
    bool IsOpen() const { return window_ != nullptr; }

    // Shows `frame` unless it is the picture already on the screen.
    void Show(const HostFrame& frame);
    // Draws the picture on the screen again, fitted to the window's present size.
    void Redraw();

    // Full screen in the desktop's own mode, or back to the window.
    void SetFullscreen(bool fullscreen);
    // Alt+Enter: from full screen to the window and back; the window has the size Open gave it
    // (twice the picture, or less on a small screen) unless the user resized it since.
    void ToggleFullscreen();

    // Writes the picture on the screen into the pictures folder and names the file on
    // standard output (or says on standard error why it could not).
    void SaveScreenshot();

private:
    // Compares the frame with the one on the screen, and remembers it when it differs.
    bool SameAsShown(const HostFrame& frame);
    // The texture to draw into the target: the picture itself, or the picture enlarged by a
    // whole multiple, with the scale mode the last step needs.
    SDL_Texture* SourceFor(int prescale, bool exact);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* picture_ = nullptr;     // the frame, at its own size
    SDL_Texture* prescaled_ = nullptr;   // the frame enlarged by `prescale_`, or none
    int prescale_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool fullscreen_ = false;
    std::vector<uint8_t> shown_;         // the frame on the screen, rows without padding
    uint8_t shownPalette_[1024] = {};
    int shownBits_ = 0;
    int shownRgbBits_ = 0;
};
