// gaiablade-datagen: writes the game's data pack into the folder named on the command line.
//   gaiablade-datagen OUTPUT_FOLDER
//   gaiablade-datagen --preview OUTPUT_FOLDER   (landscapes with fighters standing on them)
//   gaiablade-datagen --icon OUTPUT_FILE        (the game's icon, a 256x256 PNG)
//   gaiablade-datagen --loudness DATA_FOLDER    (each song's loudness with the levelling SoundFont)
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "art/icon.h"
#include "art/palette.h"
#include "music/loudness.h"
#include "music/songs.h"
#include "pack.h"
#include "platform/screen/png.h"
#include "preview.h"

namespace {

int WriteIcon(const char* path) {
    const datagen::IndexedImage icon = datagen::PaintIcon();
    std::uint8_t palette[1024] = {};
    for (int i = 0; i < 256; ++i) {
        const datagen::Rgb& c = datagen::GamePalette()[static_cast<std::size_t>(i)];
        palette[4 * i] = c.r;
        palette[4 * i + 1] = c.g;
        palette[4 * i + 2] = c.b;
    }
    if (!PngWriteFile(path, PngEncodeIndexed(icon.width, icon.height, icon.pixels, palette))) {
        std::fprintf(stderr, "gaiablade-datagen: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

int PrintLoudness(const std::string& folder) {
    for (const datagen::NamedSong& s : datagen::ComposeSongs()) {
        std::ifstream in(folder + "/" + s.fileName, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto loudness = datagen::SongLoudness(bytes, datagen::kLevellingSoundFont);
        if (!loudness) {
            std::fprintf(stderr, "gaiablade-datagen: cannot play %s with %s\n", s.fileName.c_str(),
                         datagen::kLevellingSoundFont);
            return 1;
        }
        std::printf("%s %.1f LUFS\n", s.fileName.c_str(), *loudness);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icon") {
        return WriteIcon(argv[2]);
    }
    if (argc == 3 && std::string(argv[1]) == "--loudness") {
        return PrintLoudness(argv[2]);
    }
    const bool preview = argc == 3 && std::string(argv[1]) == "--preview";
    if (argc != 2 && !preview) {
        std::fprintf(stderr, "usage: %s [--preview] OUTPUT_FOLDER | --icon OUTPUT_FILE | --loudness DATA_FOLDER\n",
                     argv[0]);
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
