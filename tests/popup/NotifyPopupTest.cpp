// The popup component and its window: settings, placement and slides, painting, clicks, closing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/RunState.h"
#include "popup/NotifyPopup.h"
#include "popup/NotifyPopupForm.h"
#include "tests/popup/PopupFixture.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "tests/toolkit/ThreadWindowCount.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"
#include "toolkit/Properties.h"
#include "toolkit/RenderToBitmap.h"
#include "toolkit/Timer.h"

namespace quendrel::test {
namespace {

using popup::TfrmNotifyPopup;
using popup::TNotifyPopup;
using toolkit::RGBToColor;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string Show(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

TEST_F(PopupTest, NewComponentStartsWithItsInitialValues) {
  TNotifyPopup& c = component();
  const struct {
    const char* name;
    std::int64_t value;
  } ordinals[] = {{"IconLeft", 8},
                  {"IconTop", 8},
                  {"TimeOut", 10},
                  {"Width", 148},
                  {"Height", 121},
                  {"GradientColor1", RGBToColor(153, 204, 255)},
                  {"GradientColor2", RGBToColor(255, 255, 255)},
                  {"GradientOrientation", popup::mbVertical},
                  {"ScrollSpeed", 9},
                  {"Options", 0b11101},  // AutoOpenURL, CascadePopups, AllowScroll, AllowHyperlink
                  {"TextAlignment", toolkit::taCenter},
                  {"BackgroundDrawMethod", popup::dmActualSize},
                  {"TextCursor", toolkit::crDefault},
                  {"PopupMarge", 2},
                  {"PopupStartX", 16},
                  {"PopupStartY", 2},
                  {"DefaultMonitor", popup::dmDesktop}};
  for (const auto& o : ordinals) {
    if (toolkit::GetOrdProp(c, o.name) != o.value)
      ADD_FAILURE() << o.name << " = " << toolkit::GetOrdProp(c, o.name) << ", expected " << o.value;
  }
  EXPECT_TRUE(toolkit::IsPublishedProp(c, "OnClick") && toolkit::IsPublishedProp(c, "OnURLClick"));
  EXPECT_FALSE(c.OnClick || c.OnURLClick);
  EXPECT_EQ(toolkit::GetStrProp(c, "Text"), "text");
  EXPECT_EQ(toolkit::GetStrProp(c, "Title"), "title");
  EXPECT_FALSE(c.URL().empty());
  EXPECT_TRUE(c.IconBitmap().Empty());
  EXPECT_TRUE(c.BackgroundImage().Empty());
  EXPECT_EQ(c.Font().Name(), "MS Sans Serif");
  EXPECT_EQ(c.Font().Size(), 8);
  EXPECT_EQ(c.Font().Style(), 0u);
  EXPECT_EQ(c.HoverFont().Style(), toolkit::fsUnderline);
  EXPECT_EQ(c.HoverFont().Color(), RGBToColor(0, 0, 255));
  EXPECT_EQ(c.TitleFont().Style(), toolkit::fsBold);
  EXPECT_EQ(c.ShownCount(), 0);
  EXPECT_EQ(c.StackOffset(), 0);
  EXPECT_EQ(c.TaskbarEdge(), 0);
  // What a saved form leaves out differs from what a new component starts with.
  EXPECT_EQ(TNotifyPopup::StreamingDefaults::Width, 175);
  EXPECT_EQ(TNotifyPopup::StreamingDefaults::Height, 175);
  EXPECT_EQ(TNotifyPopup::StreamingDefaults::ScrollSpeed, 5);
  EXPECT_EQ(TNotifyPopup::StreamingDefaults::TextAlignment, toolkit::taLeftJustify);
}

TEST_F(PopupTest, SettersCopyAndKeepValuesInRange) {
  TNotifyPopup& c = component();
  toolkit::TFont font;
  font.SetSize(12);
  c.SetFont(font);
  font.SetSize(20);  // the caller's object stays the caller's
  EXPECT_EQ(c.Font().Size(), 12);
  c.SetFont(c.Font());
  EXPECT_EQ(c.Font().Size(), 12);

  const struct {
    int given, cursor;
  } cursors[] = {{-21, -21}, {65515, -21}, {5, 5}, {-32768, -32768}, {65536, 0}, {-40000, 0}, {1 << 30, 0}};
  for (const auto& k : cursors) {
    c.SetTextCursor(k.given);
    if (c.TextCursor() != k.cursor) ADD_FAILURE() << k.given << " gives cursor " << c.TextCursor();
  }
  const struct {
    int given, speed;
  } speeds[] = {{9, 9}, {0, 1}, {-4, 1}, {50, 50}, {51, 50}, {300, 50}};
  for (const auto& s : speeds) {
    c.SetScrollSpeed(s.given);
    if (c.ScrollSpeed() != s.speed) ADD_FAILURE() << s.given << " gives speed " << int(c.ScrollSpeed());
  }
}

TEST_F(PopupTest, PlacedAgainstEveryTaskbarEdge) {
  // Final window rectangles of the default 148 x 121 popup, and where it starts to grow.
  const struct {
    const char* name;
    bool known;
    RECT taskbar, workArea, final;
    RECT collapsed;
  } cases[] = {
      {"bottom", true, {0, 748, 1024, 768}, {0, 0, 1024, 748}, {860, 625, 1008, 746}, {860, 746, 1008, 747}},
      {"top", true, {0, 0, 1024, 30}, {0, 30, 1024, 768}, {860, 32, 1008, 153}, {860, 32, 1008, 33}},
      {"left", true, {0, 0, 60, 768}, {60, 0, 1024, 768}, {76, 645, 224, 766}, {76, 645, 77, 766}},
      {"right", true, {964, 0, 1024, 768}, {0, 0, 964, 768}, {800, 645, 948, 766}, {948, 645, 949, 766}},
      // No taskbar to ask: the work area's bottom edge, as if the taskbar were there.
      {"unknown", false, {}, {0, 0, 1280, 1024}, {1116, 901, 1264, 1022}, {1116, 1022, 1264, 1023}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shell_.taskbarKnown = c.known;
    shell_.taskbar = c.taskbar;
    shell_.workArea = c.workArea;
    ASSERT_TRUE(component().OpenPopup());
    TfrmNotifyPopup& popup = LastPopup();
    EXPECT_TRUE(SameRect(WindowRect(popup), c.collapsed)) << Show(WindowRect(popup));
    int ticks = 0;
    while (Tick(popup.tmrScroll)) ++ticks;
    EXPECT_TRUE(SameRect(WindowRect(popup), c.final)) << Show(WindowRect(popup));
    // 1 + 13 x 9 pixels, then the full 121 high; 1 + 16 x 9, then the full 148 wide.
    const bool sideways = c.collapsed.right - c.collapsed.left == 1;
    EXPECT_EQ(ticks, sideways ? 17 : 14);
    EXPECT_TRUE(popup.tmrExit->Enabled());
    popup.Close();
    Pump();
    EXPECT_TRUE(Popups().empty());
  }
}

TEST_F(PopupTest, SlidesInWaitsSlidesOutAndFreesItself) {
  ASSERT_TRUE(component().OpenPopup());
  TfrmNotifyPopup& popup = LastPopup();
  EXPECT_TRUE(popup.tmrScroll->Enabled());
  EXPECT_EQ(popup.tmrScroll->Interval(), 25u);
  std::vector<int> heights;
  do {
    const RECT r = WindowRect(popup);
    heights.push_back(r.bottom - r.top);
    if (r.bottom != 747 && r.bottom != 746) ADD_FAILURE() << "bottom " << r.bottom;
  } while (Tick(popup.tmrScroll));
  EXPECT_EQ(heights, (std::vector<int>{1, 10, 19, 28, 37, 46, 55, 64, 73, 82, 91, 100, 109, 118, 121}));

  EXPECT_TRUE(popup.tmrExit->Enabled());
  EXPECT_EQ(popup.tmrExit->Interval(), 10000u);
  EXPECT_FALSE(popup.tmrScrollDown->Enabled());
  // The mouse over the text does not hold the wait.
  popup.lblText->Perform(toolkit::CM_MOUSEENTER);
  EXPECT_TRUE(popup.tmrExit->Enabled());
  ASSERT_TRUE(Tick(popup.tmrExit));
  EXPECT_FALSE(popup.tmrExit->Enabled());

  std::vector<int> down;
  int ticks = 0;
  while (Tick(popup.tmrScrollDown)) {
    ++ticks;
    if (!IsWindowVisible(popup.Handle())) break;
    const RECT r = WindowRect(popup);
    down.push_back(r.bottom - r.top);
    EXPECT_EQ(r.bottom, 746);
  }
  EXPECT_EQ(down, (std::vector<int>{112, 103, 94, 85, 76, 67, 58, 49, 40, 31, 22, 13, 4}));
  EXPECT_EQ(ticks, 14);
  EXPECT_EQ(component().ShownCount(), 0);
  Pump();
  EXPECT_TRUE(Popups().empty());
}

TEST_F(PopupTest, WithoutScrollItShowsAtFullSizeAndStillSlidesOut) {
  component().SetOptions(component().Options() & ~popup::OptionBit(popup::npAllowScroll));
  component().SetTimeOut(3);
  ASSERT_TRUE(component().OpenPopup());
  TfrmNotifyPopup& popup = LastPopup();
  EXPECT_TRUE(SameRect(WindowRect(popup), RECT{860, 625, 1008, 746})) << Show(WindowRect(popup));
  EXPECT_FALSE(popup.tmrScroll->Enabled());
  EXPECT_TRUE(popup.tmrExit->Enabled());
  EXPECT_EQ(popup.tmrExit->Interval(), 3000u);
  Tick(popup.tmrExit);
  int ticks = 0;
  while (Tick(popup.tmrScrollDown)) ++ticks;
  EXPECT_EQ(ticks, 14);
  Pump();
  EXPECT_TRUE(Popups().empty());
}

TEST_F(PopupTest, CascadedPopupsStackUntilThereIsNoRoom) {
  shell_.workArea = RECT{0, 0, 1024, 400};
  std::vector<int> offsets;
  while (component().OpenPopup() && offsets.size() < 10) offsets.push_back(LastPopup().OwnOffset());
  // Each one a popup's height and the gap (121 + 2) further from the edge; a fourth would reach
  // above the screen.
  EXPECT_EQ(offsets, (std::vector<int>{0, 123, 246}));
  EXPECT_EQ(WindowRect(LastPopup()).top, 400 - 2 - 246);  // collapsed at its final bottom edge
  EXPECT_EQ(component().ShownCount(), 3);
  EXPECT_EQ(component().StackOffset(), 369);
  EXPECT_FALSE(component().OpenPopup());  // refused: nothing changes
  EXPECT_EQ(component().ShownCount(), 3);
  EXPECT_EQ(Popups().size(), 3u);

  // Once all are gone the stack starts again from the edge.
  for (TfrmNotifyPopup* p : Popups()) p->Close();
  Pump();
  EXPECT_EQ(component().ShownCount(), 0);
  ASSERT_TRUE(component().OpenPopup());
  EXPECT_EQ(LastPopup().OwnOffset(), 0);

  // Without cascading every popup takes the first one's place.
  LastPopup().Close();
  Pump();
  component().SetOptions(component().Options() & ~popup::OptionBit(popup::npCascadePopups));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(component().OpenPopup());
  for (TfrmNotifyPopup* p : Popups()) EXPECT_EQ(p->OwnOffset(), 0);
  EXPECT_EQ(component().ShownCount(), 3);
}

TEST_F(PopupTest, TaskbarMovingRestartsTheStack) {
  ASSERT_TRUE(component().OpenPopup());
  ASSERT_TRUE(component().OpenPopup());
  EXPECT_EQ(component().ShownCount(), 2);
  shell_.taskbar = RECT{0, 0, 1024, 30};
  shell_.workArea = RECT{0, 30, 1024, 768};
  ASSERT_TRUE(component().OpenPopup());
  EXPECT_EQ(component().TaskbarEdge(), popup::kEdgeTop);
  EXPECT_EQ(component().ShownCount(), 1);
  EXPECT_EQ(LastPopup().OwnOffset(), 0);
}

TEST_F(PopupTest, PaintsTheGradientTheStripAndTheTexts) {
  // First learn how tall the background is in a default popup, then make it 100 lines high.
  int backgroundHeight = 0;
  {
    TfrmNotifyPopup& probe = OpenAndSlideIn();
    backgroundHeight = probe.imgGradient->Height();
    probe.Close();
    Pump();
  }
  component().SetHeight(121 + 100 - backgroundHeight);
  component().SetText("Tom & Jerry");
  TfrmNotifyPopup& popup = OpenAndSlideIn();
  ASSERT_EQ(popup.imgGradient->Height(), 100);
  Pump();

  toolkit::TBitmap shot;
  ASSERT_TRUE(toolkit::RenderWindow(popup.Handle(), shot, toolkit::TRenderMethod::kPaintWithDC));
  // A column right of the text: the gradient's lines as they show in the window.
  const POINT origin = popup.ScreenToClient(popup.imgGradient->ClientToScreen(POINT{0, 0}));
  const int x = origin.x + popup.imgGradient->Width() - 2;
  const struct {
    int line;
    toolkit::TColor color;
  } lines[] = {{0, RGBToColor(153, 204, 255)}, {40, RGBToColor(194, 224, 255)}, {99, RGBToColor(254, 254, 255)}};
  for (const auto& l : lines) {
    const toolkit::TColor got = toolkit::PixelAt(shot, x, origin.y + l.line);
    if (got != l.color) ADD_FAILURE() << "line " << l.line << ": " << std::hex << got;
  }
  // The strip along the bottom: 138 x 3 with its four bands, stretched across the panel.
  toolkit::TBitmap& strip = popup.imgStrip->Picture().Bitmap();
  ASSERT_EQ(strip.Width(), 138);
  ASSERT_EQ(strip.Height(), 3);
  EXPECT_EQ(strip.PixelColor(0, 0), RGBToColor(255, 255, 51));
  EXPECT_EQ(strip.PixelColor(72, 1), RGBToColor(255, 0, 0));
  EXPECT_EQ(strip.PixelColor(94, 2), RGBToColor(43, 41, 144));
  EXPECT_EQ(strip.PixelColor(137, 2), RGBToColor(15, 141, 48));
  const POINT stripAt = popup.ScreenToClient(popup.imgStrip->ClientToScreen(POINT{1, 1}));
  EXPECT_EQ(toolkit::PixelAt(shot, stripAt.x, stripAt.y), RGBToColor(251, 218, 48));
  EXPECT_EQ(popup.imgStrip->Top(), popup.imgGradient->Top() + popup.imgGradient->Height());

  // Title and text: the "&" shows as typed; the text is centred with halves to even.
  EXPECT_EQ(popup.lblTitle->Caption(), "title");
  EXPECT_EQ(popup.lblTitle->Left(), 8);  // no icon
  EXPECT_EQ(popup.lblText->Caption(), "Tom & Jerry");
  EXPECT_FALSE(popup.lblText->ShowAccelChar());
  EXPECT_NE(popup.lblText->TextFlags() & DT_NOPREFIX, 0u);
  EXPECT_EQ(popup.lblText->Width(), popup.pnlBorder->Width() - 15);
  EXPECT_EQ(popup.lblText->Left(), 8);
  const int dark = toolkit::CountPixels(shot, toolkit::clBlack, 60, nullptr);
  EXPECT_GT(dark, 20);  // the texts are drawn
}

TEST_F(PopupTest, BackgroundPictureReplacesGradientAndStrip) {
  toolkit::TBitmap picture(20, 10);
  picture.Canvas().Brush().SetColor(RGBToColor(10, 200, 30));
  picture.Canvas().FillRect(RECT{0, 0, 20, 10});
  picture.Canvas().SetPixel(0, 9, RGBToColor(1, 2, 3));  // the transparent colour (bottom-left)
  component().SetBackgroundImage(picture);
  component().SetBackgroundDrawMethod(popup::dmTile);
  TfrmNotifyPopup& popup = OpenAndSlideIn();
  EXPECT_TRUE(popup.imgStrip->Picture().Empty());
  toolkit::TBitmap& background = popup.imgGradient->Picture().Bitmap();
  EXPECT_EQ(background.PixelColor(25, 15), RGBToColor(10, 200, 30));  // a later tile
  // The picture's transparent pixel lets the panel's face through.
  EXPECT_EQ(static_cast<COLORREF>(background.PixelColor(20, 19)), toolkit::ColorToRGB(toolkit::clBtnFace));
}

TEST_F(PopupTest, WindowNeverTakesTheActivationAndHasNoTaskbarButton) {
  TfrmNotifyPopup& popup = OpenAndSlideIn();
  HWND hwnd = popup.Handle();
  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  EXPECT_NE(style & WS_POPUP, 0);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(exStyle & WS_EX_NOACTIVATE, 0);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetClassLongPtrA(hwnd, GCL_STYLE) & CS_DROPSHADOW, 0u);
  // An unowned tool window still gets a (blank) button on some taskbars.
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), toolkit::Application.Handle());
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_NE(GetForegroundWindow(), hwnd);
  EXPECT_NE(GetActiveWindow(), hwnd);
  EXPECT_EQ(SendMessageA(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(popup.lblText->Cursor(), toolkit::crDefault);
}

TEST_F(PopupTest, RealClickLeavesTheActiveWindowActive) {
  // The window the user types in.
  std::unique_ptr<toolkit::TForm, toolkit::TComponentDeleter> typing(new toolkit::TForm(nullptr));
  typing->SetBounds(100, 100, 300, 200);
  typing->Show();
  SetForegroundWindow(typing->Handle());
  Pump();
  ASSERT_EQ(GetActiveWindow(), typing->Handle());

  TfrmNotifyPopup& popup = OpenAndSlideIn();
  Pump();
  EXPECT_EQ(GetActiveWindow(), typing->Handle());
  const POINT at = popup.lblText->ClientToScreen(POINT{popup.lblText->Width() / 2, popup.lblText->Height() / 2});
  SetCursorPos(at.x, at.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
  for (int i = 0; i < 50 && !Popups().empty(); ++i) {
    Sleep(10);
    Pump();
  }
  EXPECT_TRUE(Popups().empty());
  EXPECT_EQ(shell_.opened.size(), 1u);  // the click reached the text
  EXPECT_EQ(GetActiveWindow(), typing->Handle());
  EXPECT_EQ(GetForegroundWindow(), typing->Handle());
}

struct ClickLog {
  std::vector<std::string> events;
  void Attach(TNotifyPopup& c) {
    c.OnClick = [this](toolkit::TComponent* sender) { events.push_back("click:" + sender->ClassName()); };
    c.OnURLClick = [this](toolkit::TComponent* sender, const std::string& url) {
      events.push_back("url:" + sender->ClassName() + ":" + url);
    };
  }
};

TEST_F(PopupTest, ClicksCloseAtOnceAndTellTheRightHandler) {
  component().SetURL("msimn.exe");
  ClickLog log;
  log.Attach(component());
  const struct {
    const char* name;
    popup::TNotifyPopupOptions clear;
    toolkit::TMouseButton button;
    bool onTitle;
    std::vector<std::string> events;
    std::vector<std::string> opened;
  } cases[] = {
      {"left on the text", 0, toolkit::mbLeft, false, {"url:TfrmNotifyPopup:msimn.exe"}, {"msimn.exe"}},
      {"right on the text", 0, toolkit::mbRight, false, {"click:TNotifyPopup"}, {}},
      {"left without auto-open", popup::OptionBit(popup::npAutoOpenURL), toolkit::mbLeft, false,
       {"url:TfrmNotifyPopup:msimn.exe"}, {}},
      {"left, no hyperlink", popup::OptionBit(popup::npAllowHyperlink), toolkit::mbLeft, false,
       {"click:TfrmNotifyPopup"}, {}},
      {"middle on the title", 0, toolkit::mbMiddle, true, {"click:TNotifyPopup"}, {}},
  };
  const popup::TNotifyPopupOptions defaults = component().Options();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    component().SetOptions(defaults & ~c.clear);
    log.events.clear();
    shell_.opened.clear();
    PopupCount = 1;
    ASSERT_TRUE(component().OpenPopup());
    TfrmNotifyPopup& popup = LastPopup();
    // During the slide-in: the click ends it there, no slide-out follows.
    Tick(popup.tmrScroll);
    ClickControl(c.onTitle ? static_cast<toolkit::TControl&>(*popup.lblTitle) : *popup.lblText, c.button);
    EXPECT_EQ(log.events, c.events);
    EXPECT_EQ(shell_.opened, c.opened);
    EXPECT_FALSE(IsWindowVisible(popup.Handle()));
    EXPECT_FALSE(popup.tmrScroll->Enabled());
    EXPECT_FALSE(popup.tmrScrollDown->Enabled());
    EXPECT_EQ(PopupCount, 0);
    EXPECT_EQ(component().ShownCount(), 0);
    Pump();
    EXPECT_TRUE(Popups().empty());
  }
}

TEST_F(PopupTest, CloseFromInsideTheClickHandlerCountsThePopupOffOnce) {
  component().OnURLClick = [](toolkit::TComponent* sender, const std::string&) {
    auto* popup = dynamic_cast<TfrmNotifyPopup*>(sender);
    ASSERT_NE(popup, nullptr);
    popup->Close();  // only hides: the window outlives the handler
    EXPECT_FALSE(IsWindowVisible(popup->Handle()));
    EXPECT_FALSE(popup->ReleaseOnClose());
  };
  PopupCount = 2;
  TfrmNotifyPopup& first = OpenAndSlideIn();
  TfrmNotifyPopup& second = OpenAndSlideIn();
  ClickControl(*first.lblText, toolkit::mbLeft);
  EXPECT_EQ(PopupCount, 1);
  EXPECT_EQ(component().ShownCount(), 1);
  // The other one ends on its own; closes pile up (slide-out end, then a late click) to no effect.
  Tick(second.tmrExit);
  while (Tick(second.tmrScrollDown)) {
  }
  second.Close();
  EXPECT_EQ(PopupCount, 0);
  EXPECT_EQ(component().ShownCount(), 0);
  Pump();
  EXPECT_TRUE(Popups().empty());
  EXPECT_EQ(PopupCount, 0);
}

TEST_F(PopupTest, HoverShowsTheLinkFont) {
  TfrmNotifyPopup& popup = OpenAndSlideIn();
  popup.lblText->Perform(toolkit::CM_MOUSEENTER);
  EXPECT_EQ(popup.lblText->Font().Style(), toolkit::fsUnderline);
  EXPECT_EQ(popup.lblText->Font().Color(), RGBToColor(0, 0, 255));
  EXPECT_EQ(popup.lblText->Left(), 8);
  popup.lblText->Perform(toolkit::CM_MOUSELEAVE);
  EXPECT_EQ(popup.lblText->Font().Style(), 0u);

  component().SetOptions(component().Options() & ~popup::OptionBit(popup::npAllowHyperlink));
  TfrmNotifyPopup& plain = OpenAndSlideIn();
  plain.lblText->Perform(toolkit::CM_MOUSEENTER);
  EXPECT_EQ(plain.lblText->Font().Style(), 0u);
}

TEST_F(PopupTest, OddSizesStillMakeAWorkingPopup) {
  component().SetScrollSpeed(50);  // the largest popup slides in 82 steps, not 455
  const struct {
    int width, height;
  } sizes[] = {{0, 0}, {-50, -1}, {148, 100000}, {1, 1}};
  for (const auto& s : sizes) {
    SCOPED_TRACE(std::to_string(s.width) + " x " + std::to_string(s.height));
    component().SetWidth(s.width);
    component().SetHeight(s.height);
    TfrmNotifyPopup& popup = OpenAndSlideIn();
    EXPECT_GE(popup.FullWidth(), 1);
    EXPECT_LE(popup.FullHeight(), TNotifyPopup::kMaxSize);
    Tick(popup.tmrExit);
    for (int i = 0; i < 1000 && Tick(popup.tmrScrollDown); ++i) {
    }
    Pump();
    EXPECT_TRUE(Popups().empty());
  }
}

TEST_F(PopupTest, ComponentFreedFirstTakesItsPopupsAlong) {
  OpenAndSlideIn();
  PopupCount = 1;
  component_->Free();
  component_ = nullptr;
  EXPECT_EQ(PopupCount, 0);
  Pump();
  EXPECT_TRUE(Popups().empty());
}

TEST_F(PopupTest, RealTimersRunAWholeLife) {
  component().SetTimeOut(1);
  PopupCount = 1;
  ASSERT_TRUE(component().OpenPopup());
  const DWORD start = GetTickCount();
  while (!Popups().empty() && GetTickCount() - start < 8000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  const DWORD took = GetTickCount() - start;
  EXPECT_TRUE(Popups().empty());
  EXPECT_GE(took, 1000u + 2 * 14 * 25 / 2);  // about 1 s of wait and two slides of 14 ticks
  EXPECT_EQ(PopupCount, 0);
}

TEST_F(PopupTest, ThousandPopupsLeaveNoObjectsBehind) {
  // One popup first: the window classes, the strip and the fonts' first handles are made once.
  OpenAndSlideIn().Close();
  Pump();
  const DWORD gdiBefore = toolkit::GdiObjectCount();
  const int windowsBefore = toolkit::ThreadWindowCount();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(component().OpenPopup());
    TfrmNotifyPopup& popup = LastPopup();
    Tick(popup.tmrScroll);
    if (i % 2 == 0) {
      ClickControl(*popup.lblText, toolkit::mbLeft);
    } else {
      popup.Close();
    }
    Pump();
  }
  EXPECT_TRUE(Popups().empty());
  EXPECT_EQ(toolkit::GdiObjectCount(), gdiBefore);
  EXPECT_EQ(toolkit::ThreadWindowCount(), windowsBefore);
}

}  // namespace
}  // namespace quendrel::test
