// Key scripts: which keys are held from which pass on (the headless runner's input, and the body of a demo).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct KeyScriptLine {
    uint64_t pass = 0;
    std::vector<int> keys;  // virtual-key codes
};

struct KeyScript {
    std::vector<KeyScriptLine> lines;  // in the order of the file; passes never decrease

    // The keys held during `pass`: those of the last line whose pass is not after it.
    const std::vector<int>& KeysAt(uint64_t pass) const;
};

// The virtual-key code of a key name (ESCAPE N DECIMAL Q F2 SPACE LEFT RIGHT CONTROL), or -1.
int KeyNameCode(const std::string& name);
// The name of a virtual-key code that has one, or nullptr.
const char* KeyCodeName(int code);
// Parses a space-separated list of key names; false (and `error`) for an unknown name.
bool KeyListParse(const std::string& text, std::vector<int>& keys, std::string& error);
// Parses a whole script ("PASS KEY..." lines, '#' comments, blank lines); false and a message
// naming the line for anything else.
bool KeyScriptParse(const std::string& text, KeyScript& script, std::string& error);
