#include "app/shell.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"
#include "game/assets.h"
#include "game/characters.h"
#include "game/data_files.h"
#include "game/game.h"
#include "game/screens.h"
#include "platform/report/report.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

bool seedFixed = false;
unsigned fixedSeed = 1;
unsigned startSeed = 0;
ShellPassHooks passHooks;
// False while the player is away from the program (WM_ACTIVATEAPP): no pass runs then.
bool appActive = true;

void ReportUnreadable(const char* fileName) { ReportDataFile(fileName, "cannot read data file"); }

// Reads one full-screen picture through the scratch record into `image`.
void LoadScreenPicture(BitmapImage* image, const char* fileName) {
    if (!BitmapFileLoad(&ScratchBitmapFile, fileName)) {
        ReportUnreadable(fileName);
    }
    BitmapImageCreate(image, 0, 0, 640, 480, 8);
    BitmapImageLoad(image, &ScratchBitmapFile, 0, 0, 1);
    BitmapFileUnload(&ScratchBitmapFile);
}

bool Readable(const char* fileName) {
    FILE* file = std::fopen(fileName, "rb");
    if (file) {
        std::fclose(file);
    }
    return file != nullptr;
}

void ReportMissingPalette() {
    if (!Readable(PaletteFile)) {
        ReportUnreadable(PaletteFile);
    }
}

// A sound or song that did not load: a missing file or a damaged one is the data's fault and is
// named; without a working sound or music system nothing loads, and that was said already.
void ReportUnloaded(const char* fileName, bool systemUp) {
    if (!Readable(fileName)) {
        ReportUnreadable(fileName);
    } else if (systemUp) {
        ReportDataFile(fileName, "damaged data file, or of another kind:");
    }
}

// The seven effects into their roles; on a fresh sound table they receive ids 0 to 6.
void LoadEffects() {
    constexpr int32_t kVolumePanFrequency = 0xE0;
    for (const EffectFile& effect : GameEffects) {
        SoundIds[effect.role] = SoundLoad(effect.file, kVolumePanFrequency);
        if (SoundIds[effect.role] < 0) {
            ReportUnloaded(effect.file, SoundDirectSound != nullptr);
        }
    }
}

void LoadSong(int entry, const char* fileName) {
    SongIds[entry] = MusicLoad(fileName);
    if (SongIds[entry] < 0) {
        ReportUnloaded(fileName, MusicLoader != nullptr);
    }
}

// The landscapes' songs, the intro and the ending, by their entries.
void LoadSongs() {
    for (int entry = 0; entry < 7; ++entry) {
        LoadSong(entry, SongFiles[entry]);
    }
}

}  // namespace

void ShellSetPassHooks(const ShellPassHooks& hooks) { passHooks = hooks; }

void ShellFixSeed(bool fixed, unsigned seed) {
    seedFixed = fixed;
    fixedSeed = seed;
}

unsigned ShellSeed() { return startSeed; }

void ShellReset() {
    passHooks = ShellPassHooks{};
    seedFixed = false;
    startSeed = 0;
    appActive = true;
    GameReset();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_ACTIVATEAPP:
            // Surfaces lost while the player was away are restored; the next pass draws the
            // whole picture again.
            appActive = wParam != FALSE;
            if (appActive) {
                DisplayRestore();
            }
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEX windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEX);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = "WINCLASS1";
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);

    MainInstanceHandle = instance;
    if (!RegisterClassExA(&windowClass)) {
        return 0;
    }
    HWND window = CreateWindowExA(0, "WINCLASS1", "DirectDraw 8-Bit Page Scrolling Demo", WS_POPUP | WS_VISIBLE, 0, 0,
                                  640, 480, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 0;
    }
    MainWindowHandle = window;

    // The finest period of the system's timer, so that the frame clock's sleeps end on time.
    timeBeginPeriod(1);
    AppInit();
    startSeed = seedFixed ? fixedSeed : static_cast<unsigned>(std::time(nullptr));
    std::srand(startSeed);

    // While the player is away the loop takes the messages that come and waits for more,
    // without running a pass.
    MSG msg{};
    for (uint64_t pass = 0;;) {
        const BOOL took = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        if (took) {
            if (msg.message == WM_QUIT) {
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!appActive) {
            if (!took) {
                WaitMessage();
            }
            continue;
        }
        if (passHooks.before && !passHooks.before(pass, passHooks.user)) {
            msg.wParam = 0;
            break;
        }
        AppFrame();
        if (passHooks.after) {
            passHooks.after(pass, passHooks.user);
        }
        ++pass;
    }
    AppShutdown();
    timeEndPeriod(1);
    return static_cast<int>(msg.wParam);
}

int32_t AppInit() {
    DisplayInit(640, 480, 8, 0);
    ReportMissingPalette();
    for (int i = 0; i < 4; ++i) {
        LoadScreenPicture(&MenuImages[i], MenuFiles[i]);
    }
    for (int i = 0; i < 5; ++i) {
        LoadScreenPicture(&LandscapeImages[i], LandscapeFiles[i]);
    }
    // Every picture is shown with the palette of the last file read, the fifth landscape.
    PaletteSetAll(ScratchBitmapFile.paletteEntries);
    // The display set-up attached a clipper already; the new one takes its place on the surface,
    // and the record's reference to the first is given back so that it does not outlive the run.
    const RECT screen{0, 0, Display.screenWidth, Display.screenHeight};
    IDirectDrawClipper* first = Display.backClipper;
    Display.backClipper = DisplayAttachClipper(Display.backSurface, 1, &screen);
    if (first) {
        first->Release();
    }
    ShowCursor(FALSE);

    SoundInit();
    MusicInit();
    LoadEffects();
    LoadSongs();
    MusicPlay(SongIds[SONG_INTRO]);
    return 1;
}

int32_t AppShutdown() {
    for (BitmapImage& image : LandscapeImages) BitmapImageDestroy(&image);
    for (BitmapImage& image : MenuImages) BitmapImageDestroy(&image);
    // The fighters' frames go before the display: each holds a reference to the DirectDraw
    // object, which would otherwise outlive the run.
    for (Sprite& sprite : CharacterSprites) SpriteDestroy(&sprite);
    DisplayShutdown();
    SoundStopAll();
    SoundDeleteAll();
    SoundShutdown();
    MusicUnloadAll();
    MusicShutdown();
    return 1;
}
