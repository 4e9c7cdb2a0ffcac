#include "formats/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "formats/byte_writer.h"

namespace datagen {

static std::vector<std::uint8_t> NormaliseTo8Bit(const std::vector<double>& signal) {
    double peak = 0.0;
    for (double s : signal) peak = std::max(peak, std::fabs(s));
    const double gain = peak > 0.0 ? 127.0 / peak : 0.0;
    std::vector<std::uint8_t> samples;
    samples.reserve(signal.size());
    for (double s : signal) {
        const long v = std::lround(128.0 + s * gain);
        samples.push_back(static_cast<std::uint8_t>(std::clamp(v, 1L, 255L)));
    }
    return samples;
}

Bytes EncodeWav8(const std::vector<double>& signal) {
    const std::vector<std::uint8_t> samples = NormaliseTo8Bit(signal);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t padding = dataBytes % 2;  // RIFF chunks are word aligned
    Bytes out;
    PutTag(out, "RIFF");
    PutU32Le(out, 4 + (8 + 18) + (8 + dataBytes + padding));
    PutTag(out, "WAVE");
    // An 18-byte format chunk (WAVEFORMATEX with no extra bytes), since readers that take a
    // whole WAVEFORMATEX out of the chunk must find 18 bytes there.
    PutTag(out, "fmt ");
    PutU32Le(out, 18);
    PutU16Le(out, 1);  // PCM
    PutU16Le(out, 1);  // mono
    PutU32Le(out, kSampleRate);
    PutU32Le(out, kSampleRate);  // bytes per second
    PutU16Le(out, 1);            // block align
    PutU16Le(out, 8);            // bits per sample
    PutU16Le(out, 0);            // no extra format bytes
    PutTag(out, "data");
    PutU32Le(out, dataBytes);
    out.insert(out.end(), samples.begin(), samples.end());
    if (padding) PutU8(out, 128);
    return out;
}

}  // namespace datagen
