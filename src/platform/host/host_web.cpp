// The web host: with web/host_web.js, the one place that knows the program runs in a browser.
// The game keeps its own blocking loop; its waits sleep through the browser's timers (the
// program is built with asyncify), during which the page draws, takes keys and plays audio.
#include "platform/host/host_web.h"

#include "platform/input/key_latch.h"
#include "platform/input/pad.h"
#include "platform/report/report.h"
#include "platform/screen/frame_changes.h"
#include "platform/screen/scaling.h"
#include "platform/screen/screen_pixels.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

// The page's half (web/host_web.js).
extern "C" {
int HostWebScreenOpen(const char* title, int width, int height);
void HostWebScreenClose();
void HostWebScreenPlace(int canvasWidth, int canvasHeight, int x, int y, int width, int height, int exact);
void HostWebScreenDraw(const uint8_t* rgba, int x, int y, int width, int height);
int HostWebScreenOutputWidth();
int HostWebScreenOutputHeight();
void HostWebCursorShow(int visible);
int HostWebAudioOpen(int wantedRate, int frames);
int HostWebPadsRead(int* fields, int most);
void HostWebAudioClose();
void HostWebHeld(int held);
}

namespace {

// The most frames of audio the page mixes at a time (it keeps a lead of a few tens of ms).
constexpr int kAudioFrames = 2048;

// The DOM key codes the game hears: they equal the Windows virtual-key codes of the same keys.
constexpr int kKeys = 256;

// Game pads read at most, and the ints the page gives for each (HostWebPadsRead).
constexpr int kPads = 4;
constexpr int kPadFields = 8;

class WebHost : public Host {
public:
    bool WindowOpen(const char* title, int width, int height) override {
        if (open_) {
            return true;
        }
        if (!HostWebScreenOpen(title, width, height)) {
            ReportOnce("display", "no canvas on the page");
            return false;
        }
        open_ = true;
        width_ = width;
        height_ = height;
        shown_.Forget();
        emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, &WebHost::OnKeyDown);
        emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, &WebHost::OnKeyUp);
        emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, &WebHost::OnBlur);
        emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, &WebHost::OnFocus);
        emscripten_set_visibilitychange_callback(this, true, &WebHost::OnVisibility);
        emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, &WebHost::OnResize);
        Place();
        return true;
    }

    void WindowClose() override {
        if (!open_) {
            return;
        }
        emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
        emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
        emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
        emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
        emscripten_set_visibilitychange_callback(nullptr, true, nullptr);
        emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
        keys_.ReleaseAll();
        padKeys_.reset();
        away_ = false;
        reported_ = false;
        open_ = false;
        HostWebScreenClose();
    }

    bool WindowIsOpen() const { return open_; }

    // The picture always fills the page; the browser's own full screen (F11) is the person's.
    void SetFullscreen(bool) override {}

    void SetCursorVisible(bool visible) override {
        if (open_) HostWebCursorShow(visible ? 1 : 0);
    }

    // A page is closed with its tab, which ends the program with it: no close requests. The keys
    // came in between two passes (the callbacks); the game pads are read here, once a pass as it
    // begins: what they hold changes keys as the keyboard does. Then the pass begins.
    void PumpEvents(std::vector<HostEvent>& out) override {
        if (away_ != reported_) {
            reported_ = away_;
            out.push_back({away_ ? HostEventType::FocusLost : HostEventType::FocusGained});
        }
        if (!open_) return;
        std::array<int, kPadFields * kPads> fields{};
        const int count = std::clamp(HostWebPadsRead(fields.data(), kPads), 0, kPads);
        PadKeys keys;
        for (int i = 0; i < count; ++i) {
            const int* f = fields.data() + static_cast<ptrdiff_t>(i) * kPadFields;
            keys |= PadKeysFor(PadState{.dpadLeft = f[0] != 0,
                                        .dpadRight = f[1] != 0,
                                        .leftStickX = f[2],
                                        .a = f[3] != 0,
                                        .b = f[4] != 0,
                                        .x = f[5] != 0,
                                        .back = f[6] != 0,
                                        .start = f[7] != 0});
        }
        const PadKeys changed = keys ^ padKeys_;
        for (size_t code = 0; code < changed.size(); ++code) {
            if (changed[code]) Key(static_cast<int>(code), keys[code]);
        }
        padKeys_ = keys;
        keys_.NextPass();
    }

    // Gives the page's thread back to the browser until the player comes back or a while passed.
    void WaitForEvent() override {
        if (open_ && away_ == reported_) emscripten_sleep(100);
    }

    bool KeyDown(int virtualKey) override {
        return open_ && virtualKey >= 0 && virtualKey < kKeys && keys_.Down(virtualKey);
    }

    uint32_t TicksMs() override { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

    void SleepMs(uint32_t ms) override { emscripten_sleep(ms); }

    // The browser's shortest timer waits 4 ms once timers chain; the last millisecond of a
    // pass is waited on the clock instead.
    void SpinPause() override {}

    void Present(const HostFrame& frame) override {
        if (!open_ || frame.width != width_ || frame.height != height_) {
            return;
        }
        // Menus present the same picture ten times a second, and while playing only the
        // fighters move: only what changed is converted and drawn.
        for (const ScaleRect& area : shown_.Take(frame)) {
            Draw(frame, area);
        }
    }

    int AudioOpen(int wantedRate, HostAudioPull pull, void* user) override {
        AudioClose();
        pull_ = pull;
        user_ = user;
        audio_.assign(static_cast<size_t>(kAudioFrames) * 2, 0);
        const int rate = HostWebAudioOpen(wantedRate, kAudioFrames);
        if (rate == 0) {
            pull_ = nullptr;
            user_ = nullptr;
            ReportOnce("audio",
                       "no sound: this browser has no Web Audio worklet (it has one for pages served "
                       "over https or from this machine)");
        }
        return rate;
    }

    void AudioClose() override {
        if (pull_) HostWebAudioClose();
        pull_ = nullptr;
        user_ = nullptr;
    }

    // The page's audio asks for `frames` frames; the samples it reads, or nullptr for silence.
    const int16_t* AudioPull(int frames) {
        // Away, the sound stops where it is: nothing is pulled, so the song waits on its note.
        if (!pull_ || away_ || frames <= 0 || frames > kAudioFrames) {
            return nullptr;
        }
        pull_(user_, audio_.data(), frames);
        return audio_.data();
    }

private:
    // Converts one changed area to the canvas's red, green, blue, alpha bytes, enlarged by the
    // whole multiple of the plan, its rows one after another, and draws it. Enlarging here, not
    // with the canvas's drawImage, keeps the browser from waiting on its own drawing each pass.
    void Draw(const HostFrame& frame, const ScaleRect& area) {
        HostFrame piece = frame;
        piece.pixels = frame.pixels + static_cast<ptrdiff_t>(area.y) * frame.pitch +
                       static_cast<ptrdiff_t>(area.x) * (frame.bitsPerPixel / 8);
        piece.width = area.width;
        piece.height = area.height;
        const size_t areaWidth = static_cast<size_t>(area.width);
        area_.resize(areaWidth * static_cast<size_t>(area.height));
        ScreenPixelsConvert(piece, area_.data(), area.width * 4, ScreenPixelOrder::Rgba);
        const int p = prescale_;
        const size_t outWidth = areaWidth * static_cast<size_t>(p);
        rgba_.resize(outWidth * static_cast<size_t>(area.height) * static_cast<size_t>(p));
        for (int y = 0; y < area.height; ++y) {
            const uint32_t* line = area_.data() + static_cast<size_t>(y) * areaWidth;
            uint32_t* out = rgba_.data() + static_cast<size_t>(y) * static_cast<size_t>(p) * outWidth;
            for (size_t x = 0; x < areaWidth; ++x) {
                std::fill_n(out + x * static_cast<size_t>(p), p, line[x]);
            }
            for (int copy = 1; copy < p; ++copy) {
                std::copy_n(out, outWidth, out + static_cast<size_t>(copy) * outWidth);
            }
        }
        HostWebScreenDraw(reinterpret_cast<const uint8_t*>(rgba_.data()), area.x * p, area.y * p, area.width * p,
                          area.height * p);
    }

    // Plans the picture on the page's window: whole-pixel enlargement, then smoothing to the
    // largest size the window holds, with black bars, as on the desktop.
    void Place() {
        const ScalePlan plan = ScalePlanFor(width_, height_, HostWebScreenOutputWidth(), HostWebScreenOutputHeight());
        // A whole multiple is left to the page, which shows the canvas enlarged without smoothing:
        // each pass then converts and puts a quarter of the pixels (or fewer) of the enlarged one.
        prescale_ = plan.exact ? 1 : plan.prescale;
        HostWebScreenPlace(width_ * prescale_, height_ * prescale_, plan.target.x, plan.target.y, plan.target.width,
                           plan.target.height, plan.exact ? 1 : 0);
        // The canvas was cleared: the picture on the screen is drawn again, whole.
        if (!shown_.Empty()) {
            Draw(shown_.Frame(), ScaleRect{0, 0, width_, height_});
        }
    }

public:
    // A key pressed (`down`) or released, from the keyboard, the page's touch buttons or a game
    // pad; false for a code the game does not hear.
    bool Key(int code, bool down, bool repeat = false) {
        if (code <= 0 || code >= kKeys) {
            return false;
        }
        if (down) {
            keys_.Press(code, repeat);
        } else {
            keys_.Release(code);
        }
        return true;
    }

private:
    static EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* event, void* self) {
        const int code = static_cast<int>(event->keyCode);
        return static_cast<WebHost*>(self)->Key(code, true, event->repeat != 0) && Scrolls(code) ? EM_TRUE : EM_FALSE;
    }

    static EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* event, void* self) {
        const int code = static_cast<int>(event->keyCode);
        return static_cast<WebHost*>(self)->Key(code, false) && Scrolls(code) ? EM_TRUE : EM_FALSE;
    }

    // The player went away (the page lost the keyboard, or was hidden) or came back. A key held
    // when the page loses the keyboard never sends its release: every key goes up.
    void SetAway(bool away) {
        if (away == away_) return;
        away_ = away;
        keys_.ReleaseAll();
        HostWebHeld(away ? 1 : 0);
    }

    static EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* self) {
        static_cast<WebHost*>(self)->SetAway(true);
        return EM_FALSE;
    }

    static EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void* self) {
        static_cast<WebHost*>(self)->SetAway(false);
        return EM_FALSE;
    }

    static EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* self) {
        static_cast<WebHost*>(self)->SetAway(event->hidden != 0);
        return EM_FALSE;
    }

    static EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* self) {
        static_cast<WebHost*>(self)->Place();
        return EM_FALSE;
    }

    // Space and the arrows would scroll the page as well as play the game.
    static bool Scrolls(int code) { return code == 0x20 || (code >= 0x25 && code <= 0x28); }

    bool open_ = false;
    int width_ = 0;
    int height_ = 0;
    ShownFrame shown_;
    int prescale_ = 1;
    std::vector<uint32_t> rgba_;  // an area in the canvas's bytes, enlarged
    std::vector<uint32_t> area_;  // an area in the canvas's bytes, as large as in the frame
    KeyLatch keys_;               // by virtual-key code (the DOM's key codes)
    PadKeys padKeys_;             // the keys the pads held at the last pass
    bool away_ = false;           // the player is away, as the page last said
    bool reported_ = false;       // what the game was last told
    HostAudioPull pull_ = nullptr;
    void* user_ = nullptr;
    std::vector<int16_t> audio_;
};

WebHost& TheHost() {
    static WebHost host;
    return host;
}

}  // namespace

Host& HostWeb() { return TheHost(); }

// Called by the page's audio for the next `frames` stereo frames of signed 16-bit samples.
extern "C" EMSCRIPTEN_KEEPALIVE const int16_t* HostWebAudioPull(int frames) { return TheHost().AudioPull(frames); }

// Called by the page's touch buttons as the keyboard's keys: `virtualKey` pressed (`down` not 0)
// or released.
extern "C" EMSCRIPTEN_KEEPALIVE void HostWebKey(int virtualKey, int down) {
    if (TheHost().WindowIsOpen()) TheHost().Key(virtualKey, down != 0);
}
