// DemoParse on any text: a demo it accepts has a header, keys on passes that never go down and
// a pass count that covers them; one it refuses says why. Written back, an accepted demo's own
// lines parse to the same header and end.
#include "fuzz_support.h"

#include "app/demo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Demo demo;
    std::string error;
    if (!DemoParse(text, demo, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    uint64_t last = 0;
    for (const KeyScriptLine& line : demo.script.lines) {
        FUZZ_CHECK(line.pass >= last);
        last = line.pass;
        for (int code : line.keys) FUZZ_CHECK(KeyCodeName(code) != nullptr);
    }
    if (!demo.end && !demo.script.lines.empty()) FUZZ_CHECK(demo.Passes() == last + 1);
    std::string again = DemoHeaderLine(demo.header) + "\n";
    if (demo.end) again += DemoEndLine(*demo.end) + "\n";
    Demo reread;
    // A header field may hold what a field cannot be written back as (a comma); the rest must hold.
    if (DemoParse(again, reread, error)) {
        FUZZ_CHECK(reread.header.seed == demo.header.seed);
        FUZZ_CHECK(reread.end.has_value() == demo.end.has_value());
        if (demo.end) FUZZ_CHECK(reread.end->passes == demo.end->passes);
    }
    return 0;
}
