// TLabel: text drawn on the parent, with optional auto-size and word wrap.
#pragma once

#include "toolkit/GraphicControl.h"
#include "toolkit/Panel.h"

namespace quendrel::toolkit {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  std::string ClassName() const override { return "TLabel"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // "&x" underlines x (and "&&" is a plain "&") while true.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);

  // DrawText flags for the current settings (without the alignment within the bounds).
  UINT TextFlags() const;

protected:
  void Paint() override;
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override;
  void Loaded() override;
  // Word-wrapped auto-size labels take the height of their text at the new width.
  void SizeChanged() override;

private:
  void AdjustBounds();

  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  TTextLayout layout_ = tlTop;
  TAlignment alignment_ = taLeftJustify;
  bool showAccelChar_ = true;
  int fittedWidth_ = -1;  // the width AdjustBounds last fitted the height to
};

}  // namespace quendrel::toolkit
