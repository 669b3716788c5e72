// BMP and JPEG decoding on bytes: well-formed files of every supported layout, and damaged ones,
// which must be refused without reading outside the data (the sanitizer build watches that).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/BmpCodec.h"
#include "toolkit/JpegCodec.h"

namespace quendrel::toolkit {
namespace {

void Put16(std::string& s, unsigned v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// A .bmp file: 40-byte info header, the given colour table / masks, and the pixel rows as given.
std::string Bmp(int width, int height, int bpp, std::uint32_t compression, const std::string& table,
                const std::string& pixels, std::uint32_t colorsUsed = 0) {
  std::string s = "BM";
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(table.size());
  Put32(s, offset + static_cast<std::uint32_t>(pixels.size()));
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(width));
  Put32(s, static_cast<std::uint32_t>(height));
  Put16(s, 1);
  Put16(s, static_cast<unsigned>(bpp));
  Put32(s, compression);
  Put32(s, static_cast<std::uint32_t>(pixels.size()));
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, colorsUsed);
  Put32(s, 0);
  return s + table + pixels;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::uint32_t PixelOf(const DecodedImage& image, int x, int y) {
  const std::uint8_t* p = &image.bgra[(static_cast<size_t>(y) * image.width + x) * 4];
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::optional<DecodedImage> Decode(const std::string& file) { return DecodeBmp(std::as_bytes(std::span(file))); }

TEST(BmpCodec, DecodesEveryLayout) {
  // Two colours: palette entry 0 blue, 1 red (BGRX).
  const std::string palette2 = Bytes({0xFF, 0, 0, 0, 0, 0, 0xFF, 0});
  struct Case {
    const char* name;
    std::string file;
    int width, height;
    std::vector<std::uint32_t> expected;  // BGRA words, top row first
  };
  const Case cases[] = {
      {"1-bit, bottom-up", Bmp(3, 2, 1, 0, palette2, Bytes({0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0})), 3, 2,
       {0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000}},
      {"4-bit with two colours used", Bmp(2, 1, 4, 0, palette2, Bytes({0x10, 0, 0, 0}), 2), 2, 1,
       {0xFFFF0000, 0xFF0000FF}},
      {"8-bit, top-down", Bmp(2, -2, 8, 0, palette2, Bytes({1, 0, 0, 0, 0, 1, 0, 0}), 2), 2, 2,
       {0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000}},
      {"16-bit 5-5-5", Bmp(1, 1, 16, 0, "", Bytes({0x00, 0x7C, 0, 0})), 1, 1, {0xFFFF0000}},
      {"16-bit 5-6-5 bit fields", Bmp(1, 1, 16, 3, Bytes({0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}),
                                      Bytes({0xE0, 0x07, 0, 0})), 1, 1, {0xFF00FF00}},
      {"24-bit with row padding", Bmp(1, 2, 24, 0, "", Bytes({1, 2, 3, 0, 4, 5, 6, 0})), 1, 2,
       {0xFF060504, 0xFF030201}},
      {"32-bit, unused fourth byte is opaque", Bmp(1, 1, 32, 0, "", Bytes({1, 2, 3, 0})), 1, 1, {0xFF030201}},
      {"32-bit with alpha kept", Bmp(2, 1, 32, 0, "", Bytes({1, 2, 3, 0x80, 1, 2, 3, 0})), 2, 1,
       {0x80030201, 0x00030201}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto image = Decode(c.file);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, c.width);
    ASSERT_EQ(image->height, std::abs(c.height));
    for (size_t i = 0; i < c.expected.size(); ++i) {
      const int x = static_cast<int>(i) % image->width, y = static_cast<int>(i) / image->width;
      if (PixelOf(*image, x, y) != c.expected[i])
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << PixelOf(*image, x, y) << " expected "
                      << c.expected[i];
    }
  }
}

TEST(BmpCodec, RefusesDamagedFiles) {
  const std::string good = Bmp(2, 2, 24, 0, "", std::string(16, '\x7F'));
  ASSERT_TRUE(Decode(good));
  auto patched = [&](size_t at, std::uint32_t value) {
    std::string s = good;
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return s;
  };
  struct Case {
    const char* name;
    std::string file;
  };
  const Case cases[] = {
      {"not BM", "XX" + good.substr(2)},
      {"pixel offset past the end", patched(10, 0xFFFFFFF0)},
      {"header size beyond the data", patched(14, 0x7FFFFFFF)},
      {"unknown header size", patched(14, 20)},
      {"zero width", patched(18, 0)},
      {"negative width", patched(18, 0xFFFFFFFE)},
      {"huge width", patched(18, 0x7FFFFFFF)},
      {"too many pixels", patched(18, 30000) .replace(22, 4, Bytes({0x30, 0x75, 0, 0}))},
      {"most negative height", patched(22, 0x80000000)},
      {"7 bits per pixel", [&] { std::string s = good; s[28] = 7; return s; }()},
      {"run-length compressed", patched(30, 1)},
      {"rows missing", good.substr(0, good.size() - 1)},
      {"palette cut off", Bmp(1, 1, 8, 0, "", "", 200)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(Decode(c.file));
  }
  // Every prefix of a valid file: refused or decoded, never read past its end.
  const std::string palettized = Bmp(3, 2, 4, 0, Bytes({0, 0, 0, 0, 255, 255, 255, 0}), std::string(8, '\x01'), 2);
  for (size_t n = 0; n < palettized.size(); ++n) EXPECT_FALSE(Decode(palettized.substr(0, n))) << n;
  EXPECT_FALSE(DecodeDib({}));
}

TEST(BmpCodec, EncodedFilesDecodeToTheSamePixels) {
  for (int bpp : {24, 32}) {
    SCOPED_TRACE(bpp);
    const int stride = bpp == 24 ? 12 : 12;  // 3 x 24-bit padded to 12, or 3 x 32-bit
    std::vector<std::uint8_t> rows(static_cast<size_t>(stride) * 2);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<std::uint8_t>(i * 7);
    const std::string file = EncodeBmp(3, 2, bpp, rows.data(), stride);
    const auto image = Decode(file);
    ASSERT_TRUE(image);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x)
        for (int c = 0; c < 3; ++c)
          EXPECT_EQ(image->bgra[(y * 3 + x) * 4 + c], rows[y * stride + x * (bpp / 8) + c]);
  }
  EXPECT_TRUE(EncodeBmp(0, 2, 24, nullptr, 0).empty());
}

TEST(JpegCodec, RefusesWhatIsNoJpeg) {
  for (const std::string& data : {std::string(), std::string("\xFF\xD8\xFF\xE0", 4), std::string(64, '\xFF'),
                                  std::string("\xFF\xD8") + std::string(200, '\0')}) {
    const JpegDecodeResult result = DecodeJpeg(std::as_bytes(std::span(data)));
    EXPECT_FALSE(result.Ok());
    EXPECT_TRUE(result.image.bgra.empty());
  }
}

}  // namespace
}  // namespace quendrel::toolkit
