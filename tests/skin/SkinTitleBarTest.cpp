// The skinned title bar: its layout, button looks by mouse state, caption shortening, clicks and
// the drag start, on a real form and on the bitmap the bar renders.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "skin/SkinDraw.h"
#include "skin/SkinTitleBar.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"

namespace quendrel::skin {
namespace {

using namespace quendrel::toolkit;

// Never lets the platform's modal move loop start: it would wait for a real button-up.
class TTestTitleBar : public TSkinTitleBar {
 public:
  using TSkinTitleBar::TSkinTitleBar;
  int drags = 0;

 protected:
  void BeginWindowDrag(TForm&) override { ++drags; }
};

TBitmap Solid(int w, int h, TColor color) {
  TBitmap b(w, h);
  b.Canvas().Brush().SetColor(color);
  b.Canvas().FillRect({0, 0, w, h});
  b.Flush();
  return b;
}

// The main window's hand-made bar: hidden control box, "×" (1), hidden maximize, "–" (3).
struct MainWindowBar {
  MainWindowBar() {
    form = new TForm(&owner);
    form->SetBounds(0, 0, 600, 200);
    bar = new TTestTitleBar(form);
    bar->SetParent(form);
    bar->SetCustom(true);
    bar->SetUIStyle(TSkinUIStyle::Protein);
    bar->SetAlign(alNone);
    bar->SetWidth(564);
    bar->SetHeight(30);
    bar->ClearButtons();
    const TSkinTitleBarBtnType types[] = {tbControlBox, tbCustom, tbMax, tbCustom};
    const TColor colors[] = {0, 0x0000FF, 0, 0x00FF00};
    for (int i = 0; i < 4; ++i) {
      TSkinTitleBarButton& b = bar->AddButton();
      b.SetButtonType(types[i]);
      b.SetVisible(i == 1 || i == 3);
      b.PicNormal = Solid(19, 19, colors[i]);
      b.PicMouseOn = Solid(19, 19, colors[i] | 0x800000);
      b.PicMouseDown = Solid(19, 19, colors[i] | 0x400000);
      b.SetTransparent(false);
    }
    bar->SetButtonInterval(0);
    bar->SetRightBtnXOffset(0);
    bar->OnCustomBtnsClick = [this](TComponent*, int index) { clicks.push_back(index); };
  }
  void Mouse(UINT message, int x, int y, WPARAM keys = 0) { bar->Perform(message, keys, MAKELPARAM(x, y)); }
  TBitmap Render() {
    TBitmap b;
    bar->RenderTo(b);
    return b;
  }
  TComponent owner{nullptr};
  TForm* form = nullptr;
  TTestTitleBar* bar = nullptr;
  std::vector<int> clicks;
};

TEST(SkinTitleBar, NewBarTakesItsStyle) {
  TComponent owner(nullptr);
  TSkinTitleBar bar(&owner);
  ASSERT_EQ(bar.ButtonCount(), 4);
  EXPECT_EQ(bar.Buttons(0).ButtonType(), tbControlBox);
  EXPECT_EQ(bar.Buttons(1).ButtonType(), tbClose);
  EXPECT_EQ(bar.Buttons(2).ButtonType(), tbMax);
  EXPECT_EQ(bar.Buttons(3).ButtonType(), tbMin);
  EXPECT_EQ(bar.UIStyle(), TSkinUIStyle::DeepBlue);
  ASSERT_EQ(bar.SectionCount(), 3);
  EXPECT_EQ(bar.Sections(2).Align, saClient);
  TBitmap strip;
  GetThemeImage(TSkinUIStyle::DeepBlue, keys::TitleBarButtonImage, &strip);
  EXPECT_EQ(bar.ButtonRowHeight(), strip.Height());
  EXPECT_EQ(bar.Height(), bar.Sections(0).Picture.Height());  // not on a skinned form: no 3-pixel overlap
  EXPECT_EQ(bar.Buttons(1).PicNormal.Width(), strip.Width() / 18);

  // The system menu follows the buttons the bar has, hidden ones included.
  bar.Buttons(3).SetVisible(false);
  bar.SystemMenu().UpdateItems();
  EXPECT_TRUE(bar.SystemMenu().Items().Items(0)->Enabled());
  bar.Buttons(3).SetButtonType(tbHelp);
  bar.SystemMenu().UpdateItems();
  EXPECT_FALSE(bar.SystemMenu().Items().Items(0)->Enabled());
  EXPECT_TRUE(bar.SystemMenu().Items().Items(3)->Enabled());
}

TEST(SkinTitleBar, ButtonsReportTheirIndexByPosition) {
  MainWindowBar m;
  struct Case {
    int x;
    int index;
  };
  // "×" (index 1) covers 545..564, "–" (index 3) 525..544, both edges included.
  const Case cases[] = {{545, 1}, {564, 1}, {544, 3}, {525, 3}, {524, -1}, {300, -1}};
  for (const Case& c : cases) EXPECT_EQ(m.bar->ButtonAt({c.x, 10}), c.index) << c.x;

  m.Mouse(WM_LBUTTONDOWN, 550, 10, MK_LBUTTON);
  m.Mouse(WM_LBUTTONUP, 550, 10);
  m.Mouse(WM_LBUTTONDOWN, 530, 10, MK_LBUTTON);
  m.Mouse(WM_LBUTTONUP, 530, 10);
  // Pressed on "×", released over "–": the button under the release counts.
  m.Mouse(WM_LBUTTONDOWN, 550, 10, MK_LBUTTON);
  m.Mouse(WM_LBUTTONUP, 530, 10);
  EXPECT_EQ(m.clicks, (std::vector<int>{1, 3, 3}));
  EXPECT_EQ(m.bar->drags, 0);
}

TEST(SkinTitleBar, HotAndPressedButtonsShowTheirFrames) {
  MainWindowBar m;
  EXPECT_EQ(m.Render().PixelColor(555, 10), 0x0000FF);
  m.Mouse(WM_MOUSEMOVE, 555, 10);
  TBitmap hot = m.Render();
  EXPECT_EQ(m.bar->HotIndex(), 1);
  EXPECT_EQ(hot.PixelColor(555, 10), 0x8000FF);
  EXPECT_EQ(hot.PixelColor(535, 10), 0x00FF00);  // the other one stays normal
  m.Mouse(WM_LBUTTONDOWN, 555, 10, MK_LBUTTON);
  EXPECT_TRUE(m.bar->Pressed());
  EXPECT_EQ(m.Render().PixelColor(555, 10), 0x4000FF);
  m.Mouse(WM_LBUTTONUP, 555, 10);
  m.bar->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(m.Render().PixelColor(555, 10), 0x0000FF);
  EXPECT_EQ(m.bar->HotIndex(), -1);
}

TEST(SkinTitleBar, DragStartsOnlyFromAnEmptyPartOfANormalWindow) {
  MainWindowBar m;
  m.Mouse(WM_LBUTTONDOWN, 100, 10, MK_LBUTTON);
  EXPECT_EQ(m.bar->drags, 1);
  EXPECT_FALSE(m.bar->Pressed());
  m.Mouse(WM_LBUTTONUP, 100, 10);
  m.Mouse(WM_LBUTTONDOWN, 550, 10, MK_LBUTTON);  // on a button: no drag
  m.Mouse(WM_LBUTTONUP, 550, 10);
  EXPECT_EQ(m.bar->drags, 1);
  m.form->SetWindowState(wsMaximized);
  m.Mouse(WM_LBUTTONDOWN, 100, 10, MK_LBUTTON);
  m.Mouse(WM_LBUTTONUP, 100, 10);
  EXPECT_EQ(m.bar->drags, 1);
  m.form->SetWindowState(wsNormal);
}

TEST(SkinTitleBar, CaptionShrinksWithEllipsis) {
  TBitmap b(10, 10);
  TCanvas& canvas = b.Canvas();
  const std::string caption = "Quendrel mail notifier";
  const int full = canvas.TextWidth(caption);
  EXPECT_EQ(TSkinTitleBar::FitCaption(canvas, caption, full), caption);
  const std::string cut = TSkinTitleBar::FitCaption(canvas, caption, full - 1);
  ASSERT_GE(cut.size(), 4u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(canvas.TextWidth(cut), full - 1);
  // The longest prefix: one more character would not fit.
  const std::string prefix = cut.substr(0, cut.size() - 3);
  EXPECT_GT(canvas.TextWidth(caption.substr(0, prefix.size() + 1) + "..."), full - 1);
  EXPECT_EQ(TSkinTitleBar::FitCaption(canvas, caption, canvas.TextWidth("...")), "...");
  EXPECT_EQ(TSkinTitleBar::FitCaption(canvas, caption, 1), "");  // not even "..." fits
  EXPECT_EQ(TSkinTitleBar::FitCaption(canvas, caption, -20), "");

  // No visible buttons and no left offset: the caption starts at x 6.
  MainWindowBar m;
  for (int i = 0; i < m.bar->ButtonCount(); ++i) m.bar->Buttons(i).SetVisible(false);
  m.bar->SetLeftBtnXOffset(0);
  m.bar->SetCaption("IIIIIIIIII");
  m.bar->Font().SetColor(0x00FFFF);
  const TBitmap r = m.Render();
  int first = -1;
  for (int x = 0; x < 40 && first < 0; ++x)
    for (int y = 0; y < r.Height(); ++y)
      if (r.PixelColor(x, y) == 0x00FFFF) {
        first = x;
        break;
      }
  EXPECT_GE(first, 6);
  EXPECT_LE(first, 8);  // the glyph's own left bearing
}

}  // namespace
}  // namespace quendrel::skin
