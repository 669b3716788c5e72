#include "skin/SkinPopupMenu.h"

#include <algorithm>

#include "skin/SkinControls.h"
#include "skin/SkinDraw.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::skin {

using toolkit::TCanvas;
using toolkit::TMenuItem;

TSkinPopupMenu::TSkinPopupMenu(toolkit::TComponent* owner)
    : TPopupMenu(owner), look_(*this, TSkinUIStyle::DeepBlue, [this](TSkinUIStyle style) { SetUIStyle(style); }) {
  SetUIStyle(GetOwnerFormStyle(owner));
}

const toolkit::TPropertyList& TSkinPopupMenu::ClassProperties() {
  using C = TSkinPopupMenu;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TComponent::ClassProperties();
    AddStyleProperties<C>(l);
    l.Integer<C>("MenuItemHeight", [](const C& c) { return c.MenuItemHeight(); },
                 [](C& c, std::int64_t v) { c.SetMenuItemHeight(static_cast<int>(v)); });
    l.Integer<C>("SeparatorHeight", [](const C& c) { return c.SeparatorHeight(); },
                 [](C& c, std::int64_t v) { c.SetSeparatorHeight(static_cast<int>(v)); });
    l.Integer<C>("BarWidth", [](const C& c) { return c.BarWidth(); },
                 [](C& c, std::int64_t v) { c.SetBarWidth(static_cast<int>(v)); });
    return l;
  }();
  return list;
}

void TSkinPopupMenu::SetUIStyle(TSkinUIStyle style) {
  look_.SetStyle(style);
  barWidth_ = 26;
  if (style == TSkinUIStyle::MacOS) {
    menuItemHeight_ = 20;
    separatorHeight_ = 12;
    SeparatorColor = 0x000000;
    // The MacOS items are drawn from these strips: loaded now, not for every item drawn.
    if (macBar_.Empty()) macBar_.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR");
    if (macSelect_.Empty()) macSelect_.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT");
  } else {
    menuItemHeight_ = 21;
    separatorHeight_ = 5;
    SeparatorColor = 0x848284;
  }
  const TResolvedStyle resolved = look_.Resolved();
  const TSkinFileTheme* theme = look_.Theme();
  BarColor = GetThemeColor(resolved, theme, keys::MenuBarColor);
  Color = GetThemeColor(resolved, theme, keys::MenuBackgroundColor);
  FontColor = GetThemeColor(resolved, theme, keys::MenuFontColor);
  SelectedBorderColor = GetThemeColor(resolved, theme, keys::MenuSelectedBorderColor);
  SelectedColor = GetThemeColor(resolved, theme, keys::MenuSelectedBackgroundColor);
  SelectedFontColor = GetThemeColor(resolved, theme, keys::MenuSelectedFontColor);
}

void TSkinPopupMenu::SetFileTheme(TSkinFileTheme* theme) { look_.SetTheme(theme); }

void TSkinPopupMenu::Notification(toolkit::TComponent* component, toolkit::TOperation operation) {
  TPopupMenu::Notification(component, operation);
  look_.Notification(component, operation);
}

void TSkinPopupMenu::SetMenuItemHeight(int value) {
  if (UIStyle() != TSkinUIStyle::MacOS) menuItemHeight_ = value;
}

void TSkinPopupMenu::SetSeparatorHeight(int value) {
  if (UIStyle() != TSkinUIStyle::MacOS) separatorHeight_ = value;
}

void TSkinPopupMenu::HookItems() { HookTree(Items()); }

void TSkinPopupMenu::HookTree(TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    item->OnMeasureItem = [this](TMenuItem* sender, TCanvas& canvas, int& width, int& height) {
      MeasureItem(sender, canvas, width, height);
    };
    item->OnDrawItem = [this](TMenuItem* sender, TCanvas& canvas, const RECT& rect, bool selected) {
      DrawItem(sender, canvas, rect, selected);
    };
    HookTree(*item);
  }
}

void TSkinPopupMenu::Popup(int x, int y) {
  HookItems();
  TPopupMenu::Popup(x, y);
}

void TSkinPopupMenu::MeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
  if (item->IsLine()) {
    height = separatorHeight_;
    return;
  }
  height = menuItemHeight_;
  width = canvas.TextWidth(item->Caption()) + canvas.TextWidth(toolkit::ShortCutToText(item->ShortCut())) +
          barWidth_ + 40;
}

void TSkinPopupMenu::DrawMacBitmap(TCanvas& canvas, const RECT& rect, toolkit::TBitmap& whole, int rows) {
  if (whole.Empty()) return;
  RECT source{0, 0, whole.Width(), std::min(rows, whole.Height())};
  SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
  StretchBlt(canvas.Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
             whole.Canvas().Handle(), 0, 0, source.right, source.bottom, SRCCOPY);
}

void TSkinPopupMenu::FillBarAndBackground(TCanvas& canvas, const RECT& rect) {
  if (barWidth_ > 0) {
    canvas.Brush().SetColor(BarColor);
    canvas.FillRect({rect.left, rect.top, std::min<LONG>(rect.left + barWidth_, rect.right), rect.bottom});
  }
  canvas.Brush().SetColor(Color);
  canvas.FillRect({std::min<LONG>(rect.left + std::max(barWidth_, 0), rect.right), rect.top, rect.right, rect.bottom});
}

toolkit::TImageList& TSkinPopupMenu::CheckMarks() {
  if (!checkMarks_) {
    checkMarks_ = std::make_unique<toolkit::TImageList>(nullptr, 16, 16);
    toolkit::TBitmap mark;
    if (mark.LoadFromResourceName(GetModuleHandleA(nullptr), "MENU_CHECKED")) checkMarks_->AddMasked(mark, 0xFFFFFF);
  }
  return *checkMarks_;
}

void TSkinPopupMenu::DrawFlatFrame(HWND menuWindow) {
  RECT w;
  if (!GetWindowRect(menuWindow, &w)) return;
  toolkit::WindowDC desktop(nullptr);
  TCanvas canvas(desktop.Get());
  canvas.Brush().SetColor(0x000000);
  canvas.FrameRect({w.left, w.top + 1, w.right - 1, w.bottom - 1});
  canvas.Brush().SetColor(0xFFFFFF);
  canvas.FrameRect({w.left + 1, w.top + 2, w.right - 2, w.bottom - 2});
  const TResolvedStyle resolved = look_.Resolved();
  canvas.Pen().SetColor(GetThemeColor(resolved, look_.Theme(), keys::FormBackgroundColor));
  canvas.MoveTo(w.left, w.bottom - 1);
  canvas.LineTo(w.right - 1, w.bottom - 1);
  canvas.LineTo(w.right - 1, w.top);
  canvas.LineTo(w.right, w.top);
  canvas.LineTo(w.left, w.top);
}

void TSkinPopupMenu::DrawItem(TMenuItem* item, TCanvas& canvas, const RECT& rect, bool selected) {
  const bool mac = UIStyle() == TSkinUIStyle::MacOS;
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
  if (FlatMenu) {
    if (HWND window = WindowFromDC(canvas.Handle())) DrawFlatFrame(window);
  }
  if (item->IsLine()) {
    if (mac) {
      DrawMacBitmap(canvas, rect, macBar_, 12);
      return;
    }
    FillBarAndBackground(canvas, rect);
    canvas.Pen().SetColor(SeparatorColor);
    canvas.MoveTo(rect.left + barWidth_ + 4, rect.top + 2);
    canvas.LineTo(rect.right - 2, rect.top + 2);
    return;
  }
  const bool highlight = selected && item->Enabled();
  if (highlight) {
    if (mac) {
      DrawMacBitmap(canvas, rect, macSelect_, 20);
    } else {
      canvas.Brush().SetColor(SelectedColor);
      canvas.FillRect(rect);
      canvas.Brush().SetColor(SelectedBorderColor);
      canvas.FrameRect(rect);
    }
  } else if (mac) {
    DrawMacBitmap(canvas, rect, macBar_, 20);
  } else {
    FillBarAndBackground(canvas, rect);
  }

  if (UseSystemFont) {
    GetMenuFont(canvas.Font());
  } else {
    canvas.Font().SetName(FontName);
    canvas.Font().SetSize(FontSize);
    canvas.Font().SetCharset(FontCharset);
  }
  canvas.Brush().SetStyle(toolkit::TBrushStyle::bsClear);
  canvas.Font().SetColor(!item->Enabled() ? toolkit::clGray : highlight ? SelectedFontColor : FontColor);
  canvas.Font().SetStyle(item->Default() ? toolkit::fsBold : 0u);
  RECT text{rect.left + barWidth_ + 4, rect.top + 4, rect.right, rect.bottom};
  canvas.DrawText(item->Caption(), text, DT_SINGLELINE);
  if (const std::string shortcut = toolkit::ShortCutToText(item->ShortCut()); !shortcut.empty())
    canvas.TextOut(rect.right - canvas.TextWidth(shortcut) - 16, rect.top + 4, shortcut);

  toolkit::TImageList* images = Images();
  const int index = item->ImageIndex();
  const bool hasImage = images && index >= 0 && index < images->Count();
  if (item->Checked()) {
    if (hasImage) {
      canvas.Brush().SetStyle(toolkit::TBrushStyle::bsSolid);
      canvas.Brush().SetColor(0x000000);
      canvas.FrameRect({rect.left + 2, rect.top + 1, rect.left + 21, rect.top + 20});
      canvas.Brush().SetColor(SelectedColor);
      canvas.FillRect({rect.left + 3, rect.top + 2, rect.left + 20, rect.top + 19});
    } else if (CheckMarks().Count() > 0) {
      CheckMarks().Draw(canvas, rect.left + 4, rect.top + 3, 0, item->Enabled());
    }
  }
  if (hasImage) images->Draw(canvas, rect.left + 4, rect.top + 3, index, item->Enabled());
}

}  // namespace quendrel::skin
