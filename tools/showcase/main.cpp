// gaiablade-showcase: plays a scene for each family of engine primitives.
//   gaiablade-showcase                       a window on the desktop
//   gaiablade-showcase --headless --frames DIR   every scene once, PNG frames into DIR
#include "engine/core/data_folder.h"
#include "showcase.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

void Usage(FILE* to) {
    std::fprintf(to,
                 "usage: gaiablade-showcase [--headless [--frames DIR]]\n"
                 "  (no options)    a window; Space shows the next scene, Escape quits\n"
                 "  --headless      play every scene once without a window\n"
                 "  --frames DIR    with --headless: write PNG frames of every scene to DIR\n");
}

}  // namespace

int main(int argc, char** argv) {
    ShowcaseOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            options.headless = true;
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            // Made absolute now: finding the data folder changes the working folder.
            options.framesFolder = std::filesystem::absolute(argv[++i]).string();
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage(stdout);
            return 0;
        } else {
            Usage(stderr);
            return 2;
        }
    }
    if (!options.framesFolder.empty() && !options.headless) {
        std::fprintf(stderr, "gaiablade-showcase: --frames needs --headless\n");
        return 2;
    }
    // The scenes show the landscapes of the data pack.
    DataFolderEnter(argv[0],
                    {"LANDSCAPE1.BMP", "LANDSCAPE2.BMP", "LANDSCAPE3.BMP", "LANDSCAPE4.BMP", "LANDSCAPE5.BMP"});
    return ShowcaseRun(options);
}
