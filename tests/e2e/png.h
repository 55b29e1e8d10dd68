#pragma once
// Writes a 24-bit picture as a PNG file (uncompressed deflate blocks: large, but needs no library).
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// rgb: width * height * 3 bytes, rows from top to bottom.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace e2e
