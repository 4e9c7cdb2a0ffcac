// PaletteLoad on any text: whatever it reads, saving those entries and loading them back gives
// the same 256 entries.
#include "fuzz_support.h"

#include "engine/gfx/palette.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzWriteInput("input.pal", data, size);
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i) {
        entries[i] = PALETTEENTRY{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), uint8_t(i * 3)};
    }
    FUZZ_CHECK(PaletteLoad(path.c_str(), entries) == 1);

    const std::string copy = FuzzFolder() + "/copy.pal";
    FUZZ_CHECK(PaletteSave(copy.c_str(), entries) == 1);
    PALETTEENTRY again[256] = {};
    FUZZ_CHECK(PaletteLoad(copy.c_str(), again) == 1);
    FUZZ_CHECK(std::memcmp(entries, again, sizeof entries) == 0);
    return 0;
}
