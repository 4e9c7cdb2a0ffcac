#include "engine/core/engine.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "engine/gfx/display.h"
#include "engine/gfx/palette.h"

void EngineReset() {
    SoundReset();
    MusicReset();
    DisplayReset();
    PaletteReset();
    MainWindowHandle = nullptr;
    MainInstanceHandle = nullptr;
}
