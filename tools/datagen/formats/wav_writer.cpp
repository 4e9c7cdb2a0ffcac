#include "formats/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "tools/formats/wav_writer.h"

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
    // An 18-byte format chunk (WAVEFORMATEX with no extra bytes), since readers that take a
    // whole WAVEFORMATEX out of the chunk must find 18 bytes there; odd data is padded with
    // silence.
    const formats::WavFormat format{1, 1, kSampleRate, 8, true};
    return formats::WavFile(format, NormaliseTo8Bit(signal), 128);
}

}  // namespace datagen
