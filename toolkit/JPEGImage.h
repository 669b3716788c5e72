// TJPEGImage: a JPEG picture, decoded once into a 24-bit bitmap that is drawn from then on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <istream>
#include <span>
#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/Graphic.h"

namespace quendrel::toolkit {

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;

  void Assign(const TJPEGImage& other);
  std::unique_ptr<TGraphic> Clone() const override;

  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  bool Empty() const override { return bitmap_.Empty(); }

  // Each load replaces the picture; on failure it is empty and LastError says why.
  bool LoadFromMemory(std::span<const std::byte> data);
  bool LoadFromStream(std::istream& stream);
  bool LoadFromFile(const std::string& fileName);
  // An RT_RCDATA resource by name or MAKEINTRESOURCE id.
  bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
  bool LoadFromResourceID(HINSTANCE instance, int id);
  const std::string& LastError() const { return lastError_; }

  // The decoded pixels.
  TBitmap& Bitmap() { return bitmap_; }
  const TBitmap& Bitmap() const { return bitmap_; }

  void Draw(TCanvas& canvas, const RECT& rect) override;

 private:
  bool Fail(std::string error);

  TBitmap bitmap_;
  std::string lastError_;
};

}  // namespace quendrel::toolkit
