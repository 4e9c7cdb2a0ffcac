#include "engine/gfx/error_log.h"

#include "support/test_support.h"

#include <regex>
#include <string>

namespace {

std::string Text(const std::string& name) {
    const auto bytes = ReadBytes(name);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ErrorLog, ClosedLogWritesNothing) {
    TempDir dir;
    WorkingFolder here(dir.path());
    EXPECT_EQ(ErrorLogWrite("\npixel format = %d", 8), 0);
    EXPECT_EQ(ErrorLogClose(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ErrorLog, OpeningLineAndFlushedMessages) {
    TempDir dir;
    WorkingFolder here(dir.path());  // a short name keeps the opening line within 79 characters
    const std::string name = "log.txt";
    ASSERT_EQ(ErrorLogOpen(name.c_str(), nullptr), 1);
    const std::string opening = Text(name);
    // "\nOpening Error Output File (NAME) on Www Mmm dd hh:mm:ss.MS, yyyy\n\n"
    const std::regex pattern(
        "\nOpening Error Output File \\(log\\.txt\\) on "
        "[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2}"
        "\\.([1-9][0-9]{0,2}|0), [0-9]{4}\n\n");
    EXPECT_TRUE(std::regex_match(opening, pattern)) << opening;
    EXPECT_EQ(ErrorLogWrite("100%% sure %d", 5), 1);
    EXPECT_EQ(Text(name), opening + "100% sure 5");  // in the file at once
    EXPECT_EQ(ErrorLogClose(), 1);
    EXPECT_EQ(Text(name), opening + "100% sure 5\nClosing Error Output File.");
}

TEST(ErrorLog, LongMessagesAreCutAtSeventyNineCharacters) {
    TempDir dir;
    const std::string name = dir.File("log.txt");
    ASSERT_EQ(ErrorLogOpen(name.c_str(), nullptr), 1);
    const std::string before = Text(name);
    const std::string longText(300, 'x');
    EXPECT_EQ(ErrorLogWrite("%s", longText.c_str()), 1);
    ErrorLogClose();
    EXPECT_EQ(Text(name).substr(before.size(), 80), std::string(79, 'x') + "\n");
}

TEST(ErrorLog, GivenStreamStaysOpen) {
    TempDir dir;
    const std::string name = dir.File("stream.txt");
    FILE* stream = std::fopen(name.c_str(), "w");
    ASSERT_EQ(ErrorLogOpen("shown.txt", stream), 1);
    EXPECT_EQ(ErrorLogStream(), stream);
    EXPECT_EQ(ErrorLogClose(), 1);
    EXPECT_EQ(std::fputs("after", stream) >= 0, true);  // still ours to use
    std::fclose(stream);
    const std::string text = Text(name);
    EXPECT_NE(text.find("(shown.txt)"), std::string::npos);
    EXPECT_NE(text.find("Closing Error Output File.after"), std::string::npos);
}

TEST(ErrorLog, UncreatableFileLeavesTheLogClosed) {
    EXPECT_EQ(ErrorLogOpen("/no/such/folder/log.txt", nullptr), 0);
    EXPECT_EQ(ErrorLogStream(), nullptr);
    // Also when it was open: later writes must not land in the old file.
    TempDir dir;
    const std::string name = dir.File("old.txt");
    ASSERT_EQ(ErrorLogOpen(name.c_str(), nullptr), 1);
    EXPECT_EQ(ErrorLogOpen("/no/such/folder/log.txt", nullptr), 0);
    EXPECT_EQ(ErrorLogStream(), nullptr);
    EXPECT_EQ(ErrorLogWrite("stray"), 0);
    EXPECT_EQ(Text(name).find("stray"), std::string::npos);
}

}  // namespace
