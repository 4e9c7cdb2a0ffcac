// The landscapes' ground: where it lies, that nothing else uses its colour, and that fighters
// falling and climbing by the game's rule stand where they start and walk across at height.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "pack_files.h"

using namespace packtest;

namespace {

constexpr int kGround = 116;

// Top row of the ground colour in each column, or -1 where the column has none.
std::vector<int> GroundTops(const Bitmap& bmp) {
    std::vector<int> tops(bmp.width, -1);
    for (int x = 0; x < bmp.width; ++x)
        for (int y = 0; y < bmp.height && tops[x] < 0; ++y)
            if (bmp.At(x, y) == kGround) tops[x] = y;
    return tops;
}

int HighestGround(const std::vector<int>& tops, int x0, int x1) {
    int best = 1 << 20;
    for (int x = std::max(0, x0); x <= std::min<int>(tops.size() - 1, x1); ++x) best = std::min(best, tops[x]);
    return best;
}

bool ProbeFindsGround(const Bitmap& bmp, int x1, int y1, int x2, int y2) {
    x1 = std::clamp(x1, 0, bmp.width - 1), x2 = std::clamp(x2, 0, bmp.width - 1);
    y1 = std::clamp(y1, 0, bmp.height - 1), y2 = std::clamp(y2, 0, bmp.height - 1);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (bmp.At(x, y) == kGround) return true;
    return false;
}

// One pass of a fighter's fall: down one row, then up while the probe touches the ground.
// Returns how far it climbed.
int FallAndStand(const Bitmap& bmp, int x, int& y) {
    ++y;
    int climbed = 0;
    while (ProbeFindsGround(bmp, x + 16, y + 24, x + 40, y + 62) && climbed < 480) {
        --y;
        ++climbed;
    }
    return climbed;
}

const int kStartY[5] = {300, 375, 375, 410, 410};

}  // namespace

TEST(PackLandscapes, HaveAContinuousGroundLineAcrossTheWholeWidth) {
    for (const std::string& name : LandscapeNames()) {
        const Bitmap bmp = LoadBitmap(name);
        const std::vector<int> tops = GroundTops(bmp);
        for (int x = 0; x < bmp.width; ++x) {
            ASSERT_GE(tops[x], 0) << name << " has no ground in column " << x;
            if (x > 0) {
                EXPECT_LE(std::abs(tops[x] - tops[x - 1]), 1) << name << " steps at column " << x;
            }
            // Solid ground colour at the top of the ground, so that nothing pokes through it.
            for (int y = tops[x]; y < std::min(bmp.height, tops[x] + 3); ++y)
                EXPECT_EQ(bmp.At(x, y), kGround) << name << " at " << x << "," << y;
        }
    }
}

TEST(PackLandscapes, UseTheGroundColourOnlyAtAndBelowTheGroundLine) {
    for (const std::string& name : LandscapeNames()) {
        const Bitmap bmp = LoadBitmap(name);
        const std::vector<int> tops = GroundTops(bmp);
        for (int x = 0; x < bmp.width; ++x) {
            EXPECT_GE(tops[x], 300) << name << ": ground colour high in column " << x;
            // Below its top the ground may be textured, but no ground colour floats above a
            // gap of other colours (a fighter would fall through to it).
            int lastGround = tops[x];
            for (int y = tops[x]; y < bmp.height; ++y) {
                if (bmp.At(x, y) != kGround) continue;
                EXPECT_LE(y - lastGround, 16) << name << ": detached ground at " << x << "," << y;
                lastGround = y;
            }
        }
    }
}

TEST(PackLandscapes, PutTheGroundUnderTheStartPositions) {
    for (int i = 0; i < 5; ++i) {
        const Bitmap bmp = LoadBitmap(LandscapeNames()[i]);
        const std::vector<int> tops = GroundTops(bmp);
        EXPECT_NEAR(HighestGround(tops, 540, 612), kStartY[i] + 63, 2) << "landscape " << i + 1;
        EXPECT_NEAR(HighestGround(tops, 556, 580), kStartY[i] + 63, 2) << "landscape " << i + 1;
    }
    const std::vector<int> first = GroundTops(LoadBitmap("LANDSCAPE1.BMP"));
    EXPECT_NEAR(HighestGround(first, 36, 59), 363, 2) << "the player's start";
}

TEST(PackLandscapes, MeetTheNextLandscapeAtTheSameHeight) {
    for (int i = 0; i + 1 < 5; ++i) {
        const std::vector<int> left = GroundTops(LoadBitmap(LandscapeNames()[i]));
        const std::vector<int> right = GroundTops(LoadBitmap(LandscapeNames()[i + 1]));
        // Leaving at x 604 the probe covers columns 620..639; arriving at x -36, columns 0..4.
        EXPECT_NEAR(HighestGround(left, 620, 639), HighestGround(right, 0, 4), 3)
            << "landscapes " << i + 1 << " and " << i + 2;
    }
}

TEST(PackLandscapes, LetFightersRestAtTheirStartPositions) {
    for (int i = 0; i < 5; ++i) {
        const Bitmap bmp = LoadBitmap(LandscapeNames()[i]);
        int y = kStartY[i];
        for (int pass = 0; pass < 100; ++pass) FallAndStand(bmp, 540, y);
        EXPECT_NEAR(y, kStartY[i], 2) << "champion of landscape " << i + 1;
    }
    const Bitmap first = LoadBitmap("LANDSCAPE1.BMP");
    int y = 300;
    for (int pass = 0; pass < 100; ++pass) FallAndStand(first, 20, y);
    EXPECT_NEAR(y, 300, 2) << "the player";
}

TEST(PackLandscapes, CarryAWalkingPlayerAcrossAllFiveAtGroundHeight) {
    int y = 300;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("landscape " + std::to_string(i + 1));
        const Bitmap bmp = LoadBitmap(LandscapeNames()[i]);
        const std::vector<int> tops = GroundTops(bmp);
        for (int x = i == 0 ? 20 : -36; x <= 604; x += 2) {
            const int climbed = FallAndStand(bmp, x, y);
            EXPECT_LE(climbed, 4) << "a wall at x " << x;
            // Standing: the probe's bottom row one above the highest ground under it; on a
            // slope down the fighter may lag one row behind.
            const int gap = HighestGround(tops, x + 16, x + 40) - (y + 63);
            EXPECT_GE(gap, 0) << "sunk into the ground at x " << x;
            EXPECT_LE(gap, 1) << "floating at x " << x;
            // The player's feet (around cell column 30) stay close to the ground under them.
            EXPECT_LE(tops[x + 30 < 0 ? 0 : x + 30 > 639 ? 639 : x + 30] - (y + 63), 3) << "feet in the air at x " << x;
        }
    }
}

TEST(PackLandscapes, KeepAChampionWalkingUpASlopeOnItsFeet) {
    // Champions face left with their feet around cell column 41, a long way from the uphill
    // edge of their probe, so slopes must be gentle for them not to hover.
    for (int i = 0; i < 5; ++i) {
        const Bitmap bmp = LoadBitmap(LandscapeNames()[i]);
        const std::vector<int> tops = GroundTops(bmp);
        for (int x = 0; x <= 540; x += 6) {
            int y = kStartY[i];
            for (int pass = 0; pass < 120; ++pass) FallAndStand(bmp, x, y);
            EXPECT_LE(tops[x + 41] - (y + 63), 4) << "landscape " << i + 1 << " x " << x;
        }
    }
}
