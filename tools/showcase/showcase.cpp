#include "showcase.h"

#include "backdrop.h"
#include "engine/core/engine.h"
#include "engine/core/frame_clock.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"
#include "engine/gfx/prims/polygons.h"
#include "engine/gfx/prims/transitions.h"
#include "engine/gfx/text.h"
#include "paced_host.h"
#include "platform/host/host_headless.h"
#include "platform/host/host_sdl.h"
#include "platform/screen/png.h"
#include "platform/standins/stand_ins.h"
#include "platform/standins/win32.h"
#include "scenes.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

constexpr uint32_t kFrameMs = 33;
constexpr int kCaptureStep = 24;  // the transition step recorded besides the first and last
constexpr int kCaptionHeight = 22;

LRESULT ShowcaseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND OpenWindow() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ShowcaseWindowProc;
    windowClass.hInstance = Win32ModuleInstance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "GAIASHOWCASE";
    if (!RegisterClassExA(&windowClass)) {
        return nullptr;
    }
    return CreateWindowExA(0, "GAIASHOWCASE", "Gaia's Blade engine showcase", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           640, 480, nullptr, nullptr, Win32ModuleInstance(), nullptr);
}

// Sets the display up again at `bits` per pixel when it shows another depth; false when that
// depth cannot be had. 8 bits in the window; 16 bits is a full-screen display mode, since a
// windowed display takes the desktop's depth.
bool DisplayAtDepth(int32_t bits) {
    if (Display.screenBitsPerPixel == bits) {
        return true;
    }
    // The shut-down releases what the record holds but leaves it pointing there: the record
    // starts afresh before the new set-up.
    DisplayShutdown();
    DisplayReset();
    return DisplayInit(640, 480, bits, bits == 8 ? 1 : 0) == 1;
}

class Runner {
public:
    Runner(const ShowcaseOptions& options, HeadlessHost* headless, PacedHost& paced)
        : options_(options), headless_(headless), paced_(paced) {}

    // Plays the scenes in order (round and round on a desktop, once headless); the exit status.
    int Run() {
        const std::vector<Scene>& scenes = ShowcaseScenes();
        for (size_t i = 0; !quit_; i = (i + 1) % scenes.size()) {
            next_ = false;
            if (scenes[i].transition >= 0) {
                PlayTransitionScene(static_cast<int>(i), scenes[i]);
            } else {
                PlayDrawnScene(static_cast<int>(i), scenes[i]);
            }
            if (headless_ && i + 1 == scenes.size()) {
                break;
            }
        }
        return writeFailed_ || displayFailed_ ? 1 : 0;
    }

private:
    bool Done() const { return quit_ || next_; }

    // The display at `bits` per pixel; when it cannot be had, the showcase ends with status 1.
    bool UseDepth(int32_t bits) {
        if (DisplayAtDepth(bits)) {
            return true;
        }
        std::fprintf(stderr, "gaiablade-showcase: the display could not be set up at %d bits per pixel\n", bits);
        quit_ = true;
        displayFailed_ = true;
        return false;
    }

    void PlayDrawnScene(int index, const Scene& scene) {
        if (!UseDepth(scene.bitsPerPixel)) {
            return;
        }
        scene.begin();
        const int last = options_.framesPerScene - 1;
        for (int frame = 0; !Done(); ++frame) {
            if (headless_ && frame > last) {
                break;
            }
            Poll();
            FrameClockStart();
            Compose(scene.caption, [&](uint8_t* memory, int32_t pitch) { scene.draw(frame, memory, pitch); });
            if (scene.annotate) {
                scene.annotate(frame);
            }
            DisplayFlip();
            if (frame == 0 || frame == last / 2 || frame == last) {
                Capture(index, scene, "frame" + std::to_string(frame));
            }
            FrameClockWait(kFrameMs);
        }
        scene.end();
    }

    // Shows the landscape, plays the transition over the visible surface and holds the result;
    // on a desktop again and again until Space.
    void PlayTransitionScene(int index, const Scene& scene) {
        if (!UseDepth(8)) {
            return;
        }
        const int landscape = scene.transition % 5 + 1;
        if (!BackdropLoad(landscape)) {
            std::fprintf(stderr, "gaiablade-showcase: no LANDSCAPE%d.BMP here; a drawn pattern stands in\n", landscape);
        }
        do {
            BackdropSetPalette();
            FrameClockStart();
            Compose(scene.caption, BackdropDraw);
            DisplayFlip();
            Capture(index, scene, "before");
            Hold(600);
            if (Done()) {
                break;
            }
            int steps = 0;
            paced_.Arm([&] {
                ++steps;
                if (Display.primarySurface) Display.primarySurface->PresentToHost();
                if (steps == kCaptureStep) Capture(index, scene, "step24");
            });
            if (uint8_t* memory = DisplayLockPrimary()) {
                PlayTransition(scene.transition, memory, Display.primaryPitch);
                DisplayUnlockPrimary();
            }
            paced_.Arm(nullptr);
            Capture(index, scene, "after");
            Hold(900);
        } while (!headless_ && !Done());
    }

    // Clears the back surface, lets `draw` fill it while locked, then puts the caption on top.
    template <typename Draw>
    void Compose(const char* caption, Draw draw) {
        DisplayFill(Display.backSurface, 0, nullptr);
        if (uint8_t* memory = DisplayLockBack()) {
            draw(memory, Display.backPitch);
            DisplayUnlockBack();
        }
        DisplayFillRect(0, 0, Display.screenWidth, kCaptionHeight, 0, Display.backSurface);
        SurfaceDrawText(caption, 8, 3, RGB(255, 255, 255), Display.backSurface);
        SurfaceDrawText("Space: next   Esc: quit", 470, 3, RGB(160, 160, 160), Display.backSurface);
    }

    void Poll() {
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit_ = true;
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetAsyncKeyState(VK_ESCAPE) & 0x8000) {
            quit_ = true;
        }
        // Space counts when it goes down, so holding it does not race through the scenes.
        const bool space = (GetAsyncKeyState(VK_SPACE) & 0x8000) != 0;
        if (space && !spaceHeld_) {
            next_ = true;
        }
        spaceHeld_ = space;
    }

    void Hold(uint32_t ms) {
        const uint32_t start = FrameClockNow();
        while (!Done() && FrameClockNow() - start < ms) {
            Poll();
            FrameClockStart();
            FrameClockWait(kFrameMs);
        }
    }

    // Writes the frame last presented as "<scene number>-<slug>-<moment>.png" (headless only).
    void Capture(int index, const Scene& scene, const std::string& moment) {
        if (!headless_ || options_.framesFolder.empty() || headless_->presentCount() == 0 ||
            headless_->frameBitsPerPixel() != 8) {
            return;
        }
        char name[128];
        std::snprintf(name, sizeof name, "%02d-%s-%s.png", index, scene.slug, moment.c_str());
        const HeadlessHost& host = *headless_;
        const std::vector<uint8_t> bytes = PngEncodeIndexed(host.frameWidth(), host.frameHeight(), host.framePixels(),
                                                            host.framePalette().data());
        const std::string path = (std::filesystem::path(options_.framesFolder) / name).string();
        if (!PngWriteFile(path, bytes) && !writeFailed_) {
            std::fprintf(stderr, "gaiablade-showcase: cannot write %s\n", path.c_str());
            writeFailed_ = true;
        }
    }

    const ShowcaseOptions& options_;
    HeadlessHost* headless_;
    PacedHost& paced_;
    bool quit_ = false;
    bool next_ = false;
    bool spaceHeld_ = true;  // a Space still held from before the start does not count
    bool writeFailed_ = false;
    bool displayFailed_ = false;
};

// Everything the run changed in the process-wide records goes back to its start, so a run can
// follow another in the same process (the tests do).
void CloseDown(HWND window) {
    DisplayShutdown();
    if (window) DestroyWindow(window);
    ProcessReset(EngineReset);
    HostSet(nullptr);
}

}  // namespace

int ShowcaseRun(const ShowcaseOptions& options) {
    HeadlessHost headless;
    PacedHost paced(options.headless ? static_cast<Host&>(headless) : HostSdl());
    HostSet(&paced);
    // Headless runs repeat exactly, the Speckle transition's random pixels included.
    std::srand(options.headless ? 1u : static_cast<unsigned>(std::time(nullptr)));

    if (!options.framesFolder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.framesFolder, error);
    }
    HWND window = OpenWindow();
    MainWindowHandle = window;
    if (!window) {
        std::fprintf(stderr, "gaiablade-showcase: no display to open a window on\n");
        CloseDown(nullptr);
        return 1;
    }
    if (!DisplayInit(640, 480, 8, 1)) {
        std::fprintf(stderr, "gaiablade-showcase: the display could not be set up\n");
        CloseDown(window);
        return 1;
    }
    BuildTrigTables();
    Runner runner(options, options.headless ? &headless : nullptr, paced);
    const int status = runner.Run();
    CloseDown(window);
    return status;
}
