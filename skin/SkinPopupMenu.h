// TSkinPopupMenu: a popup menu whose items the skin draws (a coloured bar on the left, a flat item
// background, a framed highlight), in the colours of a style or of a theme file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/SkinFileTheme.h"
#include "skin/SkinStyleLink.h"
#include "skin/SkinTheme.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"

namespace quendrel::skin {

class TSkinPopupMenu : public toolkit::TPopupMenu {
 public:
  explicit TSkinPopupMenu(toolkit::TComponent* owner);

  std::string ClassName() const override { return "TSkinPopupMenu"; }
  const toolkit::TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const toolkit::TPropertyList& ClassProperties();

  // Always drawn by the skin.
  bool OwnerDraw() const override { return true; }
  void SetOwnerDraw(bool) override {}

  TSkinUIStyle UIStyle() const { return look_.Style(); }
  void SetUIStyle(TSkinUIStyle style);
  TSkinFileTheme* FileTheme() const { return look_.Theme(); }
  void SetFileTheme(TSkinFileTheme* theme);

  int MenuItemHeight() const { return menuItemHeight_; }
  void SetMenuItemHeight(int value);
  int SeparatorHeight() const { return separatorHeight_; }
  void SetSeparatorHeight(int value);
  int BarWidth() const { return barWidth_; }
  void SetBarWidth(int value) { barWidth_ = value; }

  toolkit::TColor BarColor = toolkit::clBtnFace;
  toolkit::TColor Color = 0xFFFFFF;
  toolkit::TColor SeparatorColor = toolkit::clGray;
  toolkit::TColor SelectedBorderColor = toolkit::clHighlight;
  toolkit::TColor SelectedColor = toolkit::clHighlight;
  toolkit::TColor SelectedFontColor = 0xFFFFFF;
  toolkit::TColor FontColor = 0xFFFFFF;
  toolkit::TColor BorderColor = 0x000000;  // kept for theme round trips; drawing does not use it
  bool FlatMenu = false;
  std::string FontName = "MS Sans Serif";
  int FontSize = 8;
  BYTE FontCharset = DEFAULT_CHARSET;
  bool UseSystemFont = true;

  // Gives every item of the tree, sub-items included, this menu's measure and draw handlers. Popup
  // does it too, so items added at run time are drawn by the skin as well.
  void HookItems();
  void Popup(int x, int y) override;

  void MeasureItem(toolkit::TMenuItem* item, toolkit::TCanvas& canvas, int& width, int& height);
  void DrawItem(toolkit::TMenuItem* item, toolkit::TCanvas& canvas, const RECT& rect, bool selected);

 protected:
  void Notification(toolkit::TComponent* component, toolkit::TOperation operation) override;

 private:
  void HookTree(toolkit::TMenuItem& parent);
  void FillBarAndBackground(toolkit::TCanvas& canvas, const RECT& rect);
  void DrawMacBitmap(toolkit::TCanvas& canvas, const RECT& rect, toolkit::TBitmap& whole, int rows);
  void DrawFlatFrame(HWND menuWindow);
  toolkit::TImageList& CheckMarks();

  TSkinStyleLink look_;
  int menuItemHeight_ = 21;
  int separatorHeight_ = 21;
  int barWidth_ = 0;
  std::unique_ptr<toolkit::TImageList> checkMarks_;  // "MENU_CHECKED", loaded on first use
  toolkit::TBitmap macBar_;     // "MACOS_MENU_BAR" and "MACOS_MENU_SELECT", loaded when the style
  toolkit::TBitmap macSelect_;  // first becomes MacOS
};

}  // namespace quendrel::skin
