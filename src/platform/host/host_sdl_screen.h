// The SDL host's window and what it shows: the game's picture scaled to whatever size the
// window or the screen has, full screen or not, and screenshots of it. Used by host_sdl.cpp
// only; no SDL header is needed to include this one.
#pragma once

#include "platform/host/host.h"
#include "platform/screen/frame_changes.h"
#include "platform/screen/picture_scaler.h"

#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Surface;
struct SDL_Rect;

class SdlScreen {
public:
    SdlScreen();
    SdlScreen(const SdlScreen&) = delete;
    SdlScreen& operator=(const SdlScreen&) = delete;
    ~SdlScreen();

    // Opens the window for a picture of `width` x `height`; false (said once on standard
    // error) when there is no display. SDL's video must already be started.
    bool Open(const char* title, int width, int height);
    // Closes the window; harmless when none is open.
    void Close();
    bool IsOpen() const { return window_ != nullptr; }

    // Shows `frame`: enlarges and sends only the parts that differ from the frame on the
    // screen (nothing when it is the same).
    void Show(const HostFrame& frame);
    // Draws the whole picture on the screen again, fitted to the window's present size.
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
    // The window's surface (made anew by SDL after a size change), or none (said once).
    SDL_Surface* Surface();
    // Plans for `surface`, draws the whole output into it and sends it.
    void DrawAll(SDL_Surface* surface);
    // Where the scaler draws for `surface`: its own pixels when they are 0xXXRRGGBB, otherwise
    // a staging copy converted by Convert.
    uint32_t* Canvas(SDL_Surface* surface, int& pitch);
    void Convert(SDL_Surface* surface, const ScaleRect& area);
    // True when `surface` is the one last drawn whole, at the size planned for.
    bool IsDrawnSurface(const SDL_Surface* surface) const;

    SDL_Window* window_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool fullscreen_ = false;
    ShownFrame shown_;      // the frame on the screen
    PictureScaler scaler_;  // its 32-bit colours, enlarged to the window
    const SDL_Surface* drawnSurface_ = nullptr;
    const void* drawnPixels_ = nullptr;
    std::vector<uint32_t> staging_;
    std::vector<SDL_Rect> sent_;  // complete where the constructor is, in the .cpp
};
