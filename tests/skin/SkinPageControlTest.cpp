// The skinned page control on a real form: the tab strip's pixels and geometry, scrolling when the
// tabs do not fit, page switching by mouse and keys, and pages that come and go.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "skin/SkinDraw.h"
#include "skin/SkinPageControl.h"
#include "skin/ThemeFileWriter.h"
#include "tests/support/TestFiles.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"

namespace quendrel::skin {
namespace {

using namespace quendrel::toolkit;

// Lets the tests press keys with any shift state.
class TKeyedPageControl : public TSkinPageControl {
 public:
  using TSkinPageControl::TSkinPageControl;
  void KeyDownForTest(WORD& key, TShiftState shift) { KeyDown(key, shift); }
};

struct Pages {
  explicit Pages(int width = 545, TSkinUIStyle style = TSkinUIStyle::MacOS) {
    form = new TForm(&owner);
    form->SetBounds(20, 20, width + 40, 500);
    control = new TKeyedPageControl(form);
    control->SetParent(form);
    control->SetUIStyle(style);
    control->SetLeftMargin(10);
    control->SetBounds(8, 8, width, 441);
  }
  TSkinTabSheet* Add(const std::string& caption) {
    auto* sheet = new TSkinTabSheet(form);
    sheet->SetCaption(caption);
    sheet->SetParent(control);
    return sheet;
  }
  TBitmap Strip() {
    TBitmap b;
    control->Strip().RenderTo(b);
    return b;
  }
  POINT Centre(int tab) {
    const RECT r = control->Strip().TabRect(tab);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void ClickTab(int tab) {
    const POINT p = Centre(tab);
    control->Strip().ClickAt(p.x, p.y);
  }
  TComponent owner{nullptr};
  TForm* form = nullptr;
  TKeyedPageControl* control = nullptr;
};

TBitmap Frame(int key, int frames, int index) {
  TBitmap b;
  GetThemeImage(TSkinUIStyle::MacOS, key, &b, frames, index);
  return b;
}

int TextWidth(TSkinPageControl& control, const std::string& text) {
  TBitmap b(1, 1);
  b.Canvas().SetFont(control.Font());
  return b.Canvas().TextWidth(text);
}

TEST(SkinPageControl, StripDrawsTheActiveTabOnePixelLowerThanTheInactiveOne) {
  Pages p;
  p.Add("Setting");
  p.Add("About");
  p.Add("");
  p.control->SetActivePage(p.control->Pages(0));
  p.form->SetColor(0xC0FFC0);  // to tell the form from the tabs
  p.form->Show();

  EXPECT_EQ(p.control->Strip().StripHeight(), 27 + 7);
  const RECT page = p.control->Pages(0)->BoundsRect();
  EXPECT_EQ(page.left, 3);
  EXPECT_EQ(page.top, 37);
  EXPECT_EQ(page.right - page.left, 539);
  EXPECT_EQ(page.bottom - page.top, 401);
  EXPECT_EQ(p.control->Color(), 0xE7E7E7);
  EXPECT_EQ(p.control->BorderColor(), 0x7F7F7F);

  TBitmap strip = p.Strip();
  const int w0 = TextWidth(*p.control, "Setting") + 20;
  const int w1 = TextWidth(*p.control, "About") + 20;
  const RECT active = p.control->Strip().TabRect(0);
  const RECT inactive = p.control->Strip().TabRect(1);
  EXPECT_EQ(active.left, 10);
  EXPECT_EQ(active.right, 10 + w0);
  EXPECT_EQ(active.top, 1);
  EXPECT_EQ(inactive.left, 10 + w0);
  EXPECT_EQ(inactive.right, 10 + w0 + w1);
  EXPECT_EQ(inactive.top, 0);
  EXPECT_EQ(p.control->Strip().TabRect(2).right - p.control->Strip().TabRect(2).left, 80);  // no caption
  EXPECT_FALSE(p.control->Strip().Overflow());

  // Down the middle of each tab run the middle columns of its frame, the active one a row lower.
  const TBitmap a = Frame(keys::TabControlTabImage, 2, 1);
  const TBitmap i = Frame(keys::TabControlTabImage, 2, 2);
  const int ax = active.left + 8, ix = inactive.left + 8;  // past the end slice, left of the caption
  const auto fromMiddle = [](const TBitmap& frame, int y, TColor pixel) {
    const int third = frame.Width() / 3;
    for (int x = third; x < 2 * third; ++x)
      if (frame.PixelColor(x, y) == pixel) return true;
    return false;
  };
  // The art's magenta is left out: the form shows through above the lower, inactive tab.
  const auto check = [&](const TBitmap& frame, int x, int dy, const char* which) {
    for (int y = 0; y < 26; ++y) {
      const TColor pixel = strip.PixelColor(x, y + dy);
      if (frame.PixelColor(frame.Width() / 2, y) == kSkinMaskColor) {
        EXPECT_EQ(pixel, 0xC0FFC0) << which << " row " << y;
      } else {
        EXPECT_TRUE(fromMiddle(frame, y, pixel)) << which << " row " << y;
      }
    }
  };
  check(a, ax, 1, "active");
  check(i, ix, 0, "inactive");
  // One pixel lower means the rows differ: the inactive tab's top is lower still.
  EXPECT_NE(strip.PixelColor(ax, 2), strip.PixelColor(ix, 2));
  // The bar runs under the tabs, edged by the border colour.
  const TBitmap bar = Frame(keys::TabControlBarImage, 1, 1);
  EXPECT_EQ(strip.PixelColor(400, 27 + 3), bar.PixelColor(8, 3));
  EXPECT_EQ(strip.PixelColor(0, 30), 0x7F7F7F);
  EXPECT_EQ(strip.PixelColor(544, 30), 0x7F7F7F);

  // The body: filled, with the border on the left, bottom and right.
  TBitmap body(545, 441);
  SendMessageA(p.control->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(body.Canvas().Handle()), 0);
  body.Flush();
  EXPECT_EQ(body.PixelColor(0, 200), 0x7F7F7F);
  EXPECT_EQ(body.PixelColor(544, 200), 0x7F7F7F);
  EXPECT_EQ(body.PixelColor(200, 440), 0x7F7F7F);
  EXPECT_EQ(body.PixelColor(1, 200), 0xE7E7E7);
}

TEST(SkinPageControl, ArrowsShowWhenTabsOverflowAndScrollTheStrip) {
  const struct {
    int width;
    int tabs;
    bool arrows;
  } cases[] = {{545, 2, false}, {545, 12, true}, {220, 4, true}, {80, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " wide, " + std::to_string(c.tabs) + " tabs");
    Pages p(c.width);
    for (int t = 0; t < c.tabs; ++t) p.Add("Page number " + std::to_string(t + 1));
    p.control->SetActivePage(p.control->Pages(0));
    TBitmap strip = p.Strip();
    TSkinTabControlTopPanel& s = p.control->Strip();
    EXPECT_EQ(s.Overflow(), c.arrows);
    const RECT next = s.ArrowRect(+1);
    EXPECT_EQ(next.right > next.left, c.arrows);
    if (!c.arrows) continue;
    // The arrows sit at the right end; the last tab drawn is cut where they begin.
    EXPECT_EQ(next.right, c.width - 2);
    int last = 0;
    while (last + 1 < c.tabs && s.TabRect(last + 1).right > s.TabRect(last + 1).left) ++last;
    EXPECT_EQ(s.TabRect(last).right, c.width - 2 * 18 - 2);
    // The arrow's art is there.
    const TBitmap art = Frame(keys::ScrollButtonImage, 4, 1);
    const TColor key = art.PixelColor(0, art.Height() - 1);
    int drawn = 0;
    for (int y = 0; y < art.Height(); ++y)
      for (int x = 0; x < art.Width(); ++x)
        if (art.PixelColor(x, y) != key && strip.PixelColor(next.left + x, next.top + y) == art.PixelColor(x, y))
          ++drawn;
    EXPECT_GT(drawn, 10);

    if (c.tabs < 2) continue;
    // Next scrolls one tab out on the left; previous brings it back.
    s.ClickAt((next.left + next.right) / 2, (next.top + next.bottom) / 2);
    p.Strip();
    EXPECT_EQ(s.FirstVisible(), 1);
    EXPECT_EQ(s.TabRect(0).right, s.TabRect(0).left);
    EXPECT_EQ(s.TabRect(1).left, 10);
    const RECT previous = s.ArrowRect(-1);
    s.ClickAt((previous.left + previous.right) / 2, (previous.top + previous.bottom) / 2);
    p.Strip();
    EXPECT_EQ(s.FirstVisible(), 0);
    // Activating a tab out of view scrolls it in whole.
    p.control->SetActivePage(p.control->Pages(c.tabs - 1));
    p.Strip();
    const RECT shown = s.TabRect(c.tabs - 1);
    EXPECT_GT(shown.right, shown.left);
    EXPECT_LE(shown.right, c.width - 10);
    EXPECT_GT(s.FirstVisible(), 0);
  }
}

TEST(SkinPageControl, SwitchingPagesEnablesOnlyTheActivePage) {
  Pages p;
  TSkinTabSheet* setting = p.Add("Setting");
  TSkinTabSheet* about = p.Add("About");
  auto* start = new TButton(p.form);
  start->SetParent(setting);
  auto* link = new TButton(p.form);
  link->SetParent(about);
  std::vector<std::string> events;
  for (TSkinTabSheet* sheet : {setting, about}) {
    sheet->OnShow = [&events](TComponent* s) { events.push_back("show " + static_cast<TControl*>(s)->Caption()); };
    sheet->OnHide = [&events](TComponent* s) { events.push_back("hide " + static_cast<TControl*>(s)->Caption()); };
  }
  p.control->OnTabActive = [&events](TComponent*, int index) { events.push_back("tab " + std::to_string(index)); };
  p.control->OnChange = [&events](TComponent*) { events.push_back("change"); };
  bool allow = true;
  p.control->OnChanging = [&allow](TComponent*, bool& ok) { ok = allow; };
  p.control->SetActivePage(setting);
  p.form->Show();
  p.Strip();
  EXPECT_TRUE(setting->Enabled());
  EXPECT_FALSE(about->Enabled());  // the last added page was active, then left
  EXPECT_TRUE(start->CanFocus());
  EXPECT_FALSE(link->CanFocus());
  events.clear();

  p.ClickTab(1);
  EXPECT_EQ(p.control->ActivePage(), about);
  EXPECT_EQ(p.control->Strip().TabIndex(), 1);
  EXPECT_FALSE(setting->Enabled());
  EXPECT_FALSE(setting->Visible());
  EXPECT_FALSE(IsWindowEnabled(setting->Handle()));
  EXPECT_FALSE(start->CanFocus());
  EXPECT_TRUE(link->CanFocus());
  EXPECT_EQ(events, (std::vector<std::string>{"hide Setting", "show About", "tab 1", "change"}));
  // The active page lies on top of the other.
  EXPECT_EQ(p.control->Controls(p.control->ControlCount() - 1), about);

  // Setting the page from code: the switch, then the page shown once more; the active page again: shown.
  events.clear();
  p.control->SetActivePage(setting);
  EXPECT_EQ(events, (std::vector<std::string>{"hide About", "show Setting", "tab 0", "change", "show Setting"}));
  events.clear();
  p.control->SetActivePage(setting);
  EXPECT_EQ(events, (std::vector<std::string>{"show Setting"}));
  p.control->SetActivePage(about);

  events.clear();
  p.ClickTab(1);  // the active tab: nothing
  allow = false;
  p.ClickTab(0);  // refused
  EXPECT_EQ(p.control->ActivePage(), about);
  EXPECT_TRUE(events.empty());
  allow = true;

  // Arrows on the focused control stop at the ends.
  for (const auto& [key, expected] : {std::pair{VK_RIGHT, about}, {VK_LEFT, setting}, {VK_LEFT, setting}}) {
    WORD k = static_cast<WORD>(key);
    p.control->KeyDownForTest(k, 0);
    EXPECT_EQ(p.control->ActivePage(), expected) << key;
  }
  // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp from a control on the page go round.
  const struct {
    WORD key;
    bool shift;
    TSkinTabSheet* expected;
  } keys[] = {{VK_TAB, false, about}, {VK_TAB, false, setting}, {VK_TAB, true, about},
              {VK_NEXT, false, setting}, {VK_PRIOR, false, about}};
  for (const auto& k : keys) {
    BYTE saved[256]{};
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(std::begin(saved), std::end(saved), held);
    held[VK_CONTROL] = 0x80;
    held[VK_SHIFT] = k.shift ? 0x80 : 0;
    SetKeyboardState(held);
    TButton* focus = p.control->ActivePage() == setting ? start : link;
    PostMessageA(focus->Handle(), WM_KEYDOWN, k.key, 0);
    Application.ProcessMessages();
    SetKeyboardState(saved);
    EXPECT_EQ(p.control->ActivePage(), k.expected) << k.key << (k.shift ? " with shift" : "");
  }
}

TEST(SkinPageControl, PagesComingAndGoingLeaveASaneActivePage) {
  // Pages A, B, C; the one named is removed (freed or moved elsewhere) while the active one is
  // active; what stays active, and the tabs left.
  const struct {
    int active, removed;
    bool free;
    int expectedActive;  // index among the pages left, -1 none
    const char* tabs;
  } cases[] = {
      {0, 0, true, 0, "BC"},  {1, 1, true, 0, "AC"},  {2, 2, false, 1, "AB"},
      {2, 0, true, 1, "BC"},  {0, 2, false, 0, "AB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("active " + std::to_string(c.active) + " removed " + std::to_string(c.removed));
    Pages p;
    TSkinTabSheet* sheets[] = {p.Add("A"), p.Add("B"), p.Add("C")};
    p.control->SetActivePage(sheets[c.active]);
    if (c.free) {
      delete sheets[c.removed];
    } else {
      sheets[c.removed]->SetParent(p.form);
      EXPECT_EQ(sheets[c.removed]->PageControl(), nullptr);
      EXPECT_EQ(sheets[c.removed]->PageIndex(), -1);
    }
    ASSERT_EQ(p.control->PageCount(), 2);
    std::string tabs;
    for (const std::string& t : p.control->Strip().Tabs()) tabs += t;
    EXPECT_EQ(tabs, c.tabs);
    ASSERT_NE(p.control->ActivePage(), nullptr);
    EXPECT_EQ(p.control->ActivePage()->PageIndex(), c.expectedActive);
    EXPECT_EQ(p.control->Strip().TabIndex(), c.expectedActive);
    EXPECT_TRUE(p.control->ActivePage()->Enabled());
    p.Strip();
  }

  // No pages at all: every way of choosing a tab is harmless.
  Pages empty;
  empty.form->Show();
  TBitmap strip = empty.Strip();
  EXPECT_FALSE(empty.control->Strip().Overflow());
  empty.control->SelectTab(0);
  empty.control->Strip().ClickAt(20, 10);
  WORD key = VK_RIGHT;
  empty.control->KeyDownForTest(key, 0);
  EXPECT_EQ(empty.control->ActivePage(), nullptr);
  EXPECT_EQ(empty.control->Strip().TabIndex(), -1);
  // The last page going leaves none; a new one becomes active.
  TSkinTabSheet* only = empty.Add("Only");
  EXPECT_EQ(empty.control->ActivePage(), only);
  delete only;
  EXPECT_EQ(empty.control->ActivePage(), nullptr);
  EXPECT_EQ(empty.control->Strip().TabIndex(), -1);

  // Hiding the active tab moves to the visible neighbour on its left, else on its right.
  Pages p;
  TSkinTabSheet* sheets[] = {p.Add("A"), p.Add("B"), p.Add("C")};
  p.control->SetActivePage(sheets[1]);
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(p.control->ActivePage(), sheets[0]);
  sheets[0]->SetTabVisible(false);
  EXPECT_EQ(p.control->ActivePage(), sheets[2]);
  p.Strip();
  EXPECT_EQ(p.control->Strip().TabRect(2).left, 10);

  // The control going first leaves its sheets whole.
  delete p.control;
  EXPECT_EQ(sheets[2]->PageControl(), nullptr);
  delete sheets[2];
}

TEST(SkinPageControl, TabArtMissingOrTooSmallStillGivesUsableTabs) {
  test::ScratchDir dir("skinpage");
  TBitmap tiny(1, 5);
  TBitmap dot(2, 2);
  const ThemeFileItem border = ThemeFileItem::Integer("ControlBorderColor", 0x0000C0);
  const ThemeFileItem background = ThemeFileItem::Integer("ControlBackgroundColor", 0xE0E0E0);
  const struct {
    const char* name;
    std::vector<ThemeFileItem> items;
  } cases[] = {
      {"none.qst", {border, background}},
      {"tiny.qst",
       {border, background, ThemeFileItem::Image("TabControlTabImage", tiny.SaveToMemory()),
        ThemeFileItem::Image("ScrollButtonImage", dot.SaveToMemory())}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteFile(dir.File(c.name), WriteThemeFile(c.items));
    Pages p(160);
    auto* theme = new TSkinFileTheme(p.form);
    theme->SearchDirs = [&dir] { return std::vector<std::string>{dir.File("")}; };
    theme->SetThemeFile(c.name);
    ASSERT_TRUE(theme->Valid());
    p.control->SetFileTheme(theme);
    p.control->SetUIStyle(TSkinUIStyle::FromThemeFile);
    TSkinTabSheet* first = p.Add("First page");
    TSkinTabSheet* second = p.Add("Second page");
    p.Add("Third page");
    p.control->SetActivePage(first);
    p.form->Show();
    TBitmap strip = p.Strip();
    TSkinTabControlTopPanel& s = p.control->Strip();
    EXPECT_GE(s.StripHeight(), 16);
    EXPECT_EQ(p.control->Pages(0)->Top(), s.StripHeight() + 3);
    // The tabs are drawn plainly, framed in the border colour, and still take clicks.
    const RECT tab = s.TabRect(0);
    ASSERT_GT(tab.right, tab.left);
    EXPECT_EQ(strip.PixelColor(tab.left, tab.top + 5), 0x0000C0);
    p.ClickTab(1);
    EXPECT_EQ(p.control->ActivePage(), second);
    p.control->SetActivePage(first);
    p.Strip();
    // Too many tabs for 160 pixels: arrows, drawn plainly, that scroll.
    ASSERT_TRUE(s.Overflow());
    const RECT next = s.ArrowRect(+1);
    ASSERT_GT(next.right, next.left);
    s.ClickAt((next.left + next.right) / 2, (next.top + next.bottom) / 2);
    EXPECT_EQ(s.FirstVisible(), 1);
  }
}

TEST(SkinPageControl, SwitchTimeRepaintTimeAndNoGdiGrowth) {
  Pages p;
  p.Add("Setting");
  p.Add("About");
  auto* button = new TButton(p.form);
  button->SetParent(p.control->Pages(0));
  p.form->Show();
  UpdateWindow(p.form->Handle());
  p.control->SetActivePage(p.control->Pages(0));
  UpdateWindow(p.form->Handle());

  const DWORD before = GdiObjectCount();
  using clock = std::chrono::steady_clock;
  const auto start = clock::now();
  for (int i = 0; i < 1000; ++i) {
    p.control->SetActivePage(p.control->Pages((i + 1) % 2));
    UpdateWindow(p.form->Handle());
  }
  const auto switched = clock::now();
  for (int i = 0; i < 100; ++i)
    RedrawWindow(p.control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const auto repainted = clock::now();
  const DWORD after = GdiObjectCount();
  EXPECT_LE(after, before + 2);
  using us = std::chrono::microseconds;
  std::printf("[figure] page switch %.1f us, page control repaint %.1f us, GDI objects %lu -> %lu after 1000 switches\n",
              std::chrono::duration_cast<us>(switched - start).count() / 1000.0,
              std::chrono::duration_cast<us>(repainted - switched).count() / 100.0,
              static_cast<unsigned long>(before), static_cast<unsigned long>(after));
}

}  // namespace
}  // namespace quendrel::skin
