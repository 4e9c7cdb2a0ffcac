#include "platform/host/host_headless.h"

#include "platform/screen/screen_pixels.h"
#include <algorithm>
#include <cstring>

HeadlessHost::HeadlessHost() = default;

bool HeadlessHost::WindowOpen(const char* title, int, int) {
    if (!displayAvailable_) {
        return false;
    }
    title_ = title ? title : "";
    windowOpen_ = true;
    return true;
}

void HeadlessHost::WindowClose() { windowOpen_ = false; }

void HeadlessHost::SetFullscreen(bool fullscreen) { fullscreen_ = fullscreen; }

void HeadlessHost::SetCursorVisible(bool visible) { cursorVisible_ = visible; }

void HeadlessHost::PumpEvents(std::vector<HostEvent>& out) {
    if (closeRequested_) {
        closeRequested_ = false;
        out.push_back({HostEventType::Close});
    }
    if (!focusChanges_.empty()) {
        out.push_back(focusChanges_.front());
        focusChanges_.pop_front();
    }
}

bool HeadlessHost::KeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && keys_[static_cast<size_t>(virtualKey)];
}

void HeadlessHost::SetKey(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) {
        keys_[static_cast<size_t>(virtualKey)] = down;
    }
}

void HeadlessHost::ReleaseAllKeys() { keys_.fill(false); }

uint32_t HeadlessHost::TicksMs() { return ticks_; }

void HeadlessHost::SleepMs(uint32_t ms) { Advance(ms); }

// The last millisecond of a wait: the virtual clock has no finer grain, so a spin moves it one.
void HeadlessHost::SpinPause() { Advance(1); }

void HeadlessHost::Advance(uint32_t ms) {
    ticks_ += ms;
    waitedMs_ += ms;
    if (!audioPull_) {
        return;
    }
    // Pull exactly the frames that belong to the time passed since the stream opened.
    audioMsAdvanced_ += ms;
    const uint64_t due = audioMsAdvanced_ * static_cast<uint64_t>(audioRate_) / 1000;
    while (audioFramesPulled_ < due) {
        const int frames = static_cast<int>(std::min<uint64_t>(due - audioFramesPulled_, 4096));
        scratch_.assign(static_cast<size_t>(frames) * 2, 0);
        audioPull_(audioUser_, scratch_.data(), frames);
        if (audioCapture_) {
            audio_.insert(audio_.end(), scratch_.begin(), scratch_.end());
        }
        audioFramesPulled_ += static_cast<uint64_t>(frames);
    }
}

void HeadlessHost::Present(const HostFrame& frame) {
    ++presentCount_;
    frameWidth_ = frame.width;
    frameHeight_ = frame.height;
    frameBits_ = frame.bitsPerPixel;
    frameRgbBits_ = frame.rgbBits;
    const int rowBytes = frame.width * (frame.bitsPerPixel / 8);
    framePixels_.resize(static_cast<size_t>(rowBytes) * static_cast<size_t>(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        std::memcpy(framePixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(rowBytes),
                    frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch, static_cast<size_t>(rowBytes));
    }
    if (frame.palette) {
        std::memcpy(framePalette_.data(), frame.palette, framePalette_.size());
    } else {
        framePalette_.fill(0);
    }
}

std::vector<uint32_t> HeadlessHost::FrameRgb() const {
    std::vector<uint32_t> rgb(static_cast<size_t>(frameWidth_) * static_cast<size_t>(frameHeight_));
    if (rgb.empty()) {
        return rgb;
    }
    const HostFrame frame{.pixels = framePixels_.data(),
                          .pitch = frameWidth_ * (frameBits_ / 8),
                          .width = frameWidth_,
                          .height = frameHeight_,
                          .bitsPerPixel = frameBits_,
                          .rgbBits = frameRgbBits_,
                          .palette = framePalette_.data()};
    ScreenPixelsConvert(frame, rgb.data(), frameWidth_ * 4, ScreenPixelOrder::Argb);
    for (uint32_t& pixel : rgb) {
        pixel &= 0xFFFFFF;
    }
    return rgb;
}

int HeadlessHost::AudioOpen(int wantedRate, HostAudioPull pull, void* user) {
    if (!audioAvailable_ || !pull || wantedRate <= 0) {
        return 0;
    }
    audioPull_ = pull;
    audioUser_ = user;
    audioRate_ = wantedRate;
    audioFramesPulled_ = 0;
    audioMsAdvanced_ = 0;
    return audioRate_;
}

void HeadlessHost::AudioClose() {
    audioPull_ = nullptr;
    audioUser_ = nullptr;
}
