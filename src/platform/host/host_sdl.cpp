// The SDL host: with host_sdl_screen.cpp and host_sdl_pads.cpp, the one place that knows the
// program runs on SDL. Keys, the clock and sound live here; the window in the screen, pads apart.
// When the window loses the keyboard or is minimised the host holds: the sound pauses, every key
// goes up, and the game is told (and waits for events) until the window has the keyboard again.
#include "platform/host/host_sdl.h"

#include "platform/host/host.h"
#include "platform/host/host_sdl_pads.h"
#include "platform/host/host_sdl_screen.h"
#include "platform/host/quiet_stderr.h"
#include "platform/input/key_latch.h"
#include "platform/report/report.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

static_assert(SDL_NUM_SCANCODES <= KEY_LATCH_SIZE, "every scancode has its place in the latch");

class SdlHost : public Host {
public:
    ~SdlHost() override {
        AudioClose();
        WindowClose();
    }

    bool WindowOpen(const char* title, int width, int height) override {
        if (screen_.IsOpen()) {
            return true;
        }
        if (!screen_.Open(title, width, height)) {
            return false;
        }
        pads_.Start();
        return true;
    }

    void WindowClose() override {
        if (screen_.IsOpen()) {
            pads_.Stop();
            screen_.Close();
        }
        keys_.ReleaseAll();
        held_ = false;
    }

    void SetFullscreen(bool fullscreen) override { screen_.SetFullscreen(fullscreen); }

    void SetCursorVisible(bool visible) override {
        if (screen_.IsOpen()) {
            SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
        }
    }

    // Drains the window's events into the keys and the queue, then begins the next pass.
    void PumpEvents(std::vector<HostEvent>& out) override {
        if (!screen_.IsOpen()) {
            return;
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            Take(event, out);
        }
        keys_.NextPass();
        pads_.NextPass();
    }

    // At most a tenth of a second: the sound library applies a focus change some time after the
    // window system reports it, on a later pump, and would never wake a wait for it.
    void WaitForEvent() override {
        if (screen_.IsOpen()) {
            SDL_WaitEventTimeout(nullptr, 100);
        }
    }

    bool KeyDown(int virtualKey) override {
        if (!screen_.IsOpen()) {
            return false;
        }
        return KeyboardDown(virtualKey) || pads_.KeyDown(virtualKey);
    }

    uint32_t TicksMs() override {
        EnsureTimer();
        return static_cast<uint32_t>(SDL_GetTicks64());
    }

    void SleepMs(uint32_t ms) override {
        EnsureTimer();
        SDL_Delay(ms);
    }

    void SpinPause() override {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    void Present(const HostFrame& frame) override { screen_.Show(frame); }

    int AudioOpen(int wantedRate, HostAudioPull pull, void* user) override {
        if (device_) {
            AudioClose();
        }
        // A machine without a sound device does not grow one: asking again would only repeat
        // the sound library's complaints.
        if (audioRefused_) {
            return 0;
        }
        pull_ = pull;
        user_ = user;
        int rate = 0;
        {
            QuietStderr quiet;
            rate = OpenAudioDevice(wantedRate);
        }
        if (rate == 0) {
            audioRefused_ = true;
            pull_ = nullptr;
            user_ = nullptr;
            ReportOnce("audio", std::string("no sound: ") + SDL_GetError());
        }
        return rate;
    }

    void AudioClose() override {
        if (device_) {
            SDL_CloseAudioDevice(device_);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            device_ = 0;
        }
        pull_ = nullptr;
        user_ = nullptr;
    }

private:
    // Starts SDL's audio and its device; the rate in use, or 0 with SDL's error set.
    int OpenAudioDevice(int wantedRate) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return 0;
        }
        SDL_AudioSpec want{};
        want.freq = wantedRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &SdlHost::AudioCallback;
        want.userdata = this;
        SDL_AudioSpec have{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_ == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return 0;
        }
        SDL_PauseAudioDevice(device_, held_ ? 1 : 0);
        return have.freq;
    }

    void Take(const SDL_Event& event, std::vector<HostEvent>& out) {
        if (event.type == SDL_QUIT) {
            out.push_back({HostEventType::Close});
        } else if (event.type == SDL_WINDOWEVENT) {
            TakeWindowEvent(event.window, out);
        } else if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET) {
            screen_.Redraw();
        } else if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
            TakeKey(event.key);
        } else {
            pads_.Handle(event);
        }
    }

    void TakeWindowEvent(const SDL_WindowEvent& window, std::vector<HostEvent>& out) {
        switch (window.event) {
            case SDL_WINDOWEVENT_CLOSE: out.push_back({HostEventType::Close}); break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED: screen_.Redraw(); break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_MINIMIZED: Hold(true, out); break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
            case SDL_WINDOWEVENT_RESTORED: Hold(false, out); break;
            default: break;
        }
    }

    // The player went away (or came back): the sound stops where it is (or goes on from there),
    // every key is let go, and the game hears of it.
    void Hold(bool hold, std::vector<HostEvent>& out) {
        if (hold == held_) {
            return;
        }
        held_ = hold;
        keys_.ReleaseAll();
        if (device_) {
            SDL_PauseAudioDevice(device_, hold ? 1 : 0);
        }
        out.push_back({hold ? HostEventType::FocusLost : HostEventType::FocusGained});
    }

    // The host's own keys (Alt+Enter, F12) act here and are kept from the game until they are
    // let go; every other key goes to the latch, by scancode.
    void TakeKey(const SDL_KeyboardEvent& key) {
        const SDL_Scancode code = key.keysym.scancode;
        if (code >= SDL_NUM_SCANCODES) {
            return;
        }
        if (key.type == SDL_KEYUP) {
            hostKey_[code] = false;
            keys_.Release(code);
            return;
        }
        const bool enter = code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER;
        if (enter && (key.keysym.mod & KMOD_ALT)) {
            hostKey_[code] = true;
            if (!key.repeat) screen_.ToggleFullscreen();
        } else if (code == SDL_SCANCODE_F12) {
            hostKey_[code] = true;
            if (!key.repeat) screen_.SaveScreenshot();
        } else if (!hostKey_[code]) {
            keys_.Press(code, key.repeat != 0);
        }
    }

    bool KeyboardDown(int virtualKey) const {
        auto down = [this](SDL_Scancode code) { return keys_.Down(code); };
        switch (virtualKey) {
            case 0x1B: return down(SDL_SCANCODE_ESCAPE);
            case 0x20: return down(SDL_SCANCODE_SPACE);
            case 0x11: return down(SDL_SCANCODE_LCTRL) || down(SDL_SCANCODE_RCTRL);
            case 0x25: return down(SDL_SCANCODE_LEFT);
            case 0x26: return down(SDL_SCANCODE_UP);
            case 0x27: return down(SDL_SCANCODE_RIGHT);
            case 0x28: return down(SDL_SCANCODE_DOWN);
            case 0x6E: return down(SDL_SCANCODE_KP_PERIOD);
            case 0x71: return down(SDL_SCANCODE_F2);
            default: break;
        }
        if (virtualKey >= 'A' && virtualKey <= 'Z') {
            return down(static_cast<SDL_Scancode>(SDL_SCANCODE_A + (virtualKey - 'A')));
        }
        if (virtualKey >= '1' && virtualKey <= '9') {
            return down(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (virtualKey - '1')));
        }
        if (virtualKey == '0') {
            return down(SDL_SCANCODE_0);
        }
        return false;
    }

    static void AudioCallback(void* self, Uint8* stream, int length) {
        auto* host = static_cast<SdlHost*>(self);
        const int frames = length / 4;
        if (host->pull_) {
            host->pull_(host->user_, reinterpret_cast<int16_t*>(stream), frames);
        } else {
            std::memset(stream, 0, static_cast<size_t>(length));
        }
    }

    void EnsureTimer() {
        if (!timerReady_) {
            SDL_InitSubSystem(SDL_INIT_TIMER);
            timerReady_ = true;
        }
    }

    SdlScreen screen_;
    SdlPads pads_;
    bool timerReady_ = false;
    KeyLatch keys_;      // the keyboard, by scancode
    bool held_ = false;  // the player is away
    bool hostKey_[SDL_NUM_SCANCODES] = {};
    SDL_AudioDeviceID device_ = 0;
    bool audioRefused_ = false;
    HostAudioPull pull_ = nullptr;
    void* user_ = nullptr;
};

}  // namespace

Host& HostSdl() {
    static SdlHost host;
    return host;
}
