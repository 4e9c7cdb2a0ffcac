#include "app/key_script.h"

#include "platform/standins/win32.h"

#include <charconv>
#include <sstream>

namespace {

const std::vector<int> kNoKeys;

}  // namespace

const std::vector<int>& KeyScript::KeysAt(uint64_t pass) const {
    const std::vector<int>* held = &kNoKeys;
    for (const KeyScriptLine& line : lines) {
        if (line.pass > pass) {
            break;
        }
        held = &line.keys;
    }
    return *held;
}

namespace {

struct KeyName {
    const char* text;
    int code;
};

constexpr KeyName kKeyNames[] = {
    {"ESCAPE", VK_ESCAPE}, {"N", 'N'},          {"DECIMAL", VK_DECIMAL}, {"Q", 'Q'}, {"F2", VK_F2}, {"SPACE", VK_SPACE},
    {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT}, {"CONTROL", VK_CONTROL}};

}  // namespace

int KeyNameCode(const std::string& name) {
    for (const KeyName& n : kKeyNames) {
        if (name == n.text) {
            return n.code;
        }
    }
    return -1;
}

const char* KeyCodeName(int code) {
    for (const KeyName& n : kKeyNames) {
        if (code == n.code) {
            return n.text;
        }
    }
    return nullptr;
}

bool KeyListParse(const std::string& text, std::vector<int>& keys, std::string& error) {
    keys.clear();
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const int code = KeyNameCode(word);
        if (code < 0) {
            error = "unknown key name \"" + word + "\"";
            return false;
        }
        keys.push_back(code);
    }
    return true;
}

bool KeyScriptParse(const std::string& text, KeyScript& script, std::string& error) {
    script.lines.clear();
    std::istringstream input(text);
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        if (const size_t hash = line.find('#'); hash != std::string::npos) {
            line.resize(hash);
        }
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) {
            continue;  // blank
        }
        KeyScriptLine parsed;
        const auto [end, status] = std::from_chars(first.data(), first.data() + first.size(), parsed.pass);
        if (status != std::errc() || end != first.data() + first.size()) {
            error = "line " + std::to_string(number) + ": \"" + first + "\" is not a pass number";
            return false;
        }
        std::string rest;
        std::getline(words, rest);
        if (!KeyListParse(rest, parsed.keys, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
        if (!script.lines.empty() && parsed.pass < script.lines.back().pass) {
            error = "line " + std::to_string(number) + ": pass " + first + " comes before the line above";
            return false;
        }
        script.lines.push_back(std::move(parsed));
    }
    return true;
}
