#include "app/demo.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kHeaderStart = "# gaiablade demo 1: ";
constexpr const char* kEndStart = "# end: ";
constexpr const char* kScreenshotStart = "# screenshot after pass ";
// A ten-minute game is a few kilobytes; anything this large is not a demo.
constexpr std::uintmax_t kLargestDemo = 16u << 20;

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Splits "name value, name value, ..." after a line's start into its values, checking the names.
bool Fields(const std::string& text, std::initializer_list<const char*> names, std::vector<std::string>& values) {
    values.clear();
    std::istringstream parts(text);
    std::string part;
    auto name = names.begin();
    while (std::getline(parts, part, ',')) {
        std::istringstream words(part);
        std::string word, value, extra;
        if (name == names.end() || !(words >> word >> value) || (words >> extra) || word != *name) {
            return false;
        }
        values.push_back(value);
        ++name;
    }
    return name == names.end();
}

bool ParseHeader(const std::string& line, DemoHeader& header) {
    std::vector<std::string> v;
    if (!StartsWith(line, kHeaderStart) ||
        !Fields(line.substr(std::string(kHeaderStart).size()), {"version", "system", "generator", "seed"}, v)) {
        return false;
    }
    header = DemoHeader{v[0], v[1], v[2], 0};
    return ParseNumber(v[3], header.seed);
}

bool ParseEnd(const std::string& line, DemoEnd& end) {
    std::vector<std::string> v;
    return Fields(line.substr(std::string(kEndStart).size()), {"passes", "mode", "level", "landscape"}, v) &&
           ParseNumber(v[0], end.passes) && ParseNumber(v[1], end.mode) && ParseNumber(v[2], end.level) &&
           ParseNumber(v[3], end.landscape);
}

bool ParseScreenshot(const std::string& line, uint64_t& pass) {
    const std::string rest = line.substr(std::string(kScreenshotStart).size());
    return ParseNumber(rest.substr(0, rest.find(':')), pass);
}

// The demo's own comment lines: the header first, a screenshot now and then, the end last.
bool ParseComments(const std::string& text, Demo& demo, std::string& error) {
    std::istringstream input(text);
    std::string line;
    bool headed = false;
    for (int number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!headed) {
            if (!ParseHeader(line, demo.header)) {
                error = "line 1 is not a demo's header (\"" + std::string(kHeaderStart) + "version ...\")";
                return false;
            }
            headed = true;
        } else if (demo.end && line.find_first_not_of(" \t") != std::string::npos) {
            error = where + "nothing may follow the end line";
            return false;
        } else if (StartsWith(line, kEndStart)) {
            if (DemoEnd end; ParseEnd(line, end)) {
                demo.end = end;
            } else {
                error = where + "a damaged end line";
                return false;
            }
        } else if (StartsWith(line, kScreenshotStart)) {
            uint64_t pass = 0;
            if (!ParseScreenshot(line, pass)) {
                error = where + "a damaged screenshot line";
                return false;
            }
            demo.screenshots.push_back(pass);
        }
    }
    if (!headed) error = "an empty file, not a demo";
    return headed;
}

// A path as UTF-8 text for a message: never throws, whatever the path holds.
std::string PathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Orders demos by their time stamp, then by the serial that follows a taken name.
std::pair<std::string, int> DemoOrder(const fs::path& path) {
    const std::string stem = PathText(path.stem());
    const size_t stampEnd = std::string("gaiablade-YYYY-MM-DD-HH-MM-SS").size();
    int serial = 1;
    if (stem.size() > stampEnd + 1) ParseNumber(stem.substr(stampEnd + 1), serial);
    return {stem.substr(0, stampEnd), serial};
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

uint64_t Demo::Passes() const {
    if (end) return end->passes;
    return script.lines.empty() ? 0 : script.lines.back().pass + 1;
}

const char* DemoThisVersion() { return GAIABLADE_VERSION; }

const char* DemoThisSystem() {
#if defined(__EMSCRIPTEN__)
    return "web";
#elif defined(_WIN32)
    return "windows";
#else
    return "linux";
#endif
}

const char* DemoThisGenerator() {
#if defined(__EMSCRIPTEN__)
    return "musl";
#elif defined(_WIN32)
    return "msvcrt";
#elif defined(__GLIBC__)
    return "glibc";
#else
    return "unknown";
#endif
}

std::string DemoHeaderLine(const DemoHeader& h) {
    return kHeaderStart + ("version " + h.version + ", system " + h.system + ", generator " + h.generator + ", seed " +
                           std::to_string(h.seed));
}

std::string DemoEndLine(const DemoEnd& e) {
    return kEndStart + ("passes " + std::to_string(e.passes) + ", mode " + std::to_string(e.mode) + ", level " +
                        std::to_string(e.level) + ", landscape " + std::to_string(e.landscape));
}

bool DemoParse(const std::string& text, Demo& demo, std::string& error) {
    demo = Demo{};
    return ParseComments(text, demo, error) && KeyScriptParse(text, demo.script, error);
}

bool DemoLoad(const fs::path& path, Demo& demo, std::string& error) {
    std::error_code failed;
    const std::uintmax_t size = fs::file_size(path, failed);
    std::ifstream file(path, std::ios::binary);
    if (failed || !file) {
        error = "cannot read the demo " + PathText(path);
        return false;
    }
    if (size > kLargestDemo) {
        error = PathText(path) + ": too large for a demo";
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!DemoParse(text.str(), demo, error)) {
        error = PathText(path) + ": " + error;
        return false;
    }
    if (demo.header.generator != DemoThisGenerator()) {
        error = PathText(path) + ": recorded with the random generator of " + demo.header.generator + " (" +
                demo.header.system + "); this program has " + DemoThisGenerator() + "'s, which would play another game";
        return false;
    }
    return true;
}

bool DemoRecorder::Open(const fs::path& path, const DemoHeader& header) {
    file_.open(path, std::ios::binary | std::ios::trunc);
    if (!file_) return false;
    file_ << DemoHeaderLine(header) << '\n';
    file_.flush();
    last_.reset();
    flushed_ = std::chrono::steady_clock::now();
    return static_cast<bool>(file_);
}

void DemoRecorder::Pass(uint64_t pass, const std::bitset<256>& down) {
    if (!file_.is_open() || down == last_) {
        FlushNowAndThen();
        return;
    }
    file_ << pass;
    for (size_t code = 0; code < down.size(); ++code) {
        const char* name = down[code] ? KeyCodeName(static_cast<int>(code)) : nullptr;
        if (name) file_ << ' ' << name;
    }
    file_ << '\n';
    last_ = down;
    FlushNowAndThen();
}

void DemoRecorder::Screenshot(uint64_t pass, const std::string& file) {
    if (file_.is_open()) file_ << kScreenshotStart << pass << ": " << file << '\n';
}

void DemoRecorder::Close(const DemoEnd& end) {
    if (!file_.is_open()) return;
    file_ << DemoEndLine(end) << '\n';
    file_.close();
}

void DemoRecorder::FlushNowAndThen() {
    const auto now = std::chrono::steady_clock::now();
    if (file_.is_open() && now - flushed_ >= std::chrono::seconds(2)) {
        file_.flush();
        flushed_ = now;
    }
}

fs::path DemoFolder() {
#if defined(_WIN32)
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local) return {};
    return fs::path(local) / "gaiablade" / "demos";
#else
    fs::path state = Environment("XDG_STATE_HOME");
    if (!state.is_absolute()) {
        const std::string home = Environment("HOME");
        if (home.empty()) return {};
        state = fs::path(home) / ".local" / "state";
    }
    return state / "gaiablade" / "demos";
#endif
}

fs::path DemoNewFile(const fs::path& folder) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) return {};
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H-%M-%S", local);
    for (int serial = 1; serial < 100; ++serial) {
        std::string name = std::string("gaiablade-") + stamp;
        if (serial > 1) name += "-" + std::to_string(serial);
        const fs::path path = folder / (name + ".demo");
        std::error_code error;
        if (!fs::exists(path, error) && !error) return path;
    }
    return {};
}

void DemoPrune(const fs::path& folder, size_t keep) {
    std::error_code error;
    std::vector<fs::path> demos;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = PathText(entry.path().filename());
        if (entry.is_regular_file(error) && StartsWith(name, "gaiablade-") && entry.path().extension() == ".demo") {
            demos.push_back(entry.path());
        }
    }
    if (demos.size() <= keep) return;
    std::sort(demos.begin(), demos.end(),
              [](const fs::path& a, const fs::path& b) { return DemoOrder(a) < DemoOrder(b); });
    for (size_t i = 0; i + keep < demos.size(); ++i) fs::remove(demos[i], error);
}
