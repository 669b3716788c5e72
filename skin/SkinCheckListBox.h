// TSkinCheckListBox: the check list with its check glyphs from the theme's check-list strip and a
// one-pixel border in the theme's control border colour.
#pragma once

#include <string>

#include "skin/SkinButton.h"
#include "skin/SkinFileTheme.h"
#include "skin/SkinTheme.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Color.h"

namespace quendrel::skin {

class TSkinCheckListBox : public toolkit::TCheckListBox {
 public:
  explicit TSkinCheckListBox(toolkit::TComponent* owner);
  ~TSkinCheckListBox() override;
  std::string ClassName() const override { return "TSkinCheckListBox"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  TSkinUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TSkinUIStyle style);
  TSkinFileTheme* FileTheme() const { return fileTheme_; }
  void SetFileTheme(TSkinFileTheme* theme);
  toolkit::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(toolkit::TColor value);

  // Where an item's glyph goes, in client coordinates.
  POINT GlyphOrigin(const RECT& itemRect, int glyphHeight);

 protected:
  void CreateParams(toolkit::TCreateParams& params) override;
  void FontChanged() override;
  void WndProc(toolkit::TMessage& message) override;
  void DrawCheck(HDC dc, const RECT& rect, toolkit::TCheckBoxState state, bool enabled) override;
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;

 private:
  void PaintBorder();

  TSkinUIStyle style_ = TSkinUIStyle::DeepBlue;
  TSkinFileTheme* fileTheme_ = nullptr;  // not owned
  toolkit::TColor borderColor_ = 0;
  TStateFrames frames_;
  int lineHeight_ = -1;  // of "W" in the list's font; -1 until measured
};

}  // namespace quendrel::skin
