// Every data file missing, cut short, full of random bytes or of another format, one at a time:
// start-up completes, a whole game is played to its end, and the faulty file is the one named
// on standard error. Built with the sanitizers, these runs also show nothing is read out of
// bounds on the way.
#include "fault_game.h"
#include "support/test_support.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace {

struct Case {
    std::string file;
    Fault fault;
};

// Shown in test names and failures as "Missing Gaia0.BMP".
void PrintTo(const Case& c, std::ostream* out) { *out << FaultName(c.fault) << " " << c.file; }

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (Fault fault : {Fault::Missing, Fault::Truncated, Fault::RandomBytes, Fault::OtherFormat})
        for (const std::string& file : DataFileNames()) cases.push_back({file, fault});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = std::string(FaultName(info.param.fault)) + "_" + info.param.file;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

// The palette file is text read number by number, and a short or odd one is read as far as it
// goes: only a missing palette is a fault the game can see.
bool GameCanTell(const Case& c) { return c.fault == Fault::Missing || c.file != "PALDATA2.PAL"; }

class DataFileFault : public ::testing::TestWithParam<Case> {};

TEST_P(DataFileFault, GameRunsToItsEndAndNamesTheFile) {
    const Case& c = GetParam();
    TempDir data;
    MakePackWithFault(data.path(), c.file, c.fault);
    HeadlessHost host;
    const GameRun run = PlayWholeGame(data.path(), host);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.quitByItself) << "still running after " << run.passes << " passes";
    EXPECT_TRUE(run.sawEnding);
    const std::vector<std::string> expected = GameCanTell(c) ? std::vector<std::string>{c.file}
                                                             : std::vector<std::string>{};
    EXPECT_EQ(NamedDataFiles(run.errors), expected) << run.errors;
}

INSTANTIATE_TEST_SUITE_P(EachFile, DataFileFault, ::testing::ValuesIn(AllCases()), CaseName);

TEST(DataFolder, SoundPackIsPlayedThroughWithoutAWord) {
    TempDir data;
    MakePackWithFault(data.path(), "", Fault::Missing);
    HeadlessHost host;
    const GameRun run = PlayWholeGame(data.path(), host);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.quitByItself);
    EXPECT_TRUE(run.sawEnding);
    EXPECT_TRUE(NamedDataFiles(run.errors).empty()) << run.errors;
}

TEST(DataFolder, EmptyFolderNamesEveryFileOnceAndTheGameStillRuns) {
    TempDir data;
    HeadlessHost host;
    const GameRun run = PlayWholeGame(data.path(), host);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.quitByItself);
    EXPECT_TRUE(run.sawEnding);
    EXPECT_EQ(NamedDataFiles(run.errors), DataFileNames());
    for (const std::string& name : DataFileNames()) {
        EXPECT_EQ(LinesWith(run.errors, "\"" + name + "\""), 1) << name;
    }
}

TEST(DataFolder, EveryFileFullOfRandomBytesAtOnce) {
    TempDir data;
    HeadlessHost host;
    for (const std::string& name : DataFileNames()) WriteFaultyFile(data.path(), name, Fault::RandomBytes);
    const GameRun run = PlayWholeGame(data.path(), host);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.quitByItself);
    EXPECT_TRUE(run.sawEnding);
    std::vector<std::string> told = DataFileNames();
    told.erase(told.begin());  // the palette, read as far as it goes
    EXPECT_EQ(NamedDataFiles(run.errors), told);
}

}  // namespace
