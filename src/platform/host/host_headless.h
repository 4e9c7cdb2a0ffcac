// The headless host: no window, no devices, a virtual clock.
//
// The clock moves only when the program waits (SleepMs, SpinPause), so a run is deterministic
// and as fast as the machine allows. Keys are set by the caller. Every presented frame is kept
// (the last one, as palette indices and palette, or as 16-bit words), and audio is pulled into
// memory as the clock moves, so the audio of a run lines up with its passes.
#pragma once

#include "platform/host/host.h"

#include <array>
#include <deque>

class HeadlessHost : public Host {
public:
    HeadlessHost();

    bool WindowOpen(const char* title, int width, int height) override;
    void WindowClose() override;
    void SetFullscreen(bool fullscreen) override;
    void SetCursorVisible(bool visible) override;
    void PumpEvents(std::vector<HostEvent>& out) override;
    // Never blocks: counts the wait and returns.
    void WaitForEvent() override { ++waits_; }
    bool KeyDown(int virtualKey) override;
    uint32_t TicksMs() override;
    void SleepMs(uint32_t ms) override;
    void SpinPause() override;
    void Present(const HostFrame& frame) override;
    int AudioOpen(int wantedRate, HostAudioPull pull, void* user) override;
    void AudioClose() override;

    // --- what the caller controls ---
    // Holds or releases one key (virtual-key code 0 to 255).
    void SetKey(int virtualKey, bool down);
    // Releases every key.
    void ReleaseAllKeys();
    // Sets the virtual clock (for tests of the 32-bit wrap).
    void SetTicks(uint32_t ms) { ticks_ = ms; }
    // Makes WindowOpen fail, as on a machine without a display.
    void SetDisplayAvailable(bool available) { displayAvailable_ = available; }
    // Makes AudioOpen fail, as on a machine without a sound card.
    void SetAudioAvailable(bool available) { audioAvailable_ = available; }
    // Queues a close request, as when the user closes the window.
    void RequestClose() { closeRequested_ = true; }
    // Queues the player going away (false) or coming back (true); the host itself never does.
    // Each pump takes one, as they would arrive.
    void QueueFocusChange(bool back) {
        focusChanges_.push_back({back ? HostEventType::FocusGained : HostEventType::FocusLost});
    }
    // Keeps every pulled audio frame in memory (on by default).
    void SetAudioCapture(bool capture) { audioCapture_ = capture; }

    // --- what the caller reads ---
    bool windowOpen() const { return windowOpen_; }
    bool fullscreen() const { return fullscreen_; }
    bool cursorVisible() const { return cursorVisible_; }
    const std::string& windowTitle() const { return title_; }
    // Number of frames presented so far.
    uint64_t presentCount() const { return presentCount_; }
    // The last presented frame: width, height, bits per pixel; pixels top row first, no padding.
    int frameWidth() const { return frameWidth_; }
    int frameHeight() const { return frameHeight_; }
    int frameBitsPerPixel() const { return frameBits_; }
    int frameRgbBits() const { return frameRgbBits_; }
    const std::vector<uint8_t>& framePixels() const { return framePixels_; }
    const std::array<uint8_t, 1024>& framePalette() const { return framePalette_; }
    // The last frame as 32-bit 0x00RRGGBB colours.
    std::vector<uint32_t> FrameRgb() const;
    // Audio pulled so far: interleaved stereo 16-bit frames at audioRate().
    const std::vector<int16_t>& audio() const { return audio_; }
    int audioRate() const { return audioRate_; }
    // How often the program waited for an event.
    uint64_t waits() const { return waits_; }
    // Milliseconds the clock was moved by waits, in total.
    uint64_t waitedMs() const { return waitedMs_; }

private:
    void Advance(uint32_t ms);

    bool displayAvailable_ = true;
    bool audioAvailable_ = true;
    bool windowOpen_ = false;
    bool fullscreen_ = false;
    bool cursorVisible_ = true;
    bool closeRequested_ = false;
    std::deque<HostEvent> focusChanges_;
    uint64_t waits_ = 0;
    std::string title_;
    std::array<bool, 256> keys_{};
    uint32_t ticks_ = 0;
    uint64_t waitedMs_ = 0;
    uint64_t presentCount_ = 0;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int frameBits_ = 8;
    int frameRgbBits_ = 16;
    std::vector<uint8_t> framePixels_;
    std::array<uint8_t, 1024> framePalette_{};

    HostAudioPull audioPull_ = nullptr;
    void* audioUser_ = nullptr;
    int audioRate_ = 0;
    bool audioCapture_ = true;
    uint64_t audioFramesPulled_ = 0;  // frames pulled since AudioOpen
    uint64_t audioMsAdvanced_ = 0;    // clock milliseconds since AudioOpen
    std::vector<int16_t> audio_;
    std::vector<int16_t> scratch_;
};
