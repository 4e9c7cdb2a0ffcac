// gaiablade-headless: runs the game on the headless host. See README.md for the options.
#include "app/demo.h"
#include "app/key_script.h"
#include "runner.h"
#include "build_paths.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

struct Arguments {
    RunnerOptions run;
    std::string keysFile;
    std::string demoFile;
    bool seedGiven = false;
    std::string traceFile;
    bool interactive = false;
};

int Refuse(const std::string& message) {
    std::fprintf(stderr, "gaiablade-headless: %s\n", message.c_str());
    return 2;
}

bool ParseNumber(const std::string& text, uint64_t& value) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Fills `args`; an empty result means the arguments are good, else it is the complaint.
std::string Parse(int argc, char** argv, Arguments& args) {
    args.run.dataDir = GAIABLADE_BUILD_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--interactive") {
            args.interactive = true;
            continue;
        }
        static const std::string withValue[] = {"--data",  "--seed",   "--keys",        "--demo", "--passes",
                                                "--trace", "--frames", "--frame-every", "--audio"};
        if (std::find(std::begin(withValue), std::end(withValue), option) == std::end(withValue)) {
            return option.rfind("--", 0) == 0 ? "unknown option " + option : "unexpected argument " + option;
        }
        if (i + 1 >= argc) {
            return option + " needs a value";
        }
        const std::string value = argv[++i];
        uint64_t number = 0;
        if (option == "--data") {
            args.run.dataDir = value;
        } else if (option == "--seed") {
            if (!ParseNumber(value, number) || number > 0xFFFFFFFFu) return "--seed takes a number";
            args.run.seed = static_cast<unsigned>(number);
            args.seedGiven = true;
        } else if (option == "--keys") {
            args.keysFile = value;
        } else if (option == "--demo") {
            args.demoFile = value;
        } else if (option == "--passes") {
            if (!ParseNumber(value, number)) return "--passes takes a number";
            args.run.passes = number;
        } else if (option == "--trace") {
            args.traceFile = value;
        } else if (option == "--frames") {
            args.run.framesDir = value;
        } else if (option == "--frame-every") {
            if (!ParseNumber(value, number) || number == 0) return "--frame-every takes a number above 0";
            args.run.frameEvery = number;
        } else if (option == "--audio") {
            args.run.audioFile = value;
        }
    }
    if (args.interactive + !args.keysFile.empty() + !args.demoFile.empty() > 1) {
        return "--keys, --demo and --interactive do not go together";
    }
    if (!args.demoFile.empty() && args.seedGiven) {
        return "--demo brings its own seed: no --seed with it";
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (const std::string complaint = Parse(argc, argv, args); !complaint.empty()) {
        return Refuse(complaint +
                      " (options: --data DIR --seed N --keys FILE --interactive --passes N "
                      "--trace FILE|- --frames DIR --frame-every K --audio FILE)");
    }
    KeyScript script;
    if (!args.keysFile.empty()) {
        std::ifstream file(args.keysFile);
        if (!file) return Refuse("cannot read the key script " + args.keysFile);
        std::stringstream text;
        text << file.rdbuf();
        std::string error;
        if (!KeyScriptParse(text.str(), script, error)) return Refuse(args.keysFile + ": " + error);
    }
    if (!args.demoFile.empty()) {
        // A demo is a key script with the seed it was played with and the passes it lasted.
        Demo demo;
        std::string error;
        if (!DemoLoad(args.demoFile, demo, error)) return Refuse(error);
        script = std::move(demo.script);
        args.run.seed = demo.header.seed;
        if (!args.run.passes) args.run.passes = demo.Passes();
    }
    std::ofstream traceFile;
    std::ostream* trace = nullptr;
    if (args.interactive || args.traceFile == "-") {
        trace = &std::cout;
    } else if (!args.traceFile.empty()) {
        traceFile.open(args.traceFile);
        if (!traceFile) return Refuse("cannot write the trace " + args.traceFile);
        trace = &traceFile;
    }

    bool badInput = false;
    if (args.interactive) {
        args.run.keysFor = [&](uint64_t, std::vector<int>& keys) {
            std::string line;
            if (!std::getline(std::cin, line)) return false;
            std::string error;
            if (!KeyListParse(line, keys, error)) {
                std::fprintf(stderr, "gaiablade-headless: %s\n", error.c_str());
                badInput = true;
                return false;
            }
            return true;
        };
    } else {
        args.run.keysFor = [&](uint64_t pass, std::vector<int>& keys) {
            keys = script.KeysAt(pass);
            return true;
        };
    }
    if (trace) {
        args.run.afterPass = [&](uint64_t pass, const PassEvents& events, HeadlessHost& host) {
            *trace << TraceLine(pass, host.TicksMs(), events) << '\n';
            if (args.interactive) trace->flush();
        };
    }
    const int result = RunnerRun(args.run);
    if (trace) trace->flush();
    return result != 0 ? result : (badInput ? 2 : 0);
}
