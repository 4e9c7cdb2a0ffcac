#include "formats/bmp_writer.h"

#include <stdexcept>

#include "tools/formats/byte_writer.h"

namespace datagen {

using namespace formats;

Bytes EncodeBmp8(const IndexedImage& image, const Palette& palette) {
    if (image.width <= 0 || image.height <= 0 || image.width % 4 != 0)
        throw std::invalid_argument("bitmap width must be a positive multiple of 4");
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(image.width) * image.height;
    Bytes out;
    out.reserve(kBmpPixelOffset + imageBytes);
    // BITMAPFILEHEADER
    PutTag(out, "BM");
    PutU32Le(out, kBmpPixelOffset + imageBytes);
    PutU16Le(out, 0);
    PutU16Le(out, 0);
    PutU32Le(out, kBmpPixelOffset);
    // BITMAPINFOHEADER: positive height means bottom-up rows.
    PutU32Le(out, 40);
    PutU32Le(out, image.width);
    PutU32Le(out, image.height);
    PutU16Le(out, 1);
    PutU16Le(out, 8);
    PutU32Le(out, 0);  // BI_RGB, uncompressed
    PutU32Le(out, imageBytes);
    PutU32Le(out, 2835);  // 72 dots per inch
    PutU32Le(out, 2835);
    PutU32Le(out, 256);
    PutU32Le(out, 256);
    // RGBQUAD colour table: blue, green, red, reserved.
    for (const Rgb& c : palette) {
        PutU8(out, c.b);
        PutU8(out, c.g);
        PutU8(out, c.r);
        PutU8(out, 0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
        out.insert(out.end(), row, row + image.width);
    }
    return out;
}

}  // namespace datagen
