#include "platform/screen/scaling.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest whole number, without overflow for screen sizes.
int MulDivRound(int a, int b, int c) { return static_cast<int>((int64_t{a} * b + c / 2) / c); }

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

ScalePlan ScalePlanFor(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight) {
    ScalePlan plan;
    if (pictureWidth <= 0 || pictureHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) {
        return plan;
    }
    ScaleRect& target = plan.target;
    // Cross-multiplied so that an output of exactly the picture's aspect has no rounding at all.
    if (int64_t{outputWidth} * pictureHeight <= int64_t{outputHeight} * pictureWidth) {
        target.width = outputWidth;
        target.height = std::max(1, MulDivRound(outputWidth, pictureHeight, pictureWidth));
    } else {
        target.height = outputHeight;
        target.width = std::max(1, MulDivRound(outputHeight, pictureWidth, pictureHeight));
    }
    target.x = (outputWidth - target.width) / 2;
    target.y = (outputHeight - target.height) / 2;
    plan.prescale = std::max({1, CeilDiv(target.width, pictureWidth), CeilDiv(target.height, pictureHeight)});
    plan.exact = target.width == plan.prescale * pictureWidth && target.height == plan.prescale * pictureHeight;
    return plan;
}

ScaleSize WindowSizeFor(int pictureWidth, int pictureHeight, int usableWidth, int usableHeight) {
    const ScaleSize twice{2 * pictureWidth, 2 * pictureHeight};
    if (usableWidth <= 0 || usableHeight <= 0 || (twice.width <= usableWidth && twice.height <= usableHeight)) {
        return twice;
    }
    const ScaleRect fit = ScalePlanFor(pictureWidth, pictureHeight, usableWidth, usableHeight).target;
    return {fit.width, fit.height};
}
