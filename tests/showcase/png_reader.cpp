#include "png_reader.h"

#include <png.h>

#include <cstring>

namespace {

struct Source {
    const std::vector<uint8_t>* bytes;
    size_t at;
};

void ReadBytesFrom(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (source->at + length > source->bytes->size()) {
        png_error(png, "the file ends early");
    }
    std::memcpy(out, source->bytes->data() + source->at, length);
    source->at += length;
}

void Complain(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

}  // namespace

uint32_t PngImage::Rgb(int x, int y) const {
    const uint8_t* e = &palette[static_cast<size_t>(Index(x, y)) * 3];
    return (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2];
}

PngImage PngRead(const std::vector<uint8_t>& bytes) {
    PngImage image;
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        image.error = "no PNG signature";
        return image;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &image.error, &Complain, nullptr);
    png_infop info = png_create_info_struct(png);
    Source source{&bytes, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return image;
    }
    png_set_read_fn(png, &source, &ReadBytesFrom);
    png_read_info(png, info);
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    image.colourType = png_get_color_type(png, info);
    png_colorp colours = nullptr;
    int count = 0;
    if (image.colourType != PNG_COLOR_TYPE_PALETTE || png_get_bit_depth(png, info) != 8 ||
        !png_get_PLTE(png, info, &colours, &count) || count != 256) {
        image.error = "not a 256-colour palette image";
        png_destroy_read_struct(&png, &info, nullptr);
        return image;
    }
    for (int i = 0; i < count; ++i) {
        image.palette.insert(image.palette.end(), {colours[i].red, colours[i].green, colours[i].blue});
    }
    image.indices.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        png_read_row(png, image.indices.data() + static_cast<size_t>(y) * image.width, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}
