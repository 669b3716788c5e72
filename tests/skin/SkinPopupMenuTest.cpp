// The skinned popup menu: its style colours and sizes, and the items it draws, checked on the pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "skin/SkinPopupMenu.h"
#include "toolkit/Bitmap.h"

namespace quendrel::skin {
namespace {

using toolkit::TBitmap;
using toolkit::TColor;
using toolkit::TMenuItem;

// The main window's tray menu as the form sets it up.
struct TrayMenu {
  TrayMenu() {
    menu.SetUIStyle(TSkinUIStyle::WinXP);
    menu.SetMenuItemHeight(21);
    menu.SetSeparatorHeight(5);
    menu.SetBarWidth(26);
    menu.BarColor = 0x00FF00;  // the desktop colour varies; a plain one is easier to check
    menu.Color = toolkit::clWhite;
    menu.SeparatorColor = 0x848284;
    menu.SelectedBorderColor = 0xC66931;
    menu.SelectedColor = 0xEFD3C6;
    menu.SelectedFontColor = toolkit::clBlack;
    menu.FontColor = toolkit::clBlack;
    menu.SetMenuAnimation(toolkit::maBottomToTop);
    for (const char* caption : {"Start", "-", "Quit"}) {
      auto* item = new TMenuItem(&menu);
      item->SetCaption(caption);
      menu.Items().Add(item);
    }
  }
  TMenuItem* Item(int i) { return menu.Items().Items(i); }
  TBitmap Draw(int i, bool selected, int width = 120, int height = 21) {
    TBitmap b(width, height);
    b.Canvas().Brush().SetColor(0x123456);
    b.Canvas().FillRect({0, 0, width, height});
    menu.DrawItem(Item(i), b.Canvas(), RECT{0, 0, width, height}, selected);
    b.Flush();
    return b;
  }
  toolkit::TPopupMenu owner_{nullptr};
  TSkinPopupMenu menu{nullptr};
};

TEST(SkinPopupMenu, StyleSetsSizesAndColours) {
  TSkinPopupMenu menu(nullptr);
  EXPECT_TRUE(menu.OwnerDraw());
  menu.SetOwnerDraw(false);
  EXPECT_TRUE(menu.OwnerDraw());
  EXPECT_EQ(menu.UIStyle(), TSkinUIStyle::DeepBlue);  // no owner form

  menu.SetUIStyle(TSkinUIStyle::WinXP);
  EXPECT_EQ(menu.MenuItemHeight(), 21);
  EXPECT_EQ(menu.SeparatorHeight(), 5);
  EXPECT_EQ(menu.BarWidth(), 26);
  EXPECT_EQ(menu.SelectedColor, GetThemeColor(TSkinUIStyle::WinXP, keys::MenuSelectedBackgroundColor));
  EXPECT_EQ(menu.SelectedBorderColor, GetThemeColor(TSkinUIStyle::WinXP, keys::MenuSelectedBorderColor));
  EXPECT_EQ(menu.BarColor, GetThemeColor(TSkinUIStyle::WinXP, keys::MenuBarColor));
  EXPECT_EQ(menu.SeparatorColor, 0x848284);

  menu.SetUIStyle(TSkinUIStyle::MacOS);
  menu.SetMenuItemHeight(30);
  menu.SetSeparatorHeight(30);
  EXPECT_EQ(menu.MenuItemHeight(), 20);  // fixed by the MacOS art
  EXPECT_EQ(menu.SeparatorHeight(), 12);
  EXPECT_EQ(menu.SeparatorColor, 0x000000);
}

TEST(SkinPopupMenu, MeasuresItemsAndRollsUpFromTheBottom) {
  TrayMenu m;
  TBitmap scratch(1, 1);
  int width = 0, height = 0;
  m.menu.MeasureItem(m.Item(0), scratch.Canvas(), width, height);
  EXPECT_EQ(height, 21);
  EXPECT_EQ(width, scratch.Canvas().TextWidth("Start") + 26 + 40);
  m.menu.MeasureItem(m.Item(1), scratch.Canvas(), width, height);
  EXPECT_EQ(height, 5);
  EXPECT_EQ(m.menu.TrackFlags() & 0x7C00u, static_cast<UINT>(TPM_VERNEGANIMATION));
}

TEST(SkinPopupMenu, DrawsSelectedNormalAndSeparatorItems) {
  TrayMenu m;
  const TBitmap selected = m.Draw(0, true);
  EXPECT_EQ(selected.PixelColor(0, 0), 0xC66931);  // frame
  EXPECT_EQ(selected.PixelColor(119, 20), 0xC66931);
  EXPECT_EQ(selected.PixelColor(1, 1), 0xEFD3C6);  // fill, bar included
  EXPECT_EQ(selected.PixelColor(118, 19), 0xEFD3C6);

  const TBitmap normal = m.Draw(0, false);
  EXPECT_EQ(normal.PixelColor(0, 0), 0x00FF00);
  EXPECT_EQ(normal.PixelColor(25, 20), 0x00FF00);
  EXPECT_EQ(normal.PixelColor(26, 0), 0xFFFFFF);
  bool text = false;  // black caption pixels right of the bar
  for (int y = 4; y < 21; ++y)
    for (int x = 30; x < 70; ++x) text = text || normal.PixelColor(x, y) == 0x000000;
  EXPECT_TRUE(text);

  const TBitmap line = m.Draw(1, false, 120, 5);
  EXPECT_EQ(line.PixelColor(25, 2), 0x00FF00);
  EXPECT_EQ(line.PixelColor(29, 2), 0xFFFFFF);
  EXPECT_EQ(line.PixelColor(30, 2), 0x848284);
  EXPECT_EQ(line.PixelColor(117, 2), 0x848284);
  EXPECT_EQ(line.PixelColor(118, 2), 0xFFFFFF);
  EXPECT_EQ(line.PixelColor(60, 1), 0xFFFFFF);
  EXPECT_EQ(line.PixelColor(60, 3), 0xFFFFFF);
}

TEST(SkinPopupMenu, MacOSItemsAreDrawnFromTheMenuStrips) {
  TrayMenu m;
  m.menu.SetUIStyle(TSkinUIStyle::MacOS);
  TBitmap bar, select;
  ASSERT_TRUE(bar.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR"));
  ASSERT_TRUE(select.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT"));
  struct Case {
    int item;
    bool selected;
    int height;
    const TBitmap& strip;
  };
  for (const Case& c : {Case{0, true, 20, select}, Case{0, false, 20, bar}, Case{1, false, 12, bar}}) {
    const TBitmap b = m.Draw(c.item, c.selected, 120, c.height);
    for (int y = 0; y < c.height; ++y)  // the right end: no caption there
      EXPECT_EQ(b.PixelColor(115, y), c.strip.PixelColor(0, y)) << c.item << " " << c.selected << " row " << y;
  }
}

TEST(SkinPopupMenu, DisabledSelectedItemIsDrawnUnselectedInGrey) {
  TrayMenu m;
  m.Item(0)->SetEnabled(false);
  const TBitmap b = m.Draw(0, true);
  EXPECT_EQ(b.PixelColor(0, 0), 0x00FF00);
  EXPECT_EQ(b.PixelColor(119, 0), 0xFFFFFF);
  bool grey = false;
  for (int y = 4; y < 21; ++y)
    for (int x = 30; x < 70; ++x) grey = grey || b.PixelColor(x, y) == 0x808080;
  EXPECT_TRUE(grey);
}

TEST(SkinPopupMenu, CheckedItemShowsTheCheckMark) {
  TrayMenu m;
  m.Item(2)->SetChecked(true);
  const TBitmap b = m.Draw(2, false);
  TBitmap mark;
  ASSERT_TRUE(mark.LoadFromResourceName(GetModuleHandleA(nullptr), "MENU_CHECKED"));
  int inked = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const TColor want = mark.PixelColor(x, y);
      if (want == 0xFFFFFF) continue;  // transparent: the bar shows through
      ++inked;
      EXPECT_EQ(b.PixelColor(4 + x, 3 + y), want) << x << "," << y;
    }
  EXPECT_GT(inked, 0);
  EXPECT_EQ(b.PixelColor(3, 3), 0x00FF00);
}

TEST(SkinPopupMenu, PopupHooksRunTimeItemsAndAGoneThemeFallsBack) {
  TrayMenu m;
  auto* late = new TMenuItem(&m.owner_);  // owned elsewhere, added later
  m.menu.Items().Add(late);
  m.menu.HookItems();
  EXPECT_TRUE(static_cast<bool>(late->OnDrawItem));
  EXPECT_TRUE(static_cast<bool>(m.Item(0)->OnMeasureItem));

  auto theme = std::make_unique<TSkinFileTheme>(nullptr);
  m.menu.SetFileTheme(theme.get());
  theme.reset();
  EXPECT_EQ(m.menu.FileTheme(), nullptr);
  EXPECT_EQ(m.menu.UIStyle(), TSkinUIStyle::DeepBlue);
  m.menu.Items().Remove(late);
}

}  // namespace
}  // namespace quendrel::skin
