// TImage: a picture drawn on the parent.
#pragma once

#include "toolkit/GraphicControl.h"
#include "toolkit/Picture.h"

namespace quendrel::toolkit {

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  std::string ClassName() const override { return "TImage"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  TPicture& Picture() { return picture_; }
  void SetPicture(const TPicture& picture) { picture_.Assign(picture); }  // copied
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  // Lets the parent show through the picture's transparent colour.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // Where the picture lands in the client area.
  RECT DestRect() const;

protected:
  void Paint() override;

private:
  void PictureChanged();

  TPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};

}  // namespace quendrel::toolkit
