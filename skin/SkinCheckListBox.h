// TSkinCheckListBox: the check list with its check glyphs from the theme's check-list strip and a
// one-pixel border in the theme's control border colour.
#pragma once

#include <string>

#include "skin/SkinStyled.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Color.h"

namespace quendrel::skin {

class TSkinCheckListBox : public TSkinStyled<toolkit::TCheckListBox> {
 public:
  explicit TSkinCheckListBox(toolkit::TComponent* owner);
  std::string ClassName() const override { return "TSkinCheckListBox"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  toolkit::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(toolkit::TColor value);

  // Where an item's glyph goes, in client coordinates.
  POINT GlyphOrigin(const RECT& itemRect, int glyphHeight);

 protected:
  void CreateParams(toolkit::TCreateParams& params) override;
  void FontChanged() override;
  void WndProc(toolkit::TMessage& message) override;
  void DrawCheck(HDC dc, const RECT& rect, toolkit::TCheckBoxState state, bool enabled) override;
  void StyleChanged() override;

 private:
  void PaintBorder();

  toolkit::TColor borderColor_ = 0;
  int lineHeight_ = -1;  // of "W" in the list's font; -1 until measured
};

}  // namespace quendrel::skin
