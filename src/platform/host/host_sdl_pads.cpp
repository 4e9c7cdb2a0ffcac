#include "platform/host/host_sdl_pads.h"

#include "platform/host/host.h"
#include "platform/report/report.h"

#include <SDL.h>

#include <string>

void SdlPads::Closer::operator()(_SDL_GameController* pad) const { SDL_GameControllerClose(pad); }

void SdlPads::Start() {
    if (started_) {
        return;
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        ReportOnce("pads", std::string("no game controllers: ") + SDL_GetError());
        return;
    }
    started_ = true;
}

void SdlPads::Stop() {
    if (!started_) {
        return;
    }
    pads_.clear();
    keys_ = PadKeyBoard{};
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

void SdlPads::Arrive(int deviceIndex) {
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) {
        return;
    }
    const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    // SDL counts opens: a pad reported twice is opened twice and must be closed as often.
    if (pads_.count(id)) {
        SDL_GameControllerClose(pad);
        return;
    }
    pads_.emplace(id, pad);
}

void SdlPads::Leave(int instanceId) {
    pads_.erase(instanceId);
    keys_.Remove(instanceId);
}

bool SdlPads::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: Arrive(event.cdevice.which); return true;
        case SDL_CONTROLLERDEVICEREMOVED: Leave(event.cdevice.which); return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            PadState state = keys_.StateOf(event.cbutton.which);
            const bool down = event.cbutton.state == SDL_PRESSED;
            switch (event.cbutton.button) {
                case SDL_CONTROLLER_BUTTON_DPAD_LEFT: state.dpadLeft = down; break;
                case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: state.dpadRight = down; break;
                case SDL_CONTROLLER_BUTTON_A: state.a = down; break;
                case SDL_CONTROLLER_BUTTON_B: state.b = down; break;
                case SDL_CONTROLLER_BUTTON_X: state.x = down; break;
                case SDL_CONTROLLER_BUTTON_BACK: state.back = down; break;
                case SDL_CONTROLLER_BUTTON_START: state.start = down; break;
                default: return true;
            }
            keys_.Update(event.cbutton.which, state);
            return true;
        }
        case SDL_CONTROLLERAXISMOTION: {
            if (event.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX) {
                return true;
            }
            PadState state = keys_.StateOf(event.caxis.which);
            state.leftStickX = event.caxis.value;
            keys_.Update(event.caxis.which, state);
            return true;
        }
        default: return false;
    }
}
