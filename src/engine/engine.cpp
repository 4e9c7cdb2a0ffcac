#include "engine/engine.h"

#include "audio/music.h"
#include "audio/sound.h"
#include "engine/main_window.h"
#include "gfx/display.h"
#include "gfx/palette.h"

void EngineReset() {
    SoundReset();
    MusicReset();
    DisplayReset();
    PaletteReset();
    MainWindowHandle = nullptr;
    MainInstanceHandle = nullptr;
}
