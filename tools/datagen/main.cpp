// gaiablade-datagen: writes the game's data pack into the folder named on the command line.
#include <chrono>
#include <cstdio>
#include <exception>

#include "pack.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        const auto files = datagen::BuildDataPack();
        datagen::WriteFiles(files, argv[1]);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("gaiablade-datagen: wrote %zu files to %s in %.2f s\n", files.size(), argv[1], took.count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gaiablade-datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
