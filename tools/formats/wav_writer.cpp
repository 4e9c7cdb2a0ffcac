#include "tools/formats/wav_writer.h"

namespace formats {
namespace {

constexpr std::uint32_t kChunkHeaderBytes = 8;

void PutChunkHeader(Bytes& out, const std::string& id, std::uint32_t size) {
    PutTag(out, std::string_view(id).substr(0, 4));
    PutU32Le(out, size);
}

}  // namespace

Bytes RiffChunkBytes(const RiffChunk& chunk, std::uint8_t pad) {
    const std::uint32_t trueSize = static_cast<std::uint32_t>(chunk.data.size());
    Bytes out;
    PutChunkHeader(out, chunk.id, chunk.statedSize >= 0 ? static_cast<std::uint32_t>(chunk.statedSize) : trueSize);
    out.insert(out.end(), chunk.data.begin(), chunk.data.end());
    if (trueSize % 2) PutU8(out, pad);
    return out;
}

Bytes RiffFile(const std::string& form, const std::vector<RiffChunk>& chunks, std::int64_t statedSize,
               std::uint8_t pad) {
    RiffChunk riff{"RIFF", {}, statedSize};
    PutTag(riff.data, std::string_view(form).substr(0, 4));
    for (const RiffChunk& chunk : chunks) {
        const Bytes bytes = RiffChunkBytes(chunk, pad);
        riff.data.insert(riff.data.end(), bytes.begin(), bytes.end());
    }
    return RiffChunkBytes(riff, pad);
}

Bytes WavFormatChunk(const WavFormat& format) {
    Bytes out;
    PutU16Le(out, format.tag);
    PutU16Le(out, format.channels);
    PutU32Le(out, format.rate);
    PutU32Le(out, format.rate * format.channels * format.bits / 8);  // bytes per second
    PutU16Le(out, format.channels * format.bits / 8u);               // block align
    PutU16Le(out, format.bits);
    if (format.extraSize) PutU16Le(out, 0);  // no extra format bytes
    return out;
}

Bytes WavFile(const WavFormat& format, const Bytes& samples, std::uint8_t pad) {
    return RiffFile("WAVE", {{"fmt ", WavFormatChunk(format)}, {"data", samples}}, -1, pad);
}

Bytes WavHeader(const WavFormat& format, std::uint32_t dataBytes) {
    const Bytes fmt = WavFormatChunk(format);
    Bytes out;
    PutChunkHeader(out, "RIFF",
                   4 + kChunkHeaderBytes + static_cast<std::uint32_t>(fmt.size()) + kChunkHeaderBytes + dataBytes);
    PutTag(out, "WAVE");
    PutChunkHeader(out, "fmt ", static_cast<std::uint32_t>(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    PutChunkHeader(out, "data", dataBytes);
    return out;
}

}  // namespace formats
