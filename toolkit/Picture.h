// TPicture: holds at most one graphic (bitmap, icon or JPEG) and reports its changes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/Graphic.h"
#include "toolkit/Icon.h"
#include "toolkit/JPEGImage.h"

namespace quendrel::toolkit {

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // A copy of the other picture's graphic.
  void Assign(const TPicture& other);

  TGraphic* Graphic() const { return graphic_.get(); }
  // Stores a copy of graphic (null empties the picture).
  void SetGraphic(const TGraphic* graphic);
  // Takes over graphic.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);

  // The graphic as that kind; asking for a kind the picture does not hold replaces it with an empty
  // one of that kind.
  TBitmap& Bitmap();
  TIcon& Icon();
  TJPEGImage& JPEG();

  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  bool Empty() const { return !graphic_ || graphic_->Empty(); }

  // By extension: .bmp, .ico, .jpg/.jpeg (case ignored). False (and an empty picture) otherwise.
  bool LoadFromFile(const std::string& fileName);

  std::function<void(TPicture&)> OnChange;

 private:
  template <class T>
  T& As();
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace quendrel::toolkit
