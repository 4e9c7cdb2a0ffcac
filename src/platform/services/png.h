// A small PNG writer for frame dumps and screenshots: no compression library, the image data goes into stored
// (uncompressed) deflate blocks, which every PNG reader accepts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a palette PNG: `indices` one byte per pixel, top row first; `palette` 256
// entries of red, green, blue and a fourth byte that is ignored.
std::vector<uint8_t> PngEncodeIndexed(int width, int height, const std::vector<uint8_t>& indices,
                                      const uint8_t* palette);
// Writes `bytes` to `path`; false when the file cannot be written.
bool PngWriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// The CRC-32 of a PNG chunk (over its type and data), exposed for the tests' reader.
uint32_t PngCrc32(const uint8_t* data, size_t size, uint32_t crc = 0);
