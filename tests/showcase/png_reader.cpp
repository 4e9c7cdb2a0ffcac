#include "png_reader.h"

#include <cstddef>
#include <cstring>

namespace {

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Unpacks a zlib stream made of stored blocks; false for anything else or a bad checksum.
bool Inflate(const std::vector<uint8_t>& z, std::vector<uint8_t>& out, std::string& error) {
    if (z.size() < 6 || z[0] != 0x78 || (z[0] * 256 + z[1]) % 31 != 0) {
        error = "bad zlib header";
        return false;
    }
    size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > z.size() || (z[at] & 6) != 0) {
            error = "not a stored block";
            return false;
        }
        last = z[at] & 1;
        const size_t length = z[at + 1] | (z[at + 2] << 8);
        const size_t check = z[at + 3] | (z[at + 4] << 8);
        if ((length ^ check) != 0xFFFF || at + 5 + length > z.size()) {
            error = "bad stored length";
            return false;
        }
        out.insert(out.end(), z.begin() + static_cast<ptrdiff_t>(at + 5),
                   z.begin() + static_cast<ptrdiff_t>(at + 5 + length));
        at += 5 + length;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : out) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    if (at + 4 != z.size() || BigEndian32(&z[at]) != ((b << 16) | a)) {
        error = "bad adler-32";
        return false;
    }
    return true;
}

}  // namespace

uint32_t PngImage::Rgb(int x, int y) const {
    const uint8_t* e = &palette[static_cast<size_t>(Index(x, y)) * 3];
    return (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2];
}

PngImage PngRead(const std::vector<uint8_t>& bytes) {
    PngImage image;
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 8 || std::memcmp(bytes.data(), signature, 8) != 0) {
        image.error = "no PNG signature";
        return image;
    }
    std::vector<uint8_t> zlib;
    bool ended = false;
    for (size_t at = 8; at + 12 <= bytes.size() && !ended;) {
        const uint32_t length = BigEndian32(&bytes[at]);
        if (at + 12 + length > bytes.size()) {
            image.error = "chunk runs past the end";
            return image;
        }
        const uint8_t* type = &bytes[at + 4];
        const uint8_t* data = type + 4;
        if (PngCrc32(type, length + 4) != BigEndian32(data + length)) {
            image.error = "bad CRC";
            return image;
        }
        const std::string name(reinterpret_cast<const char*>(type), 4);
        if (name == "IHDR") {
            image.width = static_cast<int>(BigEndian32(data));
            image.height = static_cast<int>(BigEndian32(data + 4));
            image.colourType = data[9];
        } else if (name == "PLTE") {
            image.palette.assign(data, data + length);
        } else if (name == "IDAT") {
            zlib.insert(zlib.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (!ended) {
        image.error = "no IEND";
    } else if (image.colourType != 3 || image.palette.size() != 768) {
        image.error = "not a 256-colour palette image";
    } else if (Inflate(zlib, image.rows, image.error) &&
               image.rows.size() != static_cast<size_t>(image.width + 1) * image.height) {
        image.error = "wrong image size";
    }
    return image;
}
