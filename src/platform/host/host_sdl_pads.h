// The SDL host's game controllers: opened as they are plugged in, closed as they go, their
// buttons and stick read as the keys of pad.h. Used by host_sdl.cpp only.
#pragma once

#include "platform/input/pad.h"

#include <map>
#include <memory>

union SDL_Event;
struct _SDL_GameController;

class SdlPads {
public:
    // Starts SDL's game controller support; SDL then reports the pads already plugged in as
    // if they had just arrived. Without it (said once on standard error) the keyboard alone plays.
    void Start();
    // Closes every pad and stops the support.
    void Stop();
    // Takes one controller event (arrival, departure, button, stick); false for any other event.
    bool Handle(const SDL_Event& event);
    // A pass begins: presses since the last pass become its taps.
    void NextPass() { keys_.NextPass(); }
    // True while a pad holds the key, or tapped it for this pass.
    bool KeyDown(int virtualKey) const { return keys_.Down(virtualKey); }

private:
    struct Closer {
        void operator()(_SDL_GameController* pad) const;
    };
    void Arrive(int deviceIndex);
    void Leave(int instanceId);

    bool started_ = false;
    std::map<int, std::unique_ptr<_SDL_GameController, Closer>> pads_;  // by instance id
    PadKeyBoard keys_;
};
