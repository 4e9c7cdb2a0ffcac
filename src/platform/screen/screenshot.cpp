#include "platform/screen/screenshot.h"

#include "platform/screen/png.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPicturesKey = "XDG_PICTURES_DIR";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ReadText(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

}  // namespace

std::string UserDirsPictures(const std::string& text, const std::string& home) {
    std::istringstream lines(text);
    std::string line;
    std::string found;
    // Read to the end: as when the shell sources the file, the last assignment wins.
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        const std::string prefix = std::string(kPicturesKey) + "=\"";
        if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 1 || line.back() != '"') {
            continue;
        }
        const std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value == "$HOME" || value.rfind("$HOME/", 0) == 0) {
            found = home + value.substr(5);
        } else if (!value.empty() && value.front() == '/') {
            found = value;
        }
    }
    return found;
}

std::string PicturesFolder() {
    const std::string home = Environment("HOME");
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty()) {
        config = home + "/.config";
    }
    std::string folder;
    if (!config.empty()) {
        folder = UserDirsPictures(ReadText(fs::path(config) / "user-dirs.dirs"), home);
    }
    if (folder.empty()) {
        folder = Environment(kPicturesKey);
    }
    // A pictures folder that was named but never made is no place to write: home it is.
    return IsFolder(folder) ? folder : home;
}

std::string ScreenshotName(const std::tm& when, int serial) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H-%M-%S", &when);
    std::string name = std::string("gaiablade-") + stamp;
    if (serial > 1) {
        name += "-" + std::to_string(serial);
    }
    return name + ".png";
}

bool ScreenshotWrite(const HostFrame& frame, const std::string& path) {
    if (frame.bitsPerPixel != 8 || !frame.pixels || !frame.palette || frame.width <= 0 || frame.height <= 0) {
        return false;
    }
    const auto width = static_cast<size_t>(frame.width);
    std::vector<uint8_t> indices(width * static_cast<size_t>(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* row = frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch;
        std::copy(row, row + width, indices.begin() + static_cast<ptrdiff_t>(width * static_cast<size_t>(y)));
    }
    return PngWriteFile(path, PngEncodeIndexed(frame.width, frame.height, indices, frame.palette));
}

std::string ScreenshotSave(const HostFrame& frame, const std::string& folder) {
    if (folder.empty()) {
        return "";
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (int serial = 1; serial < 100; ++serial) {
        const fs::path path = fs::path(folder) / ScreenshotName(local, serial);
        std::error_code error;
        if (!fs::exists(path, error)) {
            return ScreenshotWrite(frame, path.string()) ? path.string() : "";
        }
    }
    return "";
}
