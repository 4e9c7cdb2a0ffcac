// The runner as other programs see it: its command line, trace, frames and audio.
#include "runner.h"

#include "app/demo.h"
#include "support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

class RunnerCli : public ::testing::Test {
protected:
    void SetUp() override { MakeTestDataPack(data.path()); }
    // Runs the program with `arguments`; its exit status, and its standard output in `out`.
    int Run(const std::string& arguments, std::string* out = nullptr, const std::string& input = "") {
        const std::string outFile = work.File("out.txt");
        std::string command = std::string(GAIABLADE_HEADLESS_PROGRAM) + " --data '" + data.path().string() + "' " +
                              arguments + " > '" + outFile + "' 2> '" + work.File("err.txt") + "'";
        if (!input.empty()) {
            std::ofstream(work.File("in.txt")) << input;
            command += " < '" + work.File("in.txt") + "'";
        }
        const int status = std::system(command.c_str());
        if (out) {
            std::ifstream file(outFile);
            std::stringstream text;
            text << file.rdbuf();
            *out = text.str();
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) lines.push_back(line);
        return lines;
    }
    TempDir data;
    TempDir work;
};

TEST_F(RunnerCli, TraceHasEveryFieldOnOneLinePerPass) {
    std::ofstream(work.File("keys")) << "0 N\n1 SPACE\n2\n4 RIGHT\n";
    std::string out;
    ASSERT_EQ(Run("--keys '" + work.File("keys") + "' --passes 6 --trace -", &out), 0);
    const auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 6u);
    const std::regex shape(
        R"(\{"pass":\d+,"ms":\d+,"mode":\d,"level":\d,"landscape":\d,"timer":-?\d+,"acted":[01],"presented":(true|false),)"
        R"("player":\{"x":[-0-9.e]+,"y":[-0-9.e]+,"anim":\d+,"frame":-?\d+,"live":(true|false)\},)"
        R"("enemy":(null|\{"n":\d,"x":[-0-9.e]+,"y":[-0-9.e]+,"anim":\d+,"frame":-?\d+,"live":(true|false),"action":\d,"attackTimer":\d+,"pauseTimer":\d+\}),)"
        R"("sounds":\[("[^"]*"(,"[^"]*")*)?\],"song":(null|"[^"]*")\})");
    for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_NE(lines[1].find("\"song\":\"MIDIFILE0.MID\""), std::string::npos);
    EXPECT_NE(lines[4].find("\"player\":{\"x\":22,\"y\":300,"), std::string::npos) << lines[4];
    EXPECT_NE(lines[5].find("\"ms\":420"), std::string::npos) << lines[5];
}

TEST_F(RunnerCli, InteractiveReadsALinePerPassUntilTheInputEnds) {
    std::string out;
    ASSERT_EQ(Run("--interactive", &out, "N\nSPACE\n\nRIGHT\n"), 0);
    const auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[3].find("\"acted\":1"), std::string::npos);
    EXPECT_EQ(Run("--interactive", nullptr, "N\nJUMP\n"), 2);
}

TEST_F(RunnerCli, FramesAndAudioAreWritten) {
    const std::string frames = work.File("frames");
    const std::string audio = work.File("run.wav");
    ASSERT_EQ(Run("--passes 5 --frames '" + frames + "' --frame-every 2 --audio '" + audio + "'"), 0);
    EXPECT_TRUE(std::filesystem::exists(frames + "/frame-000000.png"));
    EXPECT_FALSE(std::filesystem::exists(frames + "/frame-000001.png"));
    EXPECT_TRUE(std::filesystem::exists(frames + "/frame-000004.png"));
    const auto wav = ReadBytes(audio);
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    // Five menu passes of 100 ms: half a second of 16-bit stereo.
    const uint32_t rate = wav[24] | (wav[25] << 8) | (wav[26] << 16);
    EXPECT_EQ(wav.size() - 44, rate / 2 * 4);
}

TEST_F(RunnerCli, BadArgumentsExitWithTwo) {
    EXPECT_EQ(Run("--passes"), 2);
    EXPECT_EQ(Run("--passes ten"), 2);
    EXPECT_EQ(Run("--frame-every 0"), 2);
    EXPECT_EQ(Run("--wings"), 2);
    EXPECT_EQ(Run("--keys /no/such/script"), 2);
    EXPECT_EQ(Run("--keys x --interactive"), 2);
    std::ofstream(work.File("bad")) << "0 JUMP\n";
    EXPECT_EQ(Run("--keys '" + work.File("bad") + "'"), 2);
    const auto err = ReadBytes(work.File("err.txt"));
    EXPECT_NE(std::string(err.begin(), err.end()).find("JUMP"), std::string::npos);
}

TEST_F(RunnerCli, EscapeEndsTheRunWithStatusZero) {
    std::ofstream(work.File("keys")) << "0 ESCAPE\n1\n";
    std::string out;
    ASSERT_EQ(Run("--keys '" + work.File("keys") + "' --trace -", &out), 0);
    EXPECT_EQ(Lines(out).size(), 2u);
}

TEST_F(RunnerCli, ADemoPlaysAsItsKeysWithItsSeedForItsPasses) {
    const std::string keys = "0 N\n1\n3 SPACE\n4\n6 RIGHT\n40 SPACE\n41 CONTROL\n";
    std::ofstream(work.File("keys")) << keys;
    std::ofstream(work.File("run.demo")) << DemoHeaderLine(DemoHeader{"1.0.0", "linux", DemoThisGenerator(), 77})
                                         << "\n"
                                         << keys << DemoEndLine(DemoEnd{60, 0, 1, 0}) << "\n";
    std::string fromKeys, fromDemo;
    ASSERT_EQ(Run("--keys '" + work.File("keys") + "' --seed 77 --passes 60 --trace -", &fromKeys), 0);
    ASSERT_EQ(Run("--demo '" + work.File("run.demo") + "' --trace -", &fromDemo), 0);
    EXPECT_EQ(Lines(fromDemo).size(), 60u);
    EXPECT_EQ(fromDemo, fromKeys);

    // Another system's generator, or a damaged demo: one line and status 2.
    std::ofstream(work.File("other.demo")) << DemoHeaderLine(DemoHeader{"1.0.0", "web", "musl", 77}) << "\n0 N\n";
    std::ofstream(work.File("damaged.demo")) << "0 N\n";
    for (const char* demo : {"other.demo", "damaged.demo"}) {
        EXPECT_EQ(Run(std::string("--demo '") + work.File(demo) + "'"), 2) << demo;
        const auto err = ReadBytes(work.File("err.txt"));
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << demo;
    }
    EXPECT_EQ(Run("--demo '" + work.File("run.demo") + "' --seed 3"), 2);
}

}  // namespace
