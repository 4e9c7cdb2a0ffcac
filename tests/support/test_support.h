// Helpers shared by the tests of every layer: temporary folders, picture, sound and song files
// written on the spot, a small data pack, and a fixture that runs everything on the headless
// host from a fresh process state. The engine's fixtures are in engine_support.h.
#pragma once

#include "platform/host/host_headless.h"
#include "platform/standins/win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Runs a test inside a folder, going back to the old working folder afterwards.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder);
    ~WorkingFolder();

private:
    std::filesystem::path previous_;
};

// A 256-colour palette as a BMP colour table holds it: blue, green, red, reserved.
using BmpPalette = std::vector<uint8_t>;
// The test palette: entry i is (red i, green 255 - i, blue i / 2).
BmpPalette TestBmpPalette();

// Writes an uncompressed 8-bit BMP of `width` x `height` from top-down `pixels`, rows padded to
// four bytes, with a full colour table.
void WriteBitmap8(const std::string& fileName, int width, int height, const std::vector<uint8_t>& pixels,
                  const BmpPalette& palette = TestBmpPalette());
// The same file as bytes.
std::vector<uint8_t> Bitmap8Bytes(int width, int height, const std::vector<uint8_t>& pixels,
                                  const BmpPalette& palette = TestBmpPalette());
// Writes a 24-bit BMP from top-down pixels given as 0xRRGGBB.
void WriteBitmap24(const std::string& fileName, int width, int height, const std::vector<uint32_t>& pixels);
void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& fileName);

// Registers a window class of `className` (with the default window procedure) and opens a
// 640x480 window of it; the window or nullptr.
HWND OpenTestWindow(const char* className);

// Every test that touches the program's process-wide records derives from this: a headless host
// is current, and the process starts afresh and is left afresh (ProcessReset): the window
// services, and the records of the layer whose reset is given (EngineReset, GameReset or
// ShellReset, each with the layers beneath it).
class HeadlessTest : public ::testing::Test {
protected:
    explicit HeadlessTest(void (*layersAbove)() = nullptr) : layersAbove_(layersAbove) {}
    void SetUp() override;
    void TearDown() override;
    HeadlessHost host;

private:
    void (*layersAbove_)();
};

// A small data pack for the game's scenario tests: menus in colours 1-4, landscapes in colours
// 11-15 above a flat ground of colour 116 whose top row puts resting fighters at y 300 (first
// landscape), 375 (second, third) and 410 (fourth, fifth); fighter sheets with one colour per
// file; short WAV effects and Standard MIDI songs.
void MakeTestDataPack(const std::filesystem::path& folder);
// The ground's top row in landscape `index` (0 to 4) of the test pack.
int TestGroundTop(int landscape);
// A minimal PCM WAV file, 11025 Hz, 8-bit, mono, of `samples` bytes.
std::vector<uint8_t> TestWavBytes(size_t samples, uint8_t level = 200);
// A minimal Standard MIDI File (format 0) holding one note of `seconds`.
std::vector<uint8_t> TestMidiBytes(double seconds = 2.0);
