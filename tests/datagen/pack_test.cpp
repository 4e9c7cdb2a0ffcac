// The pack as a whole: the exact set of files, the same bytes on every run, and the writers'
// own guarantees.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include <unistd.h>

#include "art/palette.h"
#include "art/quantise.h"
#include "formats/bmp_writer.h"
#include "formats/wav_writer.h"
#include "game/data_files.h"
#include "pack.h"
#include "pack_files.h"

using namespace packtest;

namespace {

const std::vector<datagen::DataFile>& FreshPack() {
    static const std::vector<datagen::DataFile> pack = datagen::BuildDataPack();
    return pack;
}
// The same files with the songs left unlevelled, for the tests that do not read them: it is made
// without playing them.
const std::vector<datagen::DataFile>& QuickPack() {
    static const std::vector<datagen::DataFile> pack = datagen::BuildDataPack(false);
    return pack;
}

}  // namespace

TEST(DatagenPack, HoldsExactlyTheFilesTheGameReads) {
    std::set<std::string> made;
    for (const auto& f : QuickPack()) {
        EXPECT_TRUE(made.insert(f.name).second) << f.name << " twice";
    }
    const std::vector<std::string> expected = GameDataFiles();
    EXPECT_EQ(made, std::set<std::string>(expected.begin(), expected.end()));
}

TEST(DatagenPack, ComesOutByteForByteTheSameAsTheBuildsDataFolder) {
    for (const auto& f : FreshPack()) {
        EXPECT_TRUE(ReadFile(DataPath(f.name)) == f.bytes) << f.name << " differs";
    }
    const auto again = datagen::BuildDataPack();
    ASSERT_EQ(again.size(), FreshPack().size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_TRUE(again[i].bytes == FreshPack()[i].bytes) << again[i].name;
    }
}

TEST(DatagenPack, WritesItsFilesIntoAFolder) {
    const auto folder = std::filesystem::temp_directory_path() / ("gaiablade-pack-" + std::to_string(::getpid()));
    std::vector<datagen::DataFile> some(QuickPack().begin(), QuickPack().begin() + 3);
    datagen::WriteFiles(some, folder / "nested");
    for (const auto& f : some) {
        EXPECT_TRUE(ReadFile((folder / "nested" / f.name).string()) == f.bytes) << f.name;
    }
    std::filesystem::remove_all(folder);
}

TEST(DatagenWriters, RefuseABitmapWhoseRowsWouldNeedPadding) {
    EXPECT_THROW(datagen::EncodeBmp8(datagen::IndexedImage(293, 2), datagen::GamePalette()), std::invalid_argument);
    const datagen::Bytes ok = datagen::EncodeBmp8(datagen::IndexedImage(4, 2, 7), datagen::GamePalette());
    EXPECT_EQ(ok.size(), 1078u + 8u);
}

TEST(DatagenWriters, KeepSilenceAtTheMidpointAndFillAnOddSampleCountToAWord) {
    const datagen::Bytes silent = datagen::EncodeWav8(std::vector<double>(5, 0.0));
    const Wave w = ParseWave(silent);
    EXPECT_EQ(w.samples, std::vector<std::uint8_t>(5, 128));
    EXPECT_EQ(silent.size() % 2, 0u);
    const Wave loud = ParseWave(datagen::EncodeWav8({0.0, 0.5, -0.25, 0.0}));
    EXPECT_EQ(loud.samples, (std::vector<std::uint8_t>{128, 255, 65, 128}));
}

TEST(DatagenPalette, NeverHandsOutTheGroundColourForPainting) {
    for (int i = 0; i <= 100; ++i) {
        EXPECT_NE(datagen::Shade(datagen::ramp::kEarth, i / 100.0), datagen::kGround);
    }
    const datagen::Rgb ground = datagen::GamePalette()[datagen::kGround];
    datagen::Canvas canvas(8, 8, datagen::ToColour(ground));
    const datagen::IndexedImage picture = datagen::Quantise(canvas, {datagen::ramp::kEarth}, 14.0);
    EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), datagen::kGround), 0);
}
