// Test surfaces for the primitives: plain memory with a pitch wider than the picture, so a
// routine that confuses pitch and width, or writes past a row's end, shows in the padding.
#pragma once

#include "engine/gfx/display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

template <typename Pixel>
class Canvas {
public:
    static constexpr int kPadding = 8;  // pixels of padding after each row

    Canvas(int width, int height, Pixel background = 0)
        : width_(width), height_(height), stride_(width + kPadding),
          pixels_(static_cast<size_t>(stride_) * height, background), background_(background) {}

    uint8_t* memory() { return reinterpret_cast<uint8_t*>(pixels_.data()); }
    int32_t pitch() const { return stride_ * static_cast<int32_t>(sizeof(Pixel)); }
    int width() const { return width_; }
    int height() const { return height_; }
    Pixel at(int x, int y) const { return pixels_[static_cast<size_t>(y) * stride_ + x]; }
    void set(int x, int y, Pixel value) { pixels_[static_cast<size_t>(y) * stride_ + x] = value; }
    bool drawn(int x, int y) const { return at(x, y) != background_; }

    // Columns of row y that differ from the background, as runs of (first, last).
    std::vector<std::pair<int, int>> Runs(int y) const {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < width_; ++x) {
            if (!drawn(x, y)) continue;
            if (!runs.empty() && runs.back().second == x - 1) {
                runs.back().second = x;
            } else {
                runs.emplace_back(x, x);
            }
        }
        return runs;
    }

    int Count() const {
        int count = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) count += drawn(x, y) ? 1 : 0;
        return count;
    }

    // True when both hold the same pixels, padding included.
    bool SameAs(const Canvas& other) const { return pixels_ == other.pixels_; }

    // True when every padding pixel still holds the background.
    bool PaddingClean() const {
        for (int y = 0; y < height_; ++y)
            for (int x = width_; x < stride_; ++x)
                if (pixels_[static_cast<size_t>(y) * stride_ + x] != background_) return false;
        return true;
    }

    // True when nothing outside the rectangle (inclusive) was drawn.
    bool OnlyInside(int minX, int minY, int maxX, int maxY) const {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (drawn(x, y) && (x < minX || x > maxX || y < minY || y > maxY)) return false;
        return PaddingClean();
    }

private:
    int width_;
    int height_;
    int stride_;
    std::vector<Pixel> pixels_;
    Pixel background_;
};

using Canvas8 = Canvas<uint8_t>;
using Canvas16 = Canvas<uint16_t>;

using Run = std::pair<int, int>;
using Runs = std::vector<Run>;

// Every test starts and ends with the display record at its start values (clip 0,0-639,479).
class PrimsTest : public ::testing::Test {
protected:
    void SetUp() override { DisplayReset(); }
    void TearDown() override { DisplayReset(); }

    static void SetClip(int minX, int minY, int maxX, int maxY) {
        Display.clipMinX = minX;
        Display.clipMinY = minY;
        Display.clipMaxX = maxX;
        Display.clipMaxY = maxY;
    }
};
