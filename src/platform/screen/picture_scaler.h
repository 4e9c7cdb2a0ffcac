// The game's picture enlarged onto an output of any size on the processor, as ScalePlanFor
// plans it: nearest-neighbour enlargement by the whole multiple, then linear smoothing to the
// target, sampled at the centres of the output pixels. The two steps are folded into one table
// per axis (for each output column or row: the two source pixels it blends and the weight of the
// second), so any part of the output can be computed on its own from the picture; black bars
// surround the target.
#pragma once

#include "platform/host/host.h"
#include "platform/screen/scaling.h"

#include <cstdint>
#include <vector>

// One axis of the enlargement: for each output position inside the target, the source pixels
// before and after its sample point, and the weight of the second out of 256.
struct ScaleAxis {
    std::vector<int> first;
    std::vector<int> second;
    std::vector<uint16_t> weight;
};

// The axis for a picture `pictureLength` long, enlarged `prescale` times by nearest neighbour and
// then smoothed to `targetLength`. Where both samples fall on one source pixel, `second` is
// `first` and the weight 0.
ScaleAxis ScaleAxisFor(int pictureLength, int prescale, int targetLength);

class PictureScaler {
public:
    // Plans a picture of `pictureWidth` x `pictureHeight` on an output of `outputWidth` x
    // `outputHeight`. The picture's colours kept so far stay while its size does not change.
    void Plan(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight);
    const ScalePlan& Current() const { return plan_; }
    int OutputWidth() const { return outputWidth_; }
    int OutputHeight() const { return outputHeight_; }

    // Converts `area` (picture pixels) of `frame`, which has the planned picture's size, to the
    // 32-bit colours kept here.
    void Take(const HostFrame& frame, const ScaleRect& area);

    // The output pixels whose colours depend on the picture's `area`; empty for an empty area.
    ScaleRect OutputArea(const ScaleRect& area) const;

    // Computes the output pixels of `area` (output pixels; clipped to the target) into `out`,
    // the whole output as 0xAARRGGBB pixels with rows `outPitch` bytes apart.
    void Draw(const ScaleRect& area, uint32_t* out, int outPitch);

    // Computes the whole output: the picture in the target, opaque black around it.
    void DrawAll(uint32_t* out, int outPitch);

private:
    // The slot of the line cache that holds source row `row` smoothed across, filling one that
    // does not hold `keep` when none does.
    int LineFor(int row, int keep, int firstColumn, int columns);

    ScalePlan plan_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    ScaleAxis columns_;
    ScaleAxis rows_;
    std::vector<uint32_t> picture_;   // the picture in 0xAARRGGBB
    std::vector<uint32_t> lines_[2];  // source rows smoothed across, for the rows being drawn
    int lineRow_[2] = {-1, -1};
};
