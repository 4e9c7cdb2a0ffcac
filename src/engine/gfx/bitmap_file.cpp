#include "engine/gfx/bitmap_file.h"

#include "engine/gfx/display.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

namespace {

constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr uint32_t kInfoHeaderMin = 40;
constexpr uint32_t kInfoHeaderMax = 124;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint64_t kMaxFileBytes = uint64_t{1} << 30;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// The size of an open file in bytes, or -1 when it cannot be told or is implausibly large.
int64_t FileSize(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(file);
    if (size < 0 || static_cast<uint64_t>(size) > kMaxFileBytes || std::fseek(file, 0, SEEK_SET) != 0) {
        return -1;
    }
    return size;
}

// Reads `count` bytes at `offset`; false when the file does not deliver them all.
bool ReadAt(FILE* file, size_t offset, void* into, size_t count) {
    return offset <= kMaxFileBytes && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(into, 1, count, file) == count;
}

// Where the pixel rows are, and how they lie in the file.
struct PixelLayout {
    size_t offset = 0;     // first stored row
    size_t storedRow = 0;  // bytes per stored row, padding included
    size_t outputRow = 0;  // bytes per row as read (before any 24-bit conversion)
    int32_t width = 0;
    int32_t height = 0;  // rows, always positive
    bool topDown = false;
};

// Checks the info header and the file's size against each other; false for anything that
// does not describe an uncompressed 8, 16 or 24-bit picture held whole in the file. An 8-bit
// file that states a full colour table has its rows right after it (`usualStart`) when they fit
// there, whatever its offset says; otherwise, and in other files, the rows start where the
// file's offset says when they fit there past the colour table, else where the usual layout
// puts them, or else right after the table the file states (`tableEnd`).
bool PlanPixels(const BitmapFileHeader& fileHeader, const BitmapInfoHeader& info, size_t usualStart, size_t tableEnd,
                size_t fileSize, PixelLayout& layout) {
    const bool bitfields16 = info.biBitCount == 16 && info.biCompression == kCompressionBitfields;
    if (info.biCompression != kCompressionNone && !bitfields16) {
        return false;
    }
    if (info.biWidth <= 0 || info.biWidth > BITMAP_MAX_SIDE || info.biHeight == 0 || info.biHeight < -BITMAP_MAX_SIDE ||
        info.biHeight > BITMAP_MAX_SIDE) {
        return false;
    }
    layout.width = info.biWidth;
    layout.height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    layout.topDown = info.biHeight < 0;
    const size_t bytesPerPixel = info.biBitCount / 8u;
    layout.outputRow = static_cast<size_t>(layout.width) * bytesPerPixel;
    layout.storedRow = (layout.outputRow + 3) & ~size_t{3};
    const size_t needed = layout.storedRow * static_cast<size_t>(layout.height);
    auto fits = [&](size_t offset) { return offset <= fileSize && needed <= fileSize - offset; };
    const bool fullTable = info.biBitCount == 8 && (info.biClrUsed == 0 || info.biClrUsed == 256);
    if (fullTable && fits(usualStart)) {
        layout.offset = usualStart;
        return true;
    }
    for (size_t offset : {size_t{fileHeader.bfOffBits}, usualStart, tableEnd}) {
        if (offset >= tableEnd && fits(offset)) {
            layout.offset = offset;
            return true;
        }
    }
    return false;
}

// Reads the stored rows into `out`, top row first, without padding; false when the file does
// not deliver them.
bool ReadRows(FILE* file, const PixelLayout& layout, uint8_t* out) {
    if (std::fseek(file, static_cast<long>(layout.offset), SEEK_SET) != 0) {
        return false;
    }
    std::vector<uint8_t> stored(layout.storedRow);
    for (int32_t row = 0; row < layout.height; ++row) {
        if (std::fread(stored.data(), 1, stored.size(), file) != stored.size()) {
            return false;
        }
        const int32_t to = layout.topDown ? row : layout.height - 1 - row;
        std::memcpy(out + static_cast<size_t>(to) * layout.outputRow, stored.data(), layout.outputRow);
    }
    return true;
}

void Convert24To16(const std::vector<uint8_t>& rgb, std::vector<uint8_t>& words) {
    const bool layout555 = Display.pixelFormat == 15;
    const size_t count = rgb.size() / 3;
    for (size_t k = 0; k < count; ++k) {
        const uint32_t blue = rgb[3 * k], green = rgb[3 * k + 1], red = rgb[3 * k + 2];
        const uint32_t word = layout555 ? (blue >> 3) + ((green >> 3) << 5) + ((red >> 3) << 10)
                                        : (blue >> 3) + ((green >> 2) << 5) + ((red >> 3) << 11);
        words[2 * k] = static_cast<uint8_t>(word);
        words[2 * k + 1] = static_cast<uint8_t>(word >> 8);
    }
}

}  // namespace

namespace {

// The load itself, reading no more of the file than the headers say is there. The record is
// changed only by a load that succeeds, and by the refusal of an unsupported bit count, which
// leaves the headers as read.
int32_t Load(BitmapFile& bitmap, const char* fileName) {
    const File file(std::fopen(fileName, "rb"));
    if (!file) {
        return 0;
    }
    const int64_t size = FileSize(file.get());
    BitmapFileHeader fileHeader;
    BitmapInfoHeader info;
    if (size < 0 || !ReadAt(file.get(), 0, &fileHeader, sizeof fileHeader) || fileHeader.bfType != kBitmapMagic ||
        !ReadAt(file.get(), sizeof fileHeader, &info, sizeof info)) {
        return 0;
    }
    if (info.biBitCount != 8 && info.biBitCount != 16 && info.biBitCount != 24) {
        bitmap.fileHeader = fileHeader;
        bitmap.infoHeader = info;
        return 0;
    }
    if (info.biSize < kInfoHeaderMin || info.biSize > kInfoHeaderMax) {
        return 0;
    }
    const size_t fileSize = static_cast<size_t>(size);
    // The colour table follows the info header: biClrUsed entries, or all 256 when that is 0.
    const size_t headersEnd = sizeof(BitmapFileHeader) + info.biSize;
    size_t tableEntries = 0;
    if (info.biBitCount == 8) {
        tableEntries = info.biClrUsed == 0 ? 256 : info.biClrUsed;
        if (tableEntries > 256) {
            return 0;
        }
    }
    const size_t tableEnd = headersEnd + 4 * tableEntries;
    const size_t usualStart = headersEnd + (info.biBitCount == 8 ? 4 * 256 : 0);
    PixelLayout layout;
    if (tableEnd > fileSize || !PlanPixels(fileHeader, info, usualStart, tableEnd, fileSize, layout)) {
        return 0;
    }
    // A full table lies before the rows whenever there is room for one: all 256 entries are
    // taken then, whatever count of colours in use the header states.
    if (info.biBitCount == 8 && layout.offset >= headersEnd + 4 * 256) {
        tableEntries = 256;
    }
    uint8_t table[4 * 256] = {};
    if (!ReadAt(file.get(), headersEnd, table, 4 * tableEntries)) {
        return 0;
    }
    std::vector<uint8_t> rows(layout.outputRow * static_cast<size_t>(layout.height));
    if (!ReadRows(file.get(), layout, rows.data())) {
        return 0;
    }
    std::vector<uint8_t> pixels;
    if (info.biBitCount == 24) {
        pixels.resize(rows.size() / 3 * 2);
        Convert24To16(rows, pixels);
    } else {
        pixels = std::move(rows);
    }
    // Nothing can fail from here on.
    bitmap.fileHeader = fileHeader;
    bitmap.infoHeader = info;
    if (info.biBitCount == 8) {
        for (size_t i = 0; i < 256; ++i) {
            bitmap.paletteEntries[i] = i < tableEntries ? PALETTEENTRY{table[4 * i + 2], table[4 * i + 1], table[4 * i],
                                                                       PC_NOCOLLAPSE}
                                                        : PALETTEENTRY{0, 0, 0, PC_NOCOLLAPSE};
        }
    }
    // The record describes the rows as they now are: top row first, no padding.
    bitmap.infoHeader.biHeight = layout.height;
    if (info.biBitCount == 24) {
        bitmap.infoHeader.biBitCount = 16;
    }
    bitmap.infoHeader.biSizeImage = static_cast<uint32_t>(pixels.size());
    bitmap.pixels = std::move(pixels);
    return 1;
}

}  // namespace

int32_t BitmapFileLoad(BitmapFile* bitmap, const char* fileName) {
    if (!bitmap || !fileName) {
        return 0;
    }
    try {
        return Load(*bitmap, fileName);
    } catch (const std::exception&) {  // memory for the rows: refused, the record as it was
        return 0;
    }
}

int32_t BitmapFileUnload(BitmapFile* bitmap) {
    if (bitmap) {
        bitmap->pixels.clear();
        bitmap->pixels.shrink_to_fit();
    }
    return 1;
}

int32_t BitmapFlipRows(uint8_t* buffer, int32_t bytesPerRow, int32_t rowCount) {
    if (!buffer || bytesPerRow <= 0 || rowCount <= 0) {
        return 1;
    }
    const size_t row = static_cast<size_t>(bytesPerRow);
    std::vector<uint8_t> copy;
    try {
        copy.assign(buffer, buffer + row * static_cast<size_t>(rowCount));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    for (int32_t i = 0; i < rowCount; ++i) {
        std::memcpy(buffer + static_cast<size_t>(rowCount - 1 - i) * row, copy.data() + static_cast<size_t>(i) * row,
                    row);
    }
    return 1;
}
