#include "platform/win/stand_ins.h"

#include "platform/win/win32.h"

void ProcessReset(void (*layersAbove)()) {
    if (layersAbove) {
        layersAbove();
    }
    Win32Reset();
}
