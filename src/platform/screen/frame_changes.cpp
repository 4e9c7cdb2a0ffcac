#include "platform/screen/frame_changes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

size_t RowBytes(const HostFrame& frame) {
    return static_cast<size_t>(frame.width) * static_cast<size_t>(frame.bitsPerPixel / 8);
}

const uint8_t* RowOf(const HostFrame& frame, int y) { return frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch; }

}  // namespace

const std::vector<ScaleRect>& ShownFrame::Take(const HostFrame& frame) {
    changes_.clear();
    if (frame.width <= 0 || frame.height <= 0 || !frame.pixels) {
        return changes_;
    }
    if (!SameFormat(frame)) {
        TakeWhole(frame);
        return changes_;
    }
    std::fill(changedTiles_.begin(), changedTiles_.end(), uint8_t{0});
    for (int y = 0; y < height_; ++y) {
        CompareRow(frame, y);
    }
    JoinTiles();
    return changes_;
}

void ShownFrame::Forget() {
    pixels_.clear();
    width_ = height_ = 0;
}

HostFrame ShownFrame::Frame() const {
    return HostFrame{.pixels = pixels_.data(),
                     .pitch = width_ * (bitsPerPixel_ / 8),
                     .width = width_,
                     .height = height_,
                     .bitsPerPixel = bitsPerPixel_,
                     .rgbBits = rgbBits_,
                     .palette = palette_};
}

bool ShownFrame::SameFormat(const HostFrame& frame) const {
    if (pixels_.empty() || frame.width != width_ || frame.height != height_ || frame.bitsPerPixel != bitsPerPixel_ ||
        frame.rgbBits != rgbBits_ || (frame.palette != nullptr) != hasPalette_) {
        return false;
    }
    return !frame.palette || std::memcmp(frame.palette, palette_, sizeof(palette_)) == 0;
}

void ShownFrame::TakeWhole(const HostFrame& frame) {
    width_ = frame.width;
    height_ = frame.height;
    bitsPerPixel_ = frame.bitsPerPixel;
    rgbBits_ = frame.rgbBits;
    hasPalette_ = frame.palette != nullptr;
    if (hasPalette_) {
        std::memcpy(palette_, frame.palette, sizeof(palette_));
    }
    const size_t rowBytes = RowBytes(frame);
    pixels_.resize(rowBytes * static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        std::memcpy(pixels_.data() + rowBytes * static_cast<size_t>(y), RowOf(frame, y), rowBytes);
    }
    tilesAcross_ = (width_ + kChangeTile - 1) / kChangeTile;
    tilesDown_ = (height_ + kChangeTile - 1) / kChangeTile;
    changedTiles_.assign(static_cast<size_t>(tilesAcross_) * static_cast<size_t>(tilesDown_), 0);
    changes_.push_back({0, 0, width_, height_});
}

void ShownFrame::CompareRow(const HostFrame& frame, int y) {
    const size_t rowBytes = RowBytes(frame);
    uint8_t* shown = pixels_.data() + rowBytes * static_cast<size_t>(y);
    const uint8_t* row = RowOf(frame, y);
    // Most rows are unchanged: one comparison of the whole row settles them.
    if (std::memcmp(shown, row, rowBytes) == 0) {
        return;
    }
    const size_t tileBytes = static_cast<size_t>(kChangeTile) * static_cast<size_t>(bitsPerPixel_ / 8);
    uint8_t* tiles = changedTiles_.data() + static_cast<size_t>(y / kChangeTile) * static_cast<size_t>(tilesAcross_);
    for (int tx = 0; tx < tilesAcross_; ++tx) {
        const size_t start = tileBytes * static_cast<size_t>(tx);
        const size_t bytes = std::min(tileBytes, rowBytes - start);
        if (std::memcmp(shown + start, row + start, bytes) != 0) {
            tiles[tx] = 1;
        }
    }
    std::memcpy(shown, row, rowBytes);
}

void ShownFrame::JoinTiles() {
    for (int ty = 0; ty < tilesDown_; ++ty) {
        const uint8_t* tiles = changedTiles_.data() + static_cast<size_t>(ty) * static_cast<size_t>(tilesAcross_);
        const int top = ty * kChangeTile;
        const int height = std::min(kChangeTile, height_ - top);
        for (int tx = 0; tx < tilesAcross_;) {
            if (!tiles[tx]) {
                ++tx;
                continue;
            }
            const int runStart = tx;
            while (tx < tilesAcross_ && tiles[tx]) ++tx;
            const int left = runStart * kChangeTile;
            const int width = std::min(tx * kChangeTile, width_) - left;
            // A rectangle that ends just above with the same columns grows by this run.
            auto above = std::find_if(changes_.begin(), changes_.end(), [&](const ScaleRect& r) {
                return r.x == left && r.width == width && r.y + r.height == top;
            });
            if (above != changes_.end()) {
                above->height += height;
            } else {
                changes_.push_back({left, top, width, height});
            }
        }
    }
}
