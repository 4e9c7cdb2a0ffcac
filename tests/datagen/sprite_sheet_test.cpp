// The fighters' sheets: the grid the game cuts frames from, which cells hold frames, and
// that the frames stand, face and swing as the game's rules expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "pack_files.h"

using namespace packtest;

namespace {

constexpr int kCellW = 72, kCellH = 74;
const char* kFighters[6] = {"Gaia", "Eris", "Apollo", "Medousa", "Haides", "Aries"};

struct Cell {
    std::vector<int> pixels;
    int At(int x, int y) const { return pixels[y * kCellW + x]; }
    bool Empty() const {
        return std::all_of(pixels.begin(), pixels.end(), [](int p) { return p == 0; });
    }
    int Lowest() const {
        for (int y = kCellH - 1; y >= 0; --y)
            for (int x = 0; x < kCellW; ++x)
                if (At(x, y)) return y;
        return -1;
    }
    int Column(bool fromRight) const {
        for (int i = 0; i < kCellW; ++i) {
            const int x = fromRight ? kCellW - 1 - i : i;
            for (int y = 0; y < kCellH; ++y)
                if (At(x, y)) return x;
        }
        return -1;
    }
};

Cell CutCell(const Bitmap& sheet, int column, int row) {
    Cell c;
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x) c.pixels.push_back(sheet.At(1 + 73 * column + x, 1 + 75 * row + y));
    return c;
}

// Frame f of a fighter, cut the way the game cuts it.
Cell Frame(const std::string& who, int frame) {
    const Bitmap sheet = LoadBitmap(who + std::to_string(frame / 6) + ".BMP");
    const int k = frame % 6;
    return CutCell(sheet, k < 4 ? k : k - 4, k < 4 ? 0 : 1);
}

const std::vector<int> kLoadedFrames = {0, 1, 2, 3, 6, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};

}  // namespace

TEST(PackSheets, DrawTheGridInAVisibleColourAndLeaveSpareColumnsEmpty) {
    for (const std::string& name : SheetNames()) {
        SCOPED_TRACE(name);
        const Bitmap sheet = LoadBitmap(name);
        for (int c = 0; c <= 4; ++c)
            for (int y = 0; y <= 150; ++y) {
                EXPECT_NE(sheet.At(73 * c, y), 0) << "vertical line " << c << " row " << y;
            }
        for (int r = 0; r <= 2; ++r)
            for (int x = 0; x <= 292; ++x) {
                EXPECT_NE(sheet.At(x, 75 * r), 0) << "horizontal line " << r << " column " << x;
            }
        for (int y = 0; y < sheet.height; ++y)
            for (int x = 293; x < 296; ++x) {
                EXPECT_EQ(sheet.At(x, y), 0);
            }
    }
}

TEST(PackSheets, FillExactlyTheCellsTheGameLoads) {
    for (const char* who : kFighters)
        for (int file = 0; file < 4; ++file) {
            const Bitmap sheet = LoadBitmap(who + std::to_string(file) + ".BMP");
            for (int c = 0; c < 4; ++c) {
                EXPECT_FALSE(CutCell(sheet, c, 0).Empty()) << who << file << " cell " << c;
                // Row 1: frames 6f+4 and 6f+5 exist only in files 2 and 3 (4, 5, 10, 11 unused).
                const bool used = file >= 2 && c < 2;
                EXPECT_EQ(CutCell(sheet, c, 1).Empty(), !used) << who << file << " row 1 cell " << c;
            }
        }
}

TEST(PackSheets, StandEveryFrameOnTheRowTheGroundProbeLeavesFree) {
    // Resting, the probe's bottom (cell row 62) is one row above the ground, so soles on row 62.
    for (const char* who : kFighters)
        for (int f : kLoadedFrames) {
            const Cell cell = Frame(who, f);
            EXPECT_EQ(cell.Lowest(), 62) << who << " frame " << f;
        }
}

TEST(PackSheets, KeepFiguresInsideTheirCells) {
    for (const char* who : kFighters)
        for (int f : kLoadedFrames) {
            const Cell cell = Frame(who, f);
            for (int y = 0; y < kCellH; ++y) {
                EXPECT_EQ(cell.At(0, y), 0) << who << " frame " << f << " touches the left edge";
                EXPECT_EQ(cell.At(kCellW - 1, y), 0) << who << " frame " << f << " touches the right edge";
            }
            for (int x = 0; x < kCellW; ++x) {
                EXPECT_EQ(cell.At(x, 0), 0) << who << " frame " << f << " touches the top";
            }
        }
}

TEST(PackSheets, SwingTheStrikeFurthestAtTheMiddleOfItsList) {
    // The strike plays 12..17..13: frame 17 reaches furthest, forward being right for the
    // player and left for the enemies.
    for (int i = 0; i < 6; ++i) {
        const bool right = i == 0;
        auto reach = [&](int f) {
            const Cell c = Frame(kFighters[i], f);
            return right ? c.Column(true) : kCellW - 1 - c.Column(false);
        };
        int previous = -1;
        for (int f = 12; f <= 17; ++f) {
            if (f >= 14) {
                EXPECT_GE(reach(f), previous) << kFighters[i] << " frame " << f;
            }
            previous = reach(f);
        }
        EXPECT_GE(reach(17), reach(12) + 10) << kFighters[i];
        EXPECT_GE(reach(17), 60) << kFighters[i] << " lunges only " << reach(17);
    }
}

TEST(PackSheets, FacePlayerRightAndEnemiesLeft) {
    // Standing, the body is on the back half of the cell and the sword points forward.
    for (int i = 0; i < 6; ++i) {
        const Cell lunge = Frame(kFighters[i], 17);
        const int left = lunge.Column(false), right = lunge.Column(true);
        const int mid = (left + right) / 2;
        if (i == 0) {
            EXPECT_GT(mid, kCellW / 2 - 4) << "the player lunges right";
        } else {
            EXPECT_LT(mid, kCellW / 2 + 4) << kFighters[i] << " lunges left";
        }
    }
}

TEST(PackSheets, AnimateWalkStrikeAndParryWithDifferentPictures) {
    for (const char* who : kFighters) {
        std::set<std::vector<int>> distinct;
        for (int f : {0, 1, 2, 6, 7, 8, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23})
            distinct.insert(Frame(who, f).pixels);
        EXPECT_EQ(distinct.size(), 18u) << who;
    }
}

TEST(PackSheets, MakeSixRecognisablyDifferentFighters) {
    // Compare the colours each fighter is painted in: no two may share most of them.
    std::vector<std::set<int>> colours(6);
    for (int i = 0; i < 6; ++i)
        for (int p : Frame(kFighters[i], 0).pixels)
            if (p) colours[i].insert(p);
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) {
            std::vector<int> common;
            std::set_intersection(colours[a].begin(), colours[a].end(), colours[b].begin(), colours[b].end(),
                                  std::back_inserter(common));
            const double share = double(common.size()) / std::min(colours[a].size(), colours[b].size());
            EXPECT_LT(share, 0.6) << kFighters[a] << " and " << kFighters[b] << " look alike";
        }
}
