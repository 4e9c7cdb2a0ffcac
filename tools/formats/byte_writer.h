// Little helpers for laying out binary files byte by byte: the formats library's, which the
// data generator's writers use too.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace formats {

using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& out, std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v)); }

inline void PutU16Le(Bytes& out, std::uint32_t v) {
    PutU8(out, v & 0xFF);
    PutU8(out, (v >> 8) & 0xFF);
}

inline void PutU32Le(Bytes& out, std::uint32_t v) {
    PutU16Le(out, v & 0xFFFF);
    PutU16Le(out, v >> 16);
}

inline void PutU16Be(Bytes& out, std::uint32_t v) {
    PutU8(out, (v >> 8) & 0xFF);
    PutU8(out, v & 0xFF);
}

inline void PutU32Be(Bytes& out, std::uint32_t v) {
    PutU16Be(out, v >> 16);
    PutU16Be(out, v & 0xFFFF);
}

inline void PutTag(Bytes& out, std::string_view tag) {
    for (char c : tag) PutU8(out, static_cast<std::uint8_t>(c));
}

}  // namespace formats
