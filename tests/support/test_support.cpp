#include "support/test_support.h"

#include "game/data_files.h"
#include "platform/standins/stand_ins.h"
#include "tools/formats/wav_writer.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

// Tests never open a real window or sound card: SDL gets its drivers that need neither, unless
// the environment names others.
const bool kDriversChosen = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
}();

}  // namespace

TempDir::TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("gaiablade-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code error;
    fs::remove_all(path_, error);
}

WorkingFolder::WorkingFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }

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

void WriteBitmap8(const std::string& fileName, int width, int height, const std::vector<uint8_t>& pixels,
                  const BmpPalette& palette) {
    WriteBytes(fileName, Bitmap8Bytes(width, height, pixels, palette));
}

void WriteBitmap24(const std::string& fileName, int width, int height, const std::vector<uint32_t>& pixels) {
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
    ProcessReset(layersAbove_);
}

void HeadlessTest::TearDown() {
    ProcessReset(layersAbove_);
    HostSet(nullptr);
}

int TestGroundTop(int landscape) {
    // A fighter rests with its ground box's bottom row (y + 62) one pixel above the ground.
    static const int tops[5] = {363, 438, 438, 473, 473};
    return tops[landscape];
}

std::vector<uint8_t> TestWavBytes(size_t samples, uint8_t level) {
    std::vector<uint8_t> data(samples);
    for (size_t i = 0; i < samples; ++i) data[i] = i % 20 < 10 ? level : static_cast<uint8_t>(256 - level);
    // A 16-byte format chunk, without the extra-size field.
    return formats::WavFile({1, 1, 11025, 8, false}, data);
}

std::vector<uint8_t> TestMidiBytes(double seconds) {
    // 480 ticks per quarter at the default 120 beats a minute: 960 ticks a second.
    const uint32_t ticks = static_cast<uint32_t>(seconds * 960);
    std::vector<uint8_t> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 60, 100};
    for (int shift = 21; shift > 0; shift -= 7) {
        if (ticks >> shift) track.push_back(static_cast<uint8_t>(((ticks >> shift) & 0x7F) | 0x80));
    }
    track.push_back(static_cast<uint8_t>(ticks & 0x7F));
    for (uint8_t b : {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}) track.push_back(b);
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    const uint32_t size = static_cast<uint32_t>(track.size());
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(size >> shift));
    for (uint8_t b : track) out.push_back(b);
    return out;
}

namespace {

// A fighter sheet: 296 x 151, grid lines in colour 9, each used cell filled with a body of
// `colour` whose feet reach the cell's bottom row.
std::vector<uint8_t> FighterSheet(uint8_t colour) {
    const int width = 296, height = 151;
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x % 73 == 0 && x <= 292) || (y % 75 == 0)) pixels[static_cast<size_t>(y * width + x)] = 9;
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column)
            for (int y = 10; y < 74; ++y)
                for (int x = 24; x < 48; ++x)
                    pixels[static_cast<size_t>((1 + 75 * row + y) * width + 1 + 73 * column + x)] = colour;
    return pixels;
}

}  // namespace

void MakeTestDataPack(const fs::path& folder) {
    fs::create_directories(folder);
    auto file = [&](const std::string& name) { return (folder / name).string(); };
    for (int i = 1; i <= 4; ++i) {
        WriteBitmap8(file(MenuFiles[i - 1]), 640, 480, std::vector<uint8_t>(640 * 480, static_cast<uint8_t>(i)));
    }
    for (int i = 0; i < 5; ++i) {
        std::vector<uint8_t> pixels(640 * 480, static_cast<uint8_t>(11 + i));
        for (int y = TestGroundTop(i); y < 480; ++y)
            for (int x = 0; x < 640; ++x) pixels[static_cast<size_t>(y * 640 + x)] = 116;
        WriteBitmap8(file(LandscapeFiles[i]), 640, 480, pixels);
    }
    for (int f = 0; f < 6; ++f) {
        for (int n = 0; n < 4; ++n) {
            WriteBitmap8(file(FighterFiles[f][n]), 296, 151, FighterSheet(static_cast<uint8_t>(40 + 10 * f + n)));
        }
    }
    {
        std::ofstream palette(file(PaletteFile));
        for (int i = 0; i < 256; ++i) palette << "\n" << i << " " << i << " " << i << " 0";
    }
    for (const char* effect : EffectFiles) WriteBytes(file(effect), TestWavBytes(2205));
    for (const char* song : SongFiles) WriteBytes(file(song), TestMidiBytes());
}

HWND OpenTestWindow(const char* className) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, className, "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
}
