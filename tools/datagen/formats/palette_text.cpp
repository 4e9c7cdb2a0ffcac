#include "formats/palette_text.h"

#include <string>

namespace datagen {

Bytes EncodePaletteText(const Palette& palette) {
    std::string text;
    for (const Rgb& c : palette) {
        text += '\n';
        text += std::to_string(c.r) + ' ' + std::to_string(c.g) + ' ' + std::to_string(c.b) + " 0";
    }
    return Bytes(text.begin(), text.end());
}

}  // namespace datagen
