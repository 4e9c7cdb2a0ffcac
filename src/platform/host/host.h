// The host: the door from the platform stand-ins to a machine's devices and time: the window and
// the screen, the keyboard and the pads, the clock and waiting, the audio device.
//
// Two hosts serve the desktop and the tools. The SDL host (host_sdl.cpp) serves the game on a
// desktop: a real window, the keyboard, the wall clock, an audio device. The headless host
// (host_headless.cpp) serves tests and tools: a virtual clock that moves only when the program
// waits, keys set by the caller, the last presented frame kept in memory, audio pulled into memory
// as the clock moves. The web host (host_web.cpp) serves the game in a page.
//
// What is not a device stays outside the door: files are read and written with the standard
// library, and two services beneath the stand-ins call their libraries themselves, into memory
// only: the font (platform/font, SDL_ttf renders glyphs into a mask for the GDI text stand-in)
// and the music synthesizer (platform/sound, FluidSynth renders samples that the mixer pulls).
// Neither opens a window or a device, so both work the same under every host.
//
// The stand-ins (win32, ddraw, dsound, dmusic) talk to whichever host is current; nothing above
// the platform layer includes this header but the entry points that choose a host.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// What the host reports from its event queue: a request to close the window; the window lost
// the player's attention (the keyboard went elsewhere, the window was minimised, the page was
// hidden) or won it back. The host has let every key go and paused its sound while away.
enum class HostEventType { Close, FocusLost, FocusGained };

struct HostEvent {
    HostEventType type;
};

// One finished frame, handed over by a flip or a blit to the visible surface.
struct HostFrame {
    const uint8_t* pixels = nullptr;  // top row first
    int pitch = 0;                    // bytes per row
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;              // 8 (palette indices) or 16 (5.6.5 or 5.5.5 words)
    int rgbBits = 16;                  // 15 or 16 for 16-bit frames
    const uint8_t* palette = nullptr;  // 256 entries of red, green, blue, flags (8-bit frames)
};

// Pulls `frames` stereo frames of signed 16-bit samples (left, right interleaved) into `out`.
// Called on the host's audio thread (SDL) or on the game's thread (headless).
using HostAudioPull = void (*)(void* user, int16_t* out, int frames);

class Host {
public:
    virtual ~Host() = default;

    // Opens the one window with its title and client size; false when there is no display.
    virtual bool WindowOpen(const char* title, int width, int height) = 0;
    // Closes the window; harmless when none is open.
    virtual void WindowClose() = 0;
    // Switches the picture between full screen (the desktop's own mode, scaled) and a window.
    virtual void SetFullscreen(bool fullscreen) = 0;
    // Shows or hides the mouse cursor over the window.
    virtual void SetCursorVisible(bool visible) = 0;
    // Takes the window's pending events and appends them to `out`. A pass of the game begins
    // here: the keys pressed since the last call become this pass's taps (key_latch.h).
    virtual void PumpEvents(std::vector<HostEvent>& out) = 0;
    // Blocks until the window has an event for PumpEvents, or for a short while (the game holds
    // while the player is away). A host without a window to wait on returns at once.
    virtual void WaitForEvent() = 0;
    // True while the key with this virtual-key code is held, or when it was tapped for this pass.
    // Asking changes nothing.
    virtual bool KeyDown(int virtualKey) = 0;

    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual uint32_t TicksMs() = 0;
    // Gives the processor away for about `ms` milliseconds.
    virtual void SleepMs(uint32_t ms) = 0;
    // Waits the shortest time the host can measure; used for the last millisecond of a wait.
    virtual void SpinPause() = 0;

    // Shows a finished frame.
    virtual void Present(const HostFrame& frame) = 0;

    // Starts the audio stream at about `wantedRate` frames a second; `pull` is called for
    // samples from then on. Returns the rate in use, or 0 when there is no audio device.
    virtual int AudioOpen(int wantedRate, HostAudioPull pull, void* user) = 0;
    // Stops the audio stream; `pull` is not called after this returns.
    virtual void AudioClose() = 0;
};

// The current host. Until a program chooses one, a headless host of its own stands in, so that
// nothing reaches a machine by accident.
Host& HostGet();
// Makes `host` the current host (nullptr goes back to the stand-in).
void HostSet(Host* host);
