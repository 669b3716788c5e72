#include "toolkit/JPEGImage.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "toolkit/JpegCodec.h"
#include "toolkit/Resources.h"

namespace quendrel::toolkit {

void TJPEGImage::Assign(const TJPEGImage& other) {
  if (this == &other) return;
  bitmap_.Assign(other.bitmap_);
  lastError_ = other.lastError_;
  SetTransparent(other.Transparent());
  Changed();
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->Assign(*this);
  return copy;
}

bool TJPEGImage::Fail(std::string error) {
  bitmap_.SetSize(0, 0);
  lastError_ = std::move(error);
  Changed();
  return false;
}

bool TJPEGImage::LoadFromMemory(std::span<const std::byte> data) {
  JpegDecodeResult decoded = DecodeJpeg(data);
  if (!decoded.Ok()) return Fail("JPEG: " + decoded.error);
  const DecodedImage& image = decoded.image;
  bitmap_.SetSize(0, 0);
  bitmap_.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap_.SetSize(image.width, image.height);
  if (bitmap_.Empty()) return Fail("JPEG: no memory for a " + std::to_string(image.width) + " x " +
                                   std::to_string(image.height) + " bitmap");
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = bitmap_.ScanLine(y);
    const std::uint8_t* src = image.bgra.data() + static_cast<size_t>(y) * image.width * 4;
    for (int x = 0; x < image.width; ++x, row += 3, src += 4) std::memcpy(row, src, 3);
  }
  lastError_.clear();
  Changed();
  return true;
}

bool TJPEGImage::LoadFromStream(std::istream& stream) {
  std::string data{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  return LoadFromMemory(std::as_bytes(std::span(data)));
}

bool TJPEGImage::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return Fail("JPEG: cannot open \"" + fileName + "\"");
  return LoadFromStream(file);
}

bool TJPEGImage::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  const auto bytes = FindResourceBytes(instance, name.c_str(), RT_RCDATA);
  if (bytes.empty()) return Fail("JPEG: no resource \"" + name + "\"");
  return LoadFromMemory(bytes);
}

bool TJPEGImage::LoadFromResourceID(HINSTANCE instance, int id) {
  const auto bytes = FindResourceBytes(instance, MAKEINTRESOURCEA(id), RT_RCDATA);
  if (bytes.empty()) return Fail("JPEG: no resource #" + std::to_string(id));
  return LoadFromMemory(bytes);
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) { bitmap_.Draw(canvas, rect); }

}  // namespace quendrel::toolkit
