#include "engine/core/data_folder.h"

#include "support/test_support.h"

#include <fstream>

namespace {

namespace fs = std::filesystem;

// The tests run from the build folder, beside whose programs the data pack lies.
TEST(DataFolder, StaysWithAnyDataFileAndLeavesOnlyAFolderWithoutThem) {
    const std::vector<std::string> files = {"Menu1.bmp", "PALDATA2.PAL", "Intro.mid"};
    TempDir some;
    std::ofstream(some.File("PALDATA2.PAL")) << "\n";
    {
        WorkingFolder here(some.path());
        EXPECT_EQ(fs::path(DataFolderEnter(nullptr, files)), fs::canonical(some.path()));
        EXPECT_EQ(fs::current_path(), fs::canonical(some.path()));
    }
    TempDir none;
    WorkingFolder here(none.path());
    const fs::path chosen = DataFolderEnter(nullptr, files);
    EXPECT_NE(chosen, fs::canonical(none.path()));
    EXPECT_TRUE(fs::is_regular_file(fs::current_path() / "Menu1.bmp")) << fs::current_path();
}

}  // namespace
