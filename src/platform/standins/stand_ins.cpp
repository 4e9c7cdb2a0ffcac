#include "platform/standins/stand_ins.h"

#include "platform/standins/win32.h"

void ProcessReset(void (*layersAbove)()) {
    if (layersAbove) {
        layersAbove();
    }
    Win32Reset();
}
