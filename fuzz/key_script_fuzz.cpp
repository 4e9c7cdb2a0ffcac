// KeyScriptParse on any text: a script it accepts holds known keys on passes that never go
// down; one it refuses says why.
#include "fuzz_support.h"

#include "app/key_script.h"

#include <limits>

namespace {

bool KnownKey(int code) {
    for (const char* name : {"ESCAPE", "N", "DECIMAL", "Q", "F2", "SPACE", "LEFT", "RIGHT", "CONTROL"}) {
        if (KeyNameCode(name) == code) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    KeyScript script;
    std::string error;
    if (!KeyScriptParse(text, script, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    uint64_t last = 0;
    for (const KeyScriptLine& line : script.lines) {
        FUZZ_CHECK(line.pass >= last);
        last = line.pass;
        for (int code : line.keys) FUZZ_CHECK(KnownKey(code));
    }
    const uint64_t probes[] = {0, last, last + 1, std::numeric_limits<uint64_t>::max()};
    for (uint64_t pass : probes) {
        const std::vector<int>& keys = script.KeysAt(pass);
        for (int code : keys) FUZZ_CHECK(KnownKey(code));
    }
    if (!script.lines.empty()) {
        FUZZ_CHECK(script.KeysAt(std::numeric_limits<uint64_t>::max()) == script.lines.back().keys);
    }
    std::vector<int> keys;
    KeyListParse(text, keys, error);
    return 0;
}
