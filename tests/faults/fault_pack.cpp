// Writes a copy of the data pack with every file of one kind made faulty, as the fault tests
// make them, for runs of a whole program (the Windows program under Wine). Prints the names of
// the faulty files, one a line.
// Usage: fault_pack DIR Truncated|RandomBytes|OtherFormat|Missing effects|songs|pictures
#include "fault_game.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

bool EndsWith(const std::string& text, const char* end) {
    const size_t n = std::strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

bool OfKind(const std::string& name, const std::string& kind) {
    if (kind == "effects") return EndsWith(name, ".WAV");
    if (kind == "songs") return EndsWith(name, ".MID") || EndsWith(name, ".mid");
    if (kind == "pictures") return EndsWith(name, ".BMP") || EndsWith(name, ".bmp");
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fault_pack DIR FAULT effects|songs|pictures\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::string kind = argv[3];
    Fault fault{};
    bool known = false;
    for (Fault f : {Fault::Missing, Fault::Truncated, Fault::RandomBytes, Fault::OtherFormat}) {
        if (FaultName(f) == std::string(argv[2])) {
            fault = f;
            known = true;
        }
    }
    if (!known || (kind != "effects" && kind != "songs" && kind != "pictures")) {
        std::fprintf(stderr, "fault_pack: unknown fault or kind\n");
        return 2;
    }
    std::filesystem::create_directories(folder);
    for (const std::string& name : DataFileNames()) {
        if (OfKind(name, kind)) {
            WriteFaultyFile(folder, name, fault);
            std::printf("%s\n", name.c_str());
        } else {
            std::filesystem::copy_file(BuiltDataPack() / name, folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    return 0;
}
