#include "toolkit/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "toolkit/BmpCodec.h"
#include "toolkit/Resources.h"

namespace quendrel::toolkit {

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  if (memoryDC_) return;
  memoryDC_.emplace();
  if (!memoryDC_->Get()) {
    memoryDC_.reset();
    return;
  }
  // An empty bitmap still gets a DC (with the DC's own 1 x 1 bitmap): text can be measured on it.
  bitmapSelected_.emplace(memoryDC_->Get(), bitmap_.handle_ ? bitmap_.handle_.Get() : nullptr);
  SetHandle(memoryDC_->Get());
}

void TBitmapCanvas::FreeContext() {
  if (!memoryDC_) return;
  SetHandle(nullptr);
  bitmapSelected_.reset();
  memoryDC_.reset();
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  format_ = format;
  Recreate(width, height, format, false);
}

TBitmap::TBitmap(const TBitmap& other) : TGraphic() { Assign(other); }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(other);
  return *this;
}

TBitmap::~TBitmap() { canvas_.FreeContext(); }

void TBitmap::Clear() {
  canvas_.FreeContext();
  handle_.Reset();
  bits_ = nullptr;
  width_ = height_ = stride_ = 0;
}

void TBitmap::Recreate(int width, int height, TPixelFormat format, bool keepPixels) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const int bpp = format == TPixelFormat::pf32bit ? 32 : 24;
  BitmapHandle fresh;
  std::uint8_t* bits = nullptr;
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: ScanLine(0) is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bpp);
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    fresh.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!fresh) {
      Clear();
      return;
    }
    bits = static_cast<std::uint8_t*>(memory);
    const int stride = ((width * bpp + 31) / 32) * 4;
    std::memset(bits, 0, static_cast<size_t>(stride) * height);
    if (keepPixels && bits_) {
      GdiFlush();
      const int rows = std::min(height, height_);
      const int cols = std::min(width, width_);
      const int srcBpp = BytesPerPixel(), dstBpp = bpp / 8;
      for (int y = 0; y < rows; ++y) {
        const std::uint8_t* src = bits_ + static_cast<size_t>(y) * stride_;
        std::uint8_t* dst = bits + static_cast<size_t>(y) * stride;
        if (srcBpp == dstBpp) {
          std::memcpy(dst, src, static_cast<size_t>(cols) * dstBpp);
        } else {
          for (int x = 0; x < cols; ++x) std::memcpy(dst + x * dstBpp, src + x * srcBpp, 3);
        }
      }
    }
  }
  canvas_.FreeContext();
  handle_ = std::move(fresh);
  bits_ = bits;
  width_ = handle_ ? width : 0;
  height_ = handle_ ? height : 0;
  stride_ = handle_ ? ((width * bpp + 31) / 32) * 4 : 0;
  format_ = format;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Recreate(width, height, format_, true);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  Recreate(width_, height_, format, true);
  Changed();
}

void TBitmap::Assign(const TBitmap& other) {
  if (this == &other) return;
  Recreate(other.width_, other.height_, other.format_, false);
  if (bits_ && other.bits_) {
    GdiFlush();
    std::memcpy(bits_, other.bits_, static_cast<size_t>(stride_) * height_);
  }
  transparentColor_ = other.transparentColor_;
  transparentMode_ = other.transparentMode_;
  TGraphic::SetTransparent(other.Transparent());
  Changed();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(*this);
  return copy;
}

std::uint8_t* TBitmap::ScanLine(int y) {
  if (!bits_ || y < 0 || y >= height_) return nullptr;
  return bits_ + static_cast<size_t>(y) * stride_;
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
  if (!bits_ || y < 0 || y >= height_) return nullptr;
  return bits_ + static_cast<size_t>(y) * stride_;
}

TColor TBitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = ScanLine(y);
  if (!row || x < 0 || x >= width_) return -1;
  GdiFlush();
  const std::uint8_t* p = row + static_cast<size_t>(x) * BytesPerPixel();
  return RGBToColor(p[2], p[1], p[0]);
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == TTransparentMode::tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  return PixelColor(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_ && transparentMode_ == TTransparentMode::tmFixed) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == TTransparentMode::tmAuto) transparentColor_ = clDefault;
  else transparentColor_ = TransparentColor();
  transparentMode_ = mode;
  Changed();
}

HBITMAP TBitmap::ReleasedHandle() {
  canvas_.FreeContext();
  return handle_.Get();
}

bool TBitmap::AssignHandle(HBITMAP source) {
  BITMAP info{};
  if (!source || !GetObjectA(source, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) {
    Clear();
    Changed();
    return false;
  }
  const int width = info.bmWidth, height = std::abs(info.bmHeight);
  Recreate(width, height, info.bmBitsPixel == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit, false);
  if (!handle_) return false;
  MemoryDC sourceDC;
  SelectGuard select(sourceDC.Get(), source);
  BitBlt(canvas_.Handle(), 0, 0, width, height, sourceDC.Get(), 0, 0, SRCCOPY);
  canvas_.FreeContext();
  Changed();
  return true;
}

namespace {

bool LoadDecoded(TBitmap& bitmap, const std::optional<DecodedImage>& image) {
  if (!image) {
    bitmap.SetSize(0, 0);
    return false;
  }
  bitmap.SetSize(0, 0);
  bitmap.SetPixelFormat(image->bitsPerPixel == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
  bitmap.SetSize(image->width, image->height);
  if (bitmap.Empty()) return false;
  const int bpp = bitmap.BytesPerPixel();
  for (int y = 0; y < image->height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    const std::uint8_t* src = image->bgra.data() + static_cast<size_t>(y) * image->width * 4;
    for (int x = 0; x < image->width; ++x) std::memcpy(row + x * bpp, src + x * 4, bpp);
  }
  return true;
}

}  // namespace

bool TBitmap::LoadFromMemory(std::span<const std::byte> bytes) {
  const bool ok = LoadDecoded(*this, DecodeBmp(bytes));
  Changed();
  return ok;
}

bool TBitmap::LoadFromStream(std::istream& stream) {
  std::string data{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  return LoadFromMemory(std::as_bytes(std::span(data)));
}

bool TBitmap::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) {
    SetSize(0, 0);
    return false;
  }
  return LoadFromStream(file);
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  const bool ok = LoadDecoded(*this, DecodeDib(FindResourceBytes(instance, name.c_str(), RT_BITMAP)));
  Changed();
  return ok;
}

bool TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  const bool ok = LoadDecoded(*this, DecodeDib(FindResourceBytes(instance, MAKEINTRESOURCEA(id), RT_BITMAP)));
  Changed();
  return ok;
}

std::string TBitmap::SaveToMemory() const {
  if (Empty()) return {};
  GdiFlush();
  return EncodeBmp(width_, height_, BytesPerPixel() * 8, bits_, stride_);
}

bool TBitmap::SaveToFile(const std::string& fileName) const {
  const std::string data = SaveToMemory();
  if (data.empty()) return false;
  std::ofstream file(fileName, std::ios::binary);
  file.write(data.data(), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(file);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
  HDC target = canvas.Handle();
  HDC source = canvas_.Handle();
  if (!target || !source || Empty()) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (Transparent()) {
    TransparentBlt(target, rect.left, rect.top, w, h, source, 0, 0, width_, height_,
                   ColorToRGB(TransparentColor()));
  } else {
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, rect.left, rect.top, w, h, source, 0, 0, width_, height_, canvas.CopyMode());
  }
}

}  // namespace quendrel::toolkit
