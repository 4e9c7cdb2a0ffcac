#include "support/test_support.h"

#include "app/shell.h"
#include "platform/win32.h"

#include <fstream>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("gaiablade-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code error;
    fs::remove_all(path_, error);
}

WorkingFolder::WorkingFolder(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
    std::error_code error;
    fs::current_path(previous_, error);
}

BmpPalette TestBmpPalette() {
    BmpPalette table(1024);
    for (int i = 0; i < 256; ++i) {
        table[4 * i] = static_cast<uint8_t>(i / 2);
        table[4 * i + 1] = static_cast<uint8_t>(255 - i);
        table[4 * i + 2] = static_cast<uint8_t>(i);
    }
    return table;
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::vector<uint8_t> Headers(int width, int height, int bits, uint32_t tableBytes, uint32_t imageBytes) {
    std::vector<uint8_t> out;
    const uint32_t offset = 54 + tableBytes;
    Put16(out, 0x4D42);
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

}  // namespace

std::vector<uint8_t> Bitmap8Bytes(int width, int height, const std::vector<uint8_t>& pixels,
                                  const BmpPalette& palette) {
    const int stride = (width + 3) & ~3;
    auto out = Headers(width, height, 8, 1024, static_cast<uint32_t>(stride * height));
    out.insert(out.end(), palette.begin(), palette.end());
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < stride; ++x) {
            out.push_back(x < width ? pixels[static_cast<size_t>(row * width + x)] : 0);
        }
    }
    return out;
}

void WriteBitmap8(const std::string& fileName, int width, int height,
                  const std::vector<uint8_t>& pixels, const BmpPalette& palette) {
    WriteBytes(fileName, Bitmap8Bytes(width, height, pixels, palette));
}

void WriteBitmap24(const std::string& fileName, int width, int height,
                   const std::vector<uint32_t>& pixels) {
    const int stride = (width * 3 + 3) & ~3;
    auto out = Headers(width, height, 24, 0, static_cast<uint32_t>(stride * height));
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixels[static_cast<size_t>(row * width + x)];
            out.push_back(static_cast<uint8_t>(c));
            out.push_back(static_cast<uint8_t>(c >> 8));
            out.push_back(static_cast<uint8_t>(c >> 16));
        }
        for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    WriteBytes(fileName, out);
}

void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    std::ofstream file(fileName, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void HeadlessTest::SetUp() {
    HostSet(&host);
    Win32Reset();
    ShellReset();
}

void HeadlessTest::TearDown() {
    Win32Reset();
    ShellReset();
    HostSet(nullptr);
}
