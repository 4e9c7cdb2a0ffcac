// gaiablade-datagen: writes the game's data pack into the folder named on the command line.
//   gaiablade-datagen OUTPUT_FOLDER
//   gaiablade-datagen --preview OUTPUT_FOLDER   (landscapes with fighters standing on them)
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "pack.h"
#include "preview.h"

int main(int argc, char** argv) {
    const bool preview = argc == 3 && std::string(argv[1]) == "--preview";
    if (argc != 2 && !preview) {
        std::fprintf(stderr, "usage: %s [--preview] OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const char* folder = argv[argc - 1];
    try {
        const auto start = std::chrono::steady_clock::now();
        std::size_t count = 5;
        if (preview) {
            datagen::WritePreviews(folder);
        } else {
            const auto files = datagen::BuildDataPack();
            datagen::WriteFiles(files, folder);
            count = files.size();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("gaiablade-datagen: wrote %zu files to %s in %.2f s\n", count, folder, took.count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gaiablade-datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
