#include "toolkit/BmpCodec.h"

#include <bit>
#include <cstring>
#include <limits>

namespace quendrel::toolkit {

namespace {

std::uint32_t U32(std::span<const std::byte> b, size_t at) {
  return std::to_integer<std::uint32_t>(b[at]) | std::to_integer<std::uint32_t>(b[at + 1]) << 8 |
         std::to_integer<std::uint32_t>(b[at + 2]) << 16 | std::to_integer<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::byte> b, size_t at) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(b[at]) | std::to_integer<unsigned>(b[at + 1]) << 8);
}
std::uint8_t U8(std::span<const std::byte> b, size_t at) { return std::to_integer<std::uint8_t>(b[at]); }

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr size_t kFileHeaderSize = 14;

// One channel of a BI_BITFIELDS mask, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  std::uint8_t Extract(std::uint32_t pixel) const {
    if (!mask) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    const std::uint32_t maxValue = (1u << bits) - 1;
    return static_cast<std::uint8_t>((v * 255 + maxValue / 2) / maxValue);
  }
};

Channel MakeChannel(std::uint32_t mask) {
  Channel c;
  c.mask = mask;
  if (mask) {
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
  }
  return c;
}

// dib: the DIB from its info header on; pixelOffset: where the pixels start within dib (0 = right
// after the colour table).
std::optional<DecodedImage> Decode(std::span<const std::byte> dib, size_t pixelOffset) {
  if (dib.size() < 12) return std::nullopt;
  const std::uint32_t headerSize = U32(dib, 0);
  std::int64_t width = 0, height = 0;
  int bpp = 0;
  std::uint32_t compression = kBiRgb, colorsUsed = 0;
  size_t paletteEntrySize = 4;
  if (headerSize == 12) {  // OS/2 core header
    width = U16(dib, 4);
    height = static_cast<std::int16_t>(U16(dib, 6));
    bpp = U16(dib, 10);
    paletteEntrySize = 3;
  } else if (headerSize >= 40 && headerSize <= dib.size()) {
    width = static_cast<std::int32_t>(U32(dib, 4));
    height = static_cast<std::int32_t>(U32(dib, 8));
    bpp = U16(dib, 14);
    compression = U32(dib, 16);
    colorsUsed = U32(dib, 32);
  } else {
    return std::nullopt;
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension ||
      width * height > kMaxDecodedPixels)
    return std::nullopt;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  if (compression != kBiRgb && !(compression == kBiBitfields && (bpp == 16 || bpp == 32))) return std::nullopt;

  size_t offset = headerSize;
  Channel red, green, blue, alpha;
  if (compression == kBiBitfields) {
    // The masks follow a 40-byte header; larger headers carry them inside.
    if (dib.size() < 52) return std::nullopt;
    red = MakeChannel(U32(dib, 40));
    green = MakeChannel(U32(dib, 44));
    blue = MakeChannel(U32(dib, 48));
    if (headerSize >= 56) alpha = MakeChannel(U32(dib, 52));
    if (headerSize == 40) offset += 12;
  } else if (bpp == 16) {
    red = MakeChannel(0x7C00);
    green = MakeChannel(0x03E0);
    blue = MakeChannel(0x001F);
  }

  std::vector<std::uint8_t> palette;  // BGRA
  if (bpp <= 8) {
    const std::uint32_t maxColors = 1u << bpp;
    const std::uint32_t count = (colorsUsed == 0 || colorsUsed > maxColors) ? maxColors : colorsUsed;
    if (offset + size_t{count} * paletteEntrySize > dib.size()) return std::nullopt;
    palette.assign(size_t{maxColors} * 4, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
      const size_t at = offset + i * paletteEntrySize;
      palette[i * 4] = U8(dib, at);
      palette[i * 4 + 1] = U8(dib, at + 1);
      palette[i * 4 + 2] = U8(dib, at + 2);
      palette[i * 4 + 3] = 255;
    }
    offset += size_t{count} * paletteEntrySize;
  }
  if (pixelOffset == 0) pixelOffset = offset;

  const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
  const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
  if (pixelOffset > dib.size() || (dib.size() - pixelOffset) / stride < h) return std::nullopt;

  DecodedImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.bitsPerPixel = bpp;
  image.bgra.resize(w * h * 4);
  bool anyAlpha = false;
  for (size_t y = 0; y < h; ++y) {
    const size_t srcRow = pixelOffset + (topDown ? y : h - 1 - y) * stride;
    std::uint8_t* out = image.bgra.data() + y * w * 4;
    for (size_t x = 0; x < w; ++x, out += 4) {
      if (bpp <= 8) {
        const size_t bit = x * bpp;
        const unsigned byte = U8(dib, srcRow + bit / 8);
        const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
        std::memcpy(out, &palette[index * 4], 4);
      } else if (bpp == 24) {
        const size_t at = srcRow + x * 3;
        out[0] = U8(dib, at);
        out[1] = U8(dib, at + 1);
        out[2] = U8(dib, at + 2);
        out[3] = 255;
      } else if (bpp == 32 && compression == kBiRgb) {
        const size_t at = srcRow + x * 4;
        out[0] = U8(dib, at);
        out[1] = U8(dib, at + 1);
        out[2] = U8(dib, at + 2);
        out[3] = U8(dib, at + 3);
        anyAlpha = anyAlpha || out[3] != 0;
      } else {
        const std::uint32_t pixel = bpp == 16 ? U16(dib, srcRow + x * 2) : U32(dib, srcRow + x * 4);
        out[0] = blue.Extract(pixel);
        out[1] = green.Extract(pixel);
        out[2] = red.Extract(pixel);
        out[3] = alpha.mask ? alpha.Extract(pixel) : 255;
      }
    }
  }
  // A 32-bit BI_RGB bitmap's fourth byte is usually unused and zero: then it is opaque, not invisible.
  if (bpp == 32 && compression == kBiRgb && !anyAlpha)
    for (size_t i = 3; i < image.bgra.size(); i += 4) image.bgra[i] = 255;
  return image;
}

void Put16(std::string& s, unsigned v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

}  // namespace

std::optional<DecodedImage> DecodeBmp(std::span<const std::byte> file) {
  if (file.size() < kFileHeaderSize + 12 || U8(file, 0) != 'B' || U8(file, 1) != 'M') return std::nullopt;
  const std::uint32_t pixelOffset = U32(file, 10);
  if (pixelOffset < kFileHeaderSize + 12 || pixelOffset > file.size()) return std::nullopt;
  return Decode(file.subspan(kFileHeaderSize), pixelOffset - kFileHeaderSize);
}

std::optional<DecodedImage> DecodeDib(std::span<const std::byte> dib) { return Decode(dib, 0); }

std::string EncodeBmp(int width, int height, int bitsPerPixel, const std::uint8_t* topRow, int stride) {
  if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32) || !topRow) return {};
  const int bytesPerPixel = bitsPerPixel / 8;
  const std::uint32_t outStride = ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
  const std::uint32_t imageSize = outStride * static_cast<std::uint32_t>(height);
  std::string s;
  s.reserve(54 + imageSize);
  s += "BM";
  Put32(s, 54 + imageSize);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(width));
  Put32(s, static_cast<std::uint32_t>(height));  // bottom-up, as most readers expect
  Put16(s, 1);
  Put16(s, static_cast<unsigned>(bitsPerPixel));
  Put32(s, kBiRgb);
  Put32(s, imageSize);
  Put32(s, 2835);  // 72 dpi
  Put32(s, 2835);
  Put32(s, 0);
  Put32(s, 0);
  for (int y = height - 1; y >= 0; --y) {
    const char* row = reinterpret_cast<const char*>(topRow + static_cast<std::ptrdiff_t>(y) * stride);
    s.append(row, static_cast<size_t>(width) * bytesPerPixel);
    s.append(outStride - static_cast<size_t>(width) * bytesPerPixel, '\0');
  }
  return s;
}

}  // namespace quendrel::toolkit
