#include "toolkit/Image.h"

#include "toolkit/Properties.h"

namespace quendrel::toolkit {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  width_ = 105;
  height_ = 105;
  picture_.OnChange = [this](TPicture&) { PictureChanged(); };
}

const TPropertyList& TImage::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TControl::ClassProperties();
    using C = TImage;
    l.Object<C, TPicture>("Picture", "TPicture", [](C& c) { return &c.Picture(); },
                          [](C& c, TPicture* p) { if (p != nullptr) c.SetPicture(*p); });
    l.Boolean<C>("Stretch", [](const C& c) { return c.Stretch(); }, [](C& c, auto v) { c.SetStretch(v != 0); });
    l.Boolean<C>("Center", [](const C& c) { return c.Center(); }, [](C& c, auto v) { c.SetCenter(v != 0); });
    l.Boolean<C>("Transparent", [](const C& c) { return c.Transparent(); },
                 [](C& c, auto v) { c.SetTransparent(v != 0); });
    l.Boolean<C>("AutoSize", [](const C& c) { return c.AutoSize(); }, [](C& c, auto v) { c.SetAutoSize(v != 0); });
    return l;
  }();
  return list;
}

void TImage::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  transparent_ = value;
  if (TGraphic* graphic = picture_.Graphic(); graphic != nullptr) graphic->SetTransparent(value);
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  autoSize_ = value;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (TGraphic* graphic = picture_.Graphic(); graphic != nullptr && transparent_) graphic->SetTransparent(true);
  if (autoSize_ && !picture_.Empty()) SetBounds(left_, top_, picture_.Width(), picture_.Height());
  Invalidate();
}

RECT TImage::DestRect() const {
  const int w = picture_.Width();
  const int h = picture_.Height();
  if (stretch_) return RECT{0, 0, width_, height_};
  if (center_) {
    const int x = (width_ - w) / 2;
    const int y = (height_ - h) / 2;
    return RECT{x, y, x + w, y + h};
  }
  return RECT{0, 0, w, h};
}

void TImage::Paint() {
  TGraphic* graphic = picture_.Graphic();
  if (graphic == nullptr || graphic->Empty()) return;
  TCanvas& canvas = Canvas();
  const RECT dest = DestRect();
  if (stretch_) {
    canvas.StretchDraw(dest, *graphic);
  } else {
    canvas.Draw(dest.left, dest.top, *graphic);
  }
}

}  // namespace quendrel::toolkit
