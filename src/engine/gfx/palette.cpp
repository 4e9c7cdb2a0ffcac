#include "engine/gfx/palette.h"

#include "engine/gfx/display.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

PALETTEENTRY PaletteTable[256];

namespace {

BlinkEntry BlinkTable[256];
bool blinkTableCleared = false;

bool ValidIndex(int32_t index) { return index >= 0 && index <= 255; }

// Sets entries of the display palette object; nothing happens without one. The palette object
// takes its entries through a pointer to changeable ones, so it is handed a copy.
void SetDisplayEntries(int32_t first, int32_t count, const PALETTEENTRY* entries) {
    if (Display.palette && count >= 0 && count <= 256) {
        std::array<PALETTEENTRY, 256> copy;
        std::copy_n(entries, count, copy.begin());
        Display.palette->SetEntries(0, static_cast<DWORD>(first), static_cast<DWORD>(count), copy.data());
    }
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

void PaletteReset() {
    std::memset(PaletteTable, 0, sizeof(PaletteTable));
    std::memset(BlinkTable, 0, sizeof(BlinkTable));
    blinkTableCleared = false;
}

int32_t PaletteLoad(const char* fileName, PALETTEENTRY* entries) {
    File file(fileName ? std::fopen(fileName, "r") : nullptr);
    if (!file || !entries) {
        return 0;
    }
    // Numbers are read one at a time so that the fields before a bad or missing number are kept
    // and every field after it keeps its old value.
    for (int index = 0; index < 256; ++index) {
        BYTE* fields[4] = {&entries[index].peRed, &entries[index].peGreen, &entries[index].peBlue,
                           &entries[index].peFlags};
        for (BYTE* field : fields) {
            int value = 0;
            if (std::fscanf(file.get(), "%d", &value) != 1) {
                return 1;
            }
            *field = static_cast<BYTE>(value & 0xFF);
        }
    }
    return 1;
}

int32_t PaletteSave(const char* fileName, const PALETTEENTRY* entries) {
    File file(fileName ? std::fopen(fileName, "w") : nullptr);
    if (!file || !entries) {
        return 0;
    }
    for (int index = 0; index < 256; ++index) {
        const PALETTEENTRY& e = entries[index];
        std::fprintf(file.get(), "\n%d %d %d %d", e.peRed, e.peGreen, e.peBlue, e.peFlags);
    }
    return 1;
}

int32_t PaletteSetEntry(int32_t index, const PALETTEENTRY* entry) {
    if (!ValidIndex(index) || !entry) {
        return 0;
    }
    SetDisplayEntries(index, 1, entry);
    PaletteTable[index] = *entry;
    return 1;
}

int32_t PaletteGetEntry(int32_t index, PALETTEENTRY* entry) {
    if (!ValidIndex(index) || !entry) {
        return 0;
    }
    *entry = PaletteTable[index];
    return 1;
}

int32_t PaletteSetAll(const PALETTEENTRY* entries) {
    if (!entries) {
        return 0;
    }
    std::memmove(PaletteTable, entries, sizeof(PaletteTable));
    SetDisplayEntries(0, 256, PaletteTable);
    return 1;
}

int32_t PaletteGetAll(PALETTEENTRY* entries) {
    if (!entries) {
        return 0;
    }
    std::memmove(entries, PaletteTable, sizeof(PaletteTable));
    return 1;
}

int32_t PaletteRotate(int32_t first, int32_t last) {
    if (!ValidIndex(first) || !ValidIndex(last) || first > last) {
        return 0;
    }
    if (!Display.palette) {
        return 1;
    }
    const int32_t count = last - first + 1;
    PALETTEENTRY work[256];
    Display.palette->GetEntries(0, static_cast<DWORD>(first), static_cast<DWORD>(count), work);
    if (count > 1) {
        SetDisplayEntries(first + 1, count - 1, work);
    }
    SetDisplayEntries(first, 1, &work[count - 1]);
    Display.palette->GetEntries(0, 0, 256, PaletteTable);
    return 1;
}

namespace {

void ShowBlinkColour(const BlinkEntry& slot) {
    const PALETTEENTRY& colour = slot.phase == -1 ? slot.offColor : slot.onColor;
    if (ValidIndex(slot.paletteIndex)) {
        SetDisplayEntries(slot.paletteIndex, 1, &colour);
    }
}

int32_t BlinkAdd(const BlinkEntry* entry) {
    if (!entry) {
        return -1;
    }
    for (int32_t id = 0; id < 256; ++id) {
        if (BlinkTable[id].phase == 0) {
            BlinkTable[id] = *entry;
            BlinkTable[id].counter = 0;
            BlinkTable[id].phase = -1;
            ShowBlinkColour(BlinkTable[id]);
            return id;
        }
    }
    return -1;
}

int32_t BlinkChange(const BlinkEntry* entry, int32_t id) {
    if (!entry || !ValidIndex(id) || BlinkTable[id].phase == 0) {
        return -1;
    }
    BlinkEntry& slot = BlinkTable[id];
    slot.onColor = entry->onColor;
    slot.offColor = entry->offColor;
    slot.onTime = entry->onTime;
    slot.offTime = entry->offTime;
    ShowBlinkColour(slot);
    return id;
}

void BlinkStep() {
    for (BlinkEntry& slot : BlinkTable) {
        if (slot.phase == 0) {
            continue;
        }
        ++slot.counter;
        if (slot.phase == -1 && slot.counter >= slot.offTime) {
            slot.counter = 0;
            slot.phase = 1;
            ShowBlinkColour(slot);
        } else if (slot.phase == 1 && slot.counter >= slot.onTime) {
            slot.counter = 0;
            slot.phase = -1;
            ShowBlinkColour(slot);
        }
    }
}

}  // namespace

int32_t PaletteBlink(int32_t operation, const BlinkEntry* entry, int32_t id) {
    if (!blinkTableCleared) {
        std::memset(BlinkTable, 0, sizeof(BlinkTable));
        blinkTableCleared = true;
    }
    switch (operation) {
        case BLINK_ADD: return BlinkAdd(entry);
        case BLINK_REMOVE:
            if (!ValidIndex(id) || BlinkTable[id].phase == 0) {
                return -1;
            }
            BlinkTable[id] = BlinkEntry{};
            return id;
        case BLINK_CHANGE: return BlinkChange(entry, id);
        case BLINK_STEP: BlinkStep(); return 1;
        default: return 1;
    }
}
