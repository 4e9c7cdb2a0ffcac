// A host that passes every call on to another and, while armed, reports each pause of the
// frame clock. The transitions pause between their steps; the showcase uses the report to show
// (and, headless, to record) the visible surface at every step, which a locked surface would
// otherwise only show at the end.
#pragma once

#include "platform/host/host.h"

#include <functional>

class PacedHost : public Host {
public:
    explicit PacedHost(Host& inner) : inner_(inner) {}

    // Calls `onPause` at each SleepMs until disarmed (an empty function).
    void Arm(std::function<void()> onPause) { onPause_ = std::move(onPause); }

    bool WindowOpen(const char* title, int width, int height) override {
        return inner_.WindowOpen(title, width, height);
    }
    void WindowClose() override { inner_.WindowClose(); }
    void SetFullscreen(bool fullscreen) override { inner_.SetFullscreen(fullscreen); }
    void SetCursorVisible(bool visible) override { inner_.SetCursorVisible(visible); }
    void PumpEvents(std::vector<HostEvent>& out) override { inner_.PumpEvents(out); }
    void WaitForEvent() override { inner_.WaitForEvent(); }
    bool KeyDown(int virtualKey) override { return inner_.KeyDown(virtualKey); }
    uint32_t TicksMs() override { return inner_.TicksMs(); }
    void SleepMs(uint32_t ms) override {
        if (onPause_) onPause_();
        inner_.SleepMs(ms);
    }
    void SpinPause() override { inner_.SpinPause(); }
    void Present(const HostFrame& frame) override { inner_.Present(frame); }
    int AudioOpen(int wantedRate, HostAudioPull pull, void* user) override {
        return inner_.AudioOpen(wantedRate, pull, user);
    }
    void AudioClose() override { inner_.AudioClose(); }

private:
    Host& inner_;
    std::function<void()> onPause_;
};
