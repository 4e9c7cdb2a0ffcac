// RIFF files and the WAV files among them (PCM): the one writer of them, for the data
// generator's effects, the headless runner's recorded audio and the tests' sound files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/formats/byte_writer.h"

namespace formats {

// One RIFF chunk: its four-letter id, its data, and a size to state instead of the true one
// (a damaged file, for the readers' tests), or -1.
struct RiffChunk {
    std::string id;
    Bytes data;
    std::int64_t statedSize = -1;
};

// The chunk as bytes: its header, its data, and the byte `pad` after odd data (RIFF chunks are
// word aligned).
Bytes RiffChunkBytes(const RiffChunk& chunk, std::uint8_t pad = 0);
// A RIFF file of form `form` ("WAVE") holding `chunks`; `statedSize` overrides the RIFF chunk's
// size when it is not -1.
Bytes RiffFile(const std::string& form, const std::vector<RiffChunk>& chunks, std::int64_t statedSize = -1,
               std::uint8_t pad = 0);

// The format of a WAV file's samples.
struct WavFormat {
    std::uint16_t tag = 1;  // 1 PCM
    std::uint16_t channels = 1;
    std::uint32_t rate = 11025;
    std::uint16_t bits = 8;
    // The "fmt " chunk's data is 18 bytes (a WAVEFORMATEX with no extra bytes) with the
    // extra-size field, 16 without it.
    bool extraSize = true;
};

// The data of a "fmt " chunk for `format`: 18 or 16 bytes.
Bytes WavFormatChunk(const WavFormat& format);
// A whole WAV file: the format chunk, then `samples` in a data chunk padded with `pad`.
Bytes WavFile(const WavFormat& format, const Bytes& samples, std::uint8_t pad = 0);
// A WAV file's bytes up to its samples, for `dataBytes` bytes of samples (an even count) that
// the caller writes after them.
Bytes WavHeader(const WavFormat& format, std::uint32_t dataBytes);

}  // namespace formats
