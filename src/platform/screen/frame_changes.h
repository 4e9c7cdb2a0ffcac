// The frame on the screen, kept to tell which parts of the next frame are new. While playing,
// only the two fighters move over a still landscape; finding those areas lets the screen enlarge
// and send just them.
#pragma once

#include "platform/host/host.h"
#include "platform/screen/scaling.h"

#include <cstdint>
#include <vector>

// Changes are found in square tiles of this many pixels a side.
constexpr int kChangeTile = 16;

class ShownFrame {
public:
    // Takes `frame` as the one on the screen and returns where it differs from the one before,
    // in picture pixels: whole tiles, neighbours joined into rectangles (clipped to the frame),
    // the whole frame when its size, depth or palette changed, nothing when it is the same.
    const std::vector<ScaleRect>& Take(const HostFrame& frame);

    // Forgets the frame, so that the next one counts as changed everywhere.
    void Forget();
    bool Empty() const { return pixels_.empty(); }

    // The frame on the screen, with the last palette given (black without one); valid until
    // the next Take or Forget.
    HostFrame Frame() const;

private:
    bool SameFormat(const HostFrame& frame) const;
    void TakeWhole(const HostFrame& frame);
    // Marks the tiles of row `y` whose bytes differ, and copies the row.
    void CompareRow(const HostFrame& frame, int y);
    // Joins the marked tiles into rectangles: runs along each tile row, then equal runs of
    // neighbouring tile rows.
    void JoinTiles();

    std::vector<uint8_t> pixels_;  // rows without padding
    uint8_t palette_[1024] = {};
    bool hasPalette_ = false;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    int rgbBits_ = 0;
    int tilesAcross_ = 0;
    int tilesDown_ = 0;
    std::vector<uint8_t> changedTiles_;
    std::vector<ScaleRect> changes_;
};
