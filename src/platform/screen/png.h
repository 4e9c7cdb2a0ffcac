// PNG files of 8-bit palette pictures, for frame dumps, screenshots and the data pack's icon,
// written through libpng (compressed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a palette PNG: `indices` one byte per pixel, top row first; `palette` 256
// entries of red, green, blue and a fourth byte that is not written. Empty when libpng fails.
std::vector<uint8_t> PngEncodeIndexed(int width, int height, const std::vector<uint8_t>& indices,
                                      const uint8_t* palette);
// Writes `bytes` to `path`; false when there are none or the file cannot be written.
bool PngWriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
