#include "platform/screen/screenshot.h"

#include "platform/screen/png.h"
#include "support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

TEST(UserDirsPictures, ReadsTheFilesOwnForms) {
    const std::string home = "/home/ada";
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", home), "/home/ada/Pictures");
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"/srv/shots\"", home), "/srv/shots");
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"$HOME/Mes images\"", home), "/home/ada/Mes images");
    // "$HOME/" alone is how the file says the folder is switched off: the home folder is used.
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"$HOME/\"", home), "/home/ada/");
}

TEST(UserDirsPictures, SkipsCommentsOtherFoldersAndWhatItCannotRead) {
    const std::string home = "/home/ada";
    const std::string file =
        "# This file is written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
        "#XDG_PICTURES_DIR=\"$HOME/Old\"\n"
        "  XDG_PICTURES_DIR=\"$HOME/Bilder\"  \r\n"
        "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n";
    EXPECT_EQ(UserDirsPictures(file, home), "/home/ada/Bilder");
    EXPECT_EQ(UserDirsPictures("", home), "");
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=Pictures", home), "");
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"relative/path\"", home), "");
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"$HOMEWORK\"", home), "");
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"$HOME/Pictures", home), "");
    // As when the shell reads the file, the last line that sets it wins.
    EXPECT_EQ(UserDirsPictures("XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=\"/b\"\n", home), "/b");
}

// Sets environment variables for one test and puts the old values back.
class Environment {
public:
    void Set(const char* name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        Put(name, value);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Put(it->first, it->second);
    }

private:
    static void Put(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

class PicturesFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home());
        env.Set("HOME", home().string());
        env.Set("XDG_CONFIG_HOME", std::nullopt);
        env.Set("XDG_PICTURES_DIR", std::nullopt);
    }
    fs::path home() const { return dir.path() / "home"; }
    void WriteUserDirs(const fs::path& config, const std::string& text) {
        fs::create_directories(config);
        std::ofstream(config / "user-dirs.dirs") << text;
    }
    TempDir dir;
    Environment env;
};

TEST_F(PicturesFolderTest, HomeWhenNothingNamesOne) { EXPECT_EQ(PicturesFolder(), home().string()); }

TEST_F(PicturesFolderTest, TheFileComesBeforeTheVariable) {
    fs::create_directories(home() / "Pictures");
    fs::create_directories(dir.path() / "elsewhere");
    env.Set("XDG_PICTURES_DIR", (dir.path() / "elsewhere").string());
    EXPECT_EQ(PicturesFolder(), (dir.path() / "elsewhere").string());
    WriteUserDirs(home() / ".config", "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
    EXPECT_EQ(PicturesFolder(), (home() / "Pictures").string());
}

TEST_F(PicturesFolderTest, ConfigFolderFromItsVariable) {
    fs::create_directories(dir.path() / "shots");
    WriteUserDirs(dir.path() / "config", "XDG_PICTURES_DIR=\"" + (dir.path() / "shots").string() + "\"\n");
    env.Set("XDG_CONFIG_HOME", (dir.path() / "config").string());
    EXPECT_EQ(PicturesFolder(), (dir.path() / "shots").string());
}

TEST_F(PicturesFolderTest, AFolderNamedButNeverMadeFallsBackToHome) {
    WriteUserDirs(home() / ".config", "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
    EXPECT_EQ(PicturesFolder(), home().string());
}

class ScreenshotFileTest : public ::testing::Test {
protected:
    ScreenshotFileTest() : pixels(static_cast<size_t>(kPitch) * kHeight, 0xEE), palette(1024, 0) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixels[static_cast<size_t>(y * kPitch + x)] = static_cast<uint8_t>(x + 10 * y);
        for (int i = 0; i < 256; ++i) palette[static_cast<size_t>(4 * i)] = static_cast<uint8_t>(255 - i);
        frame = {
            .pixels = pixels.data(), .pitch = kPitch, .width = kWidth, .height = kHeight, .palette = palette.data()};
    }
    static constexpr int kWidth = 7, kHeight = 5, kPitch = 12;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> palette;
    HostFrame frame;
    TempDir dir;
};

// The padding at the end of each row of the frame stays out of the picture.
TEST_F(ScreenshotFileTest, WritesThePictureWithoutRowPadding) {
    std::vector<uint8_t> unpadded;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) unpadded.push_back(static_cast<uint8_t>(x + 10 * y));
    ASSERT_TRUE(ScreenshotWrite(frame, dir.File("shot.png")));
    EXPECT_EQ(ReadBytes(dir.File("shot.png")), PngEncodeIndexed(kWidth, kHeight, unpadded, palette.data()));
}

TEST_F(ScreenshotFileTest, SixteenBitFramesAndUnwritableFoldersFail) {
    HostFrame words = frame;
    words.bitsPerPixel = 16;
    EXPECT_FALSE(ScreenshotWrite(words, dir.File("words.png")));
    EXPECT_FALSE(fs::exists(dir.File("words.png")));
    EXPECT_EQ(ScreenshotSave(frame, dir.File("missing")), "");
    EXPECT_EQ(ScreenshotSave(frame, ""), "");
}

// Two shots in the same second get two files; neither overwrites the other.
TEST_F(ScreenshotFileTest, SavesUnderNewNamesOnly) {
    const std::string first = ScreenshotSave(frame, dir.path().string());
    const std::string second = ScreenshotSave(frame, dir.path().string());
    ASSERT_NE(first, "");
    ASSERT_NE(second, "");
    EXPECT_NE(first, second);
    EXPECT_EQ(fs::path(first).parent_path(), dir.path());
    EXPECT_TRUE(fs::path(first).filename().string().starts_with("gaiablade-"));
    EXPECT_EQ(fs::path(second).extension(), ".png");
}

}  // namespace
