// TBitmap: a top-down DIB section (24 or 32 bits per pixel) with a canvas and direct row access.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "toolkit/Canvas.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Graphic.h"

namespace quendrel::toolkit {

enum class TPixelFormat { pf24bit, pf32bit };
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: the one set by SetTransparentColor.
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, made when first drawn on.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  // Lets go of the DC (and the bitmap selected into it); the next drawing makes a new one.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap& bitmap_;
  std::optional<MemoryDC> memoryDC_;
  std::optional<SelectGuard> bitmapSelected_;  // after the DC: put back before the DC goes
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
  // A deep copy: pixels and settings, not OnChange.
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  // Copies pixels and settings (not OnChange) and notifies OnChange.
  void Assign(const TBitmap& other);
  std::unique_ptr<TGraphic> Clone() const override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ == 0 || height_ == 0; }
  // Resizing keeps the overlapping top-left pixels; new ones are black.
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format);
  int BytesPerPixel() const { return format_ == TPixelFormat::pf32bit ? 4 : 3; }
  // Bytes per row, padded to 4.
  int Stride() const { return stride_; }

  TBitmapCanvas& Canvas() { return canvas_; }
  // Row y, top row first: BGR (24-bit) or BGRX (32-bit) pixels. Null when y is out of range.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  // Pixel as a TColor, read straight from memory; -1 outside the bitmap.
  TColor PixelColor(int x, int y) const;

  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);  // switches to tmFixed
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  // The DIB section, owned by the bitmap; it may be selected into the canvas's DC.
  HBITMAP Handle() const { return handle_.Get(); }
  // The DIB section with no DC holding it (for APIs that select it themselves, like image lists).
  HBITMAP ReleasedHandle();
  // Copies a device-dependent or DIB bitmap (not owned) into this one.
  bool AssignHandle(HBITMAP source);

  // BMP data (file header + info header + pixels); false and an empty bitmap when it is not valid.
  bool LoadFromMemory(std::span<const std::byte> bytes);
  bool LoadFromStream(std::istream& stream);
  bool LoadFromFile(const std::string& fileName);
  bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
  bool LoadFromResourceID(HINSTANCE instance, int id);
  std::string SaveToMemory() const;  // 24/32-bit BMP
  bool SaveToFile(const std::string& fileName) const;

  void Draw(TCanvas& canvas, const RECT& rect) override;

  // Makes sure GDI has finished drawing before the pixels are read through ScanLine.
  void Flush() const { GdiFlush(); }

 private:
  friend class TBitmapCanvas;
  void Recreate(int width, int height, TPixelFormat format, bool keepPixels);
  void Clear();

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  std::uint8_t* bits_ = nullptr;  // owned by handle_
  BitmapHandle handle_;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
  TBitmapCanvas canvas_{*this};
};

}  // namespace quendrel::toolkit
