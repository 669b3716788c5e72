// Reading and writing BMP data without Win32: the file format's headers are parsed by hand, so this
// builds natively too and can be fuzzed. Input is untrusted: every offset and size is checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quendrel::toolkit {

// Pixels top row first, 4 bytes each: blue, green, red, alpha (alpha 255 unless the data had alpha).
struct DecodedImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // of the source data
  std::vector<std::uint8_t> bgra;
};

// Largest image accepted, so a forged header cannot ask for gigabytes.
constexpr std::int64_t kMaxDecodedPixels = 64 * 1024 * 1024;
constexpr int kMaxDimension = 32768;

// A whole .bmp file ("BM" file header first).
std::optional<DecodedImage> DecodeBmp(std::span<const std::byte> file);
// A packed DIB as stored in RT_BITMAP resources: info header, colour table, pixels.
std::optional<DecodedImage> DecodeDib(std::span<const std::byte> dib);

// A .bmp file of 24 or 32 bits per pixel from top-down rows of `stride` bytes each (BGR or BGRX).
std::string EncodeBmp(int width, int height, int bitsPerPixel, const std::uint8_t* topRow, int stride);

}  // namespace quendrel::toolkit
