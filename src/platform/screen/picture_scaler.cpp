#include "platform/screen/picture_scaler.h"

#include "platform/screen/screen_pixels.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// a + (b - a) * weight / 256 in each of the four channels, rounded: two channels at a time,
// each in its own 16 bits (255 * 256 + 128 fits).
inline uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t keep = 256 - weight;
    const uint32_t redBlue = (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight + 0x00800080u) >> 8) & 0x00FF00FFu;
    const uint32_t alphaGreen = (((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * weight + 0x00800080u) &
                                0xFF00FF00u;
    return redBlue | alphaGreen;
}

uint32_t* RowAt(uint32_t* out, int outPitch, int y) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) + static_cast<ptrdiff_t>(y) * outPitch);
}

// The output positions [start, end) along `axis` that read source pixels [from, to).
void Reach(const ScaleAxis& axis, int from, int to, int& start, int& end) {
    start = 0;
    end = 0;
    const int length = static_cast<int>(axis.first.size());
    for (int t = 0; t < length; ++t) {
        const bool reads = (axis.first[t] >= from && axis.first[t] < to) ||
                           (axis.weight[t] != 0 && axis.second[t] >= from && axis.second[t] < to);
        if (!reads) continue;
        if (end == 0) start = t;
        end = t + 1;
    }
}

ScaleRect Clip(const ScaleRect& r, const ScaleRect& bounds) {
    const int left = std::max(r.x, bounds.x);
    const int top = std::max(r.y, bounds.y);
    const int right = std::min(r.x + r.width, bounds.x + bounds.width);
    const int bottom = std::min(r.y + r.height, bounds.y + bounds.height);
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

}  // namespace

ScaleAxis ScaleAxisFor(int pictureLength, int prescale, int targetLength) {
    ScaleAxis axis;
    if (pictureLength <= 0 || prescale <= 0 || targetLength <= 0) {
        return axis;
    }
    axis.first.resize(static_cast<size_t>(targetLength));
    axis.second.resize(static_cast<size_t>(targetLength));
    axis.weight.resize(static_cast<size_t>(targetLength));
    // Output pixel t samples the enlarged picture at u = (t + 0.5) * enlarged / target - 0.5,
    // kept exact as the fraction numerator / denominator.
    const int64_t enlarged = int64_t{pictureLength} * prescale;
    const int64_t denominator = 2 * int64_t{targetLength};
    for (int t = 0; t < targetLength; ++t) {
        const int64_t numerator = (2 * int64_t{t} + 1) * enlarged - targetLength;
        int64_t before = numerator >= 0 ? numerator / denominator : -1;
        int64_t weight = numerator >= 0 ? ((numerator % denominator) * 256 + denominator / 2) / denominator : 0;
        if (before < 0) {
            before = 0;  // left of the first pixel's centre: the edge pixel alone
        }
        if (weight == 256) {
            ++before;
            weight = 0;
        }
        const int64_t after = std::min(before + 1, enlarged - 1);
        before = std::min(before, enlarged - 1);
        const int first = static_cast<int>(before / prescale);
        const int second = static_cast<int>(after / prescale);
        const bool one = first == second || weight == 0;
        axis.first[static_cast<size_t>(t)] = first;
        axis.second[static_cast<size_t>(t)] = one ? first : second;
        axis.weight[static_cast<size_t>(t)] = static_cast<uint16_t>(one ? 0 : weight);
    }
    return axis;
}

void PictureScaler::Plan(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight) {
    if (pictureWidth != pictureWidth_ || pictureHeight != pictureHeight_) {
        pictureWidth_ = std::max(0, pictureWidth);
        pictureHeight_ = std::max(0, pictureHeight);
        picture_.assign(static_cast<size_t>(pictureWidth_) * static_cast<size_t>(pictureHeight_), kOpaqueBlack);
    }
    outputWidth_ = std::max(0, outputWidth);
    outputHeight_ = std::max(0, outputHeight);
    plan_ = ScalePlanFor(pictureWidth_, pictureHeight_, outputWidth_, outputHeight_);
    columns_ = ScaleAxisFor(pictureWidth_, plan_.prescale, plan_.target.width);
    rows_ = ScaleAxisFor(pictureHeight_, plan_.prescale, plan_.target.height);
    for (std::vector<uint32_t>& line : lines_) {
        line.resize(static_cast<size_t>(plan_.target.width));
    }
}

void PictureScaler::Take(const HostFrame& frame, const ScaleRect& area) {
    if (frame.width != pictureWidth_ || frame.height != pictureHeight_) {
        return;
    }
    const ScaleRect part = Clip(area, {0, 0, pictureWidth_, pictureHeight_});
    if (part.width == 0) {
        return;
    }
    HostFrame piece = frame;
    piece.pixels = frame.pixels + static_cast<ptrdiff_t>(part.y) * frame.pitch +
                   static_cast<ptrdiff_t>(part.x) * (frame.bitsPerPixel / 8);
    piece.width = part.width;
    piece.height = part.height;
    ScreenPixelsConvert(piece,
                        picture_.data() + static_cast<size_t>(part.y) * static_cast<size_t>(pictureWidth_) +
                            static_cast<size_t>(part.x),
                        pictureWidth_ * 4, ScreenPixelOrder::Argb);
}

ScaleRect PictureScaler::OutputArea(const ScaleRect& area) const {
    const ScaleRect part = Clip(area, {0, 0, pictureWidth_, pictureHeight_});
    if (part.width == 0) {
        return {};
    }
    int left = 0, right = 0, top = 0, bottom = 0;
    Reach(columns_, part.x, part.x + part.width, left, right);
    Reach(rows_, part.y, part.y + part.height, top, bottom);
    if (right == 0 || bottom == 0) {
        return {};
    }
    return {plan_.target.x + left, plan_.target.y + top, right - left, bottom - top};
}

int PictureScaler::LineFor(int row, int keep, int firstColumn, int columns) {
    for (int slot = 0; slot < 2; ++slot) {
        if (lineRow_[slot] == row) return slot;
    }
    const int slot = lineRow_[0] == keep ? 1 : 0;
    lineRow_[slot] = row;
    const uint32_t* source = picture_.data() + static_cast<size_t>(row) * static_cast<size_t>(pictureWidth_);
    uint32_t* line = lines_[slot].data();
    for (int i = 0; i < columns; ++i) {
        const size_t t = static_cast<size_t>(firstColumn + i);
        const uint32_t a = source[columns_.first[t]];
        const uint32_t weight = columns_.weight[t];
        line[i] = weight ? Blend(a, source[columns_.second[t]], weight) : a;
    }
    return slot;
}

void PictureScaler::Draw(const ScaleRect& area, uint32_t* out, int outPitch) {
    const ScaleRect& target = plan_.target;
    const ScaleRect part = Clip(area, target);
    if (part.width == 0 || picture_.empty()) {
        return;
    }
    // The cached lines hold the columns of one area only.
    lineRow_[0] = lineRow_[1] = -1;
    const int firstColumn = part.x - target.x;
    for (int y = part.y; y < part.y + part.height; ++y) {
        const size_t t = static_cast<size_t>(y - target.y);
        const int above = rows_.first[t];
        const int below = rows_.second[t];
        const uint32_t weight = rows_.weight[t];
        const uint32_t* top = lines_[LineFor(above, below, firstColumn, part.width)].data();
        uint32_t* dst = RowAt(out, outPitch, y) + part.x;
        if (weight == 0) {
            std::memcpy(dst, top, static_cast<size_t>(part.width) * sizeof(uint32_t));
            continue;
        }
        const uint32_t* bottom = lines_[LineFor(below, above, firstColumn, part.width)].data();
        for (int i = 0; i < part.width; ++i) {
            dst[i] = Blend(top[i], bottom[i], weight);
        }
    }
}

void PictureScaler::DrawAll(uint32_t* out, int outPitch) {
    const ScaleRect& target = plan_.target;
    for (int y = 0; y < outputHeight_; ++y) {
        uint32_t* row = RowAt(out, outPitch, y);
        if (y < target.y || y >= target.y + target.height) {
            std::fill(row, row + outputWidth_, kOpaqueBlack);
            continue;
        }
        std::fill(row, row + target.x, kOpaqueBlack);
        std::fill(row + target.x + target.width, row + outputWidth_, kOpaqueBlack);
    }
    Draw(target, out, outPitch);
}
