// TGraphic: what a canvas can draw — a bitmap, an icon or a JPEG picture.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

namespace quendrel::toolkit {

class TCanvas;

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);

  // Draws the whole graphic stretched into rect (TCanvas::Draw and StretchDraw end here).
  virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
  // A deep copy of the same kind of graphic.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  std::function<void(TGraphic&)> OnChange;

 protected:
  TGraphic() = default;
  void Changed();

 private:
  bool transparent_ = false;
};

}  // namespace quendrel::toolkit
