#include "app/demo.h"

#include "platform/standins/win32.h"
#include "support/test_support.h"

#include <fstream>

namespace {

std::string Header(const std::string& generator = DemoThisGenerator()) {
    return DemoHeaderLine(DemoHeader{"1.0.0", "linux", generator, 1234}) + "\n";
}

std::bitset<256> Keys(std::initializer_list<int> codes) {
    std::bitset<256> keys;
    for (int code : codes) keys.set(static_cast<size_t>(code));
    return keys;
}

TEST(Demo, ARecordedRunReadsBackAsItsSeedKeysScreenshotsAndEnd) {
    TempDir dir;
    const std::filesystem::path file = dir.path() / "run.demo";
    DemoRecorder recorder;
    ASSERT_TRUE(recorder.Open(file, DemoHeader{"1.0.0", DemoThisSystem(), DemoThisGenerator(), 4000000000u}));
    recorder.Pass(0, Keys({'N'}));
    recorder.Pass(1, Keys({}));
    recorder.Pass(2, Keys({}));
    recorder.Pass(3, Keys({VK_RIGHT, VK_SPACE}));
    recorder.Pass(4, Keys({VK_RIGHT, VK_SPACE}));
    recorder.Screenshot(4, "/tmp/shot.png");
    recorder.Pass(5, Keys({VK_ESCAPE}));
    recorder.Close(DemoEnd{7, 1, 2, 3});

    Demo demo;
    std::string error;
    ASSERT_TRUE(DemoLoad(file, demo, error)) << error;
    EXPECT_EQ(demo.header.seed, 4000000000u);
    EXPECT_EQ(demo.header.system, DemoThisSystem());
    // A line only where the keys change.
    ASSERT_EQ(demo.script.lines.size(), 4u);
    EXPECT_EQ(demo.script.KeysAt(2), std::vector<int>{});
    EXPECT_EQ(demo.script.KeysAt(4), (std::vector<int>{VK_SPACE, VK_RIGHT}));
    EXPECT_EQ(demo.script.KeysAt(6), std::vector<int>{VK_ESCAPE});
    EXPECT_EQ(demo.screenshots, std::vector<uint64_t>{4});
    ASSERT_TRUE(demo.end.has_value());
    EXPECT_EQ(demo.Passes(), 7u);
    EXPECT_EQ(demo.end->level, 2);
    EXPECT_EQ(demo.end->landscape, 3);
}

TEST(Demo, WhatIsNotADemoIsRefusedWithAReason) {
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"a plain key script", "0 N\n5 SPACE\n"},
        {"a seed that is no number", "# gaiablade demo 1: version 1, system linux, generator glibc, seed x\n"},
        {"a seed past 32 bits", "# gaiablade demo 1: version 1, system linux, generator glibc, seed 4294967296\n"},
        {"a field missing", "# gaiablade demo 1: version 1, system linux, seed 5\n"},
        {"a field too many", "# gaiablade demo 1: version 1, system linux, generator glibc, seed 5, x 1\n"},
        {"an unknown key", Header() + "0 JUMP\n"},
        {"passes going back", Header() + "5 N\n3\n"},
        {"a damaged end", Header() + "0 N\n# end: passes 9, mode 1\n"},
        {"keys after the end", Header() + "# end: passes 9, mode 1, level 1, landscape 0\n10 N\n"},
        {"a damaged screenshot line", Header() + "# screenshot after pass x: a.png\n"},
    };
    for (const auto& c : cases) {
        Demo demo;
        std::string error;
        EXPECT_FALSE(DemoParse(c.text, demo, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    // A demo cut short (no end line) plays up to its last line.
    Demo cut;
    std::string error;
    ASSERT_TRUE(DemoParse(Header() + "0 N\r\n40 SPACE\n", cut, error)) << error;
    EXPECT_EQ(cut.Passes(), 41u);
}

TEST(Demo, ADemoOfAnotherRandomGeneratorIsRefused) {
    TempDir dir;
    std::ofstream(dir.File("other.demo")) << Header("another-libc") << "0 N\n";
    Demo demo;
    std::string error;
    EXPECT_FALSE(DemoLoad(dir.path() / "other.demo", demo, error));
    EXPECT_NE(error.find("another-libc"), std::string::npos) << error;
    EXPECT_FALSE(DemoLoad(dir.path() / "missing.demo", demo, error));
}

TEST(Demo, PruningKeepsTheNewestByTimeAndSerial) {
    TempDir dir;
    const char* names[] = {"gaiablade-2026-01-01-00-00-00.demo", "gaiablade-2026-01-01-00-00-00-2.demo",
                           "gaiablade-2026-01-01-00-00-01.demo", "gaiablade-2025-12-31-23-59-59.demo", "notes.txt"};
    for (const char* name : names) std::ofstream(dir.File(name)) << "x";
    DemoPrune(dir.path(), 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File(names[0])));
    EXPECT_TRUE(std::filesystem::exists(dir.File(names[1])));
    EXPECT_TRUE(std::filesystem::exists(dir.File(names[2])));
    EXPECT_FALSE(std::filesystem::exists(dir.File(names[3])));
    EXPECT_TRUE(std::filesystem::exists(dir.File("notes.txt")));
    const std::filesystem::path fresh = DemoNewFile(dir.path());
    EXPECT_EQ(fresh.extension(), ".demo");
    EXPECT_EQ(fresh.parent_path(), dir.path());
}

}  // namespace
