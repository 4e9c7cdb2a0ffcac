#include "app/key_script.h"

#include "platform/standins/win32.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyScript, LinesHoldTheirKeysUntilTheNextLine) {
    KeyScript script;
    std::string error;
    ASSERT_TRUE(KeyScriptParse("# a game\n0 N\n\n1   SPACE  # fight\n5\n7 LEFT CONTROL\n", script, error)) << error;
    EXPECT_TRUE(script.KeysAt(0) == std::vector<int>{'N'});
    EXPECT_TRUE(script.KeysAt(4) == std::vector<int>{VK_SPACE});
    EXPECT_TRUE(script.KeysAt(5).empty());
    EXPECT_TRUE(script.KeysAt(1000) == (std::vector<int>{VK_LEFT, VK_CONTROL}));
}

TEST(KeyScript, KeysBeforeTheFirstLineAreUp) {
    KeyScript script;
    std::string error;
    ASSERT_TRUE(KeyScriptParse("10 RIGHT\n", script, error));
    EXPECT_TRUE(script.KeysAt(9).empty());
    EXPECT_TRUE(KeyScript{}.KeysAt(0).empty());
}

TEST(KeyScript, EveryKeyNameIsKnown) {
    for (const char* name : {"ESCAPE", "N", "DECIMAL", "Q", "F2", "SPACE", "LEFT", "RIGHT", "CONTROL"}) {
        EXPECT_GE(KeyNameCode(name), 0) << name;
    }
    EXPECT_EQ(KeyNameCode("space"), -1);
    EXPECT_EQ(KeyNameCode(""), -1);
}

TEST(KeyScript, BadLinesAreRefusedWithTheirNumber) {
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"0 N\nx SPACE\n", "line 2"},
        {"0 JUMP\n", "JUMP"},
        {"5 N\n3 SPACE\n", "line 2"},
        {"-1 N\n", "line 1"},
        {"99999999999999999999999 N\n", "line 1"},
        {"12abc N\n", "line 1"},
    };
    for (const Case& c : cases) {
        KeyScript script;
        std::string error;
        EXPECT_FALSE(KeyScriptParse(c.text, script, error)) << c.text;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

}  // namespace
