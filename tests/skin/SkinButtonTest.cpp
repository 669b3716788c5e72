// The skinned push button and check box: their faces in every state, the style's transparency and
// focus look, mouse and keyboard, and strips that are missing or too small.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/SkinButton.h"
#include "skin/SkinDraw.h"
#include "skin/ThemeFileWriter.h"
#include "tests/support/Pump.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Properties.h"
#include "toolkit/RenderToBitmap.h"

namespace quendrel::skin {
namespace {

using namespace quendrel::toolkit;

constexpr TColor kFormColor = 0x00FF00;  // nothing in the art is pure green

struct Window {
  Window() {
    form = new TForm(&owner);
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(kFormColor);
    button = new TSkinButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 73, 25);
    button->SetCaption("Start");
    button->OnClick = [this](TComponent*) { ++clicks; };
    box = new TSkinCheckBox(form);
    box->SetParent(form);
    box->SetBounds(10, 60, 93, 17);
    box->SetCaption("Hide Outlook Express");
    box->OnClick = [this](TComponent*) { boxClicks.push_back(box->Checked()); };
  }
  void Show() {
    form->Show();
    SetForegroundWindow(form->Handle());
    Application.ProcessMessages();
  }
  TBitmap Face() {
    TBitmap b;
    button->RenderTo(b);
    return b;
  }
  TBitmap Box() {
    TBitmap b;
    box->RenderTo(b);
    return b;
  }
  TComponent owner{nullptr};
  TForm* form = nullptr;
  TSkinButton* button = nullptr;
  TSkinCheckBox* box = nullptr;
  int clicks = 0;
  std::vector<bool> boxClicks;
};

TBitmap Frame(TSkinUIStyle style, int key, int frames, int index) {
  TBitmap frame;
  EXPECT_TRUE(LoadStateFrame(nullptr, style, key, frames, index, frame));
  return frame;
}

int Differing(const TBitmap& a, const TBitmap& b, const RECT& area) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += PixelAt(a, x, y) != PixelAt(b, x, y);
  return count;
}

TEST(SkinButton, FaceTakesTheFrameOfItsState) {
  Window w;
  w.button->SetUIStyle(TSkinUIStyle::MacOS);
  w.button->SetCaption("");
  const struct {
    const char* state;
    int frame;
    void (*enter)(TSkinButton&);
  } cases[] = {
      {"normal", 1, [](TSkinButton&) {}},
      {"hot", 2, [](TSkinButton& b) { b.Perform(CM_MOUSEENTER); }},
      {"pressed", 3, [](TSkinButton& b) { b.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }},
      {"disabled", 1, [](TSkinButton& b) { b.SetEnabled(false); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    c.enter(*w.button);
    const TBitmap frame = Frame(TSkinUIStyle::MacOS, keys::ButtonImage, 3, c.frame);
    ASSERT_EQ(frame.Width(), 84);
    const TBitmap face = w.Face();
    // 73 x 25 from 84 x 23: the top rows keep the frame's corners and its middle column.
    EXPECT_TRUE(NearColor(PixelAt(face, 36, 5), PixelAt(frame, 42, 5), 8));
    EXPECT_TRUE(NearColor(PixelAt(face, 10, 5), PixelAt(frame, 10, 5), 8));
    EXPECT_TRUE(NearColor(PixelAt(face, 60, 5), PixelAt(frame, 71, 5), 8));
    w.button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    w.button->Perform(CM_MOUSELEAVE);
    w.button->SetEnabled(true);
  }
}

TEST(SkinButton, TransparencyFollowsTheStyle) {
  Window w;
  const struct {
    TSkinUIStyle style;
    bool transparent;
  } cases[] = {{TSkinUIStyle::MacOS, true}, {TSkinUIStyle::WinXP, false}, {TSkinUIStyle::BlueGlass, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    w.button->SetUIStyle(c.style);
    EXPECT_EQ(w.button->Transparent(), c.transparent);
    // The corner outside the rounded face shows what lies under the button, or the button's colour.
    EXPECT_EQ(PixelAt(w.Face(), 0, 0) == kFormColor, c.transparent);
  }
  w.button->SetUIStyle(TSkinUIStyle::MacOS);
  w.button->SetTransparent(false);  // a form file may still fix it after the style
  EXPECT_NE(PixelAt(w.Face(), 0, 0), kFormColor);
}

TEST(SkinButton, DisabledCaptionIsEngravedAndFocusShowsByStyle) {
  Window w;
  w.button->SetUIStyle(TSkinUIStyle::MacOS);
  const RECT all{0, 0, 73, 25};
  EXPECT_EQ(CountPixels(w.Face(), clGray, 0, &all), 0);
  w.button->SetEnabled(false);
  const TBitmap disabled = w.Face();
  EXPECT_GT(CountPixels(disabled, clGray, 0, &all), 10);
  EXPECT_GT(CountPixels(disabled, clWhite, 0, &all), 10);
  w.button->SetEnabled(true);

  w.Show();
  const TBitmap plain = w.Face();
  w.button->SetFocus();
  ASSERT_TRUE(w.button->Focused());
  // MacOS shows the focus as a bold caption: more dark pixels, same face.
  EXPECT_GT(CountPixels(w.Face(), clBlack, 80, &all), CountPixels(plain, clBlack, 80, &all) + 5);
  w.button->SetUIStyle(TSkinUIStyle::WinXP);
  const TBitmap focused = w.Face();
  w.box->SetFocus();
  const TBitmap unfocused = w.Face();
  // Other styles draw a dotted rectangle FocusedRectMargin inside the edge.
  EXPECT_GT(Differing(focused, unfocused, RECT{2, 2, 71, 3}), 10);
  EXPECT_EQ(Differing(focused, unfocused, RECT{0, 0, 73, 1}), 0);
}

TEST(SkinButton, MouseClicksOnceOnReleaseInsideAndRepeatsWhileHeld) {
  Window w;
  w.Show();
  int repeats = 0;
  w.button->OnMouseContinuouslyDown = [&](TComponent*) { ++repeats; };
  HWND h = w.button->Handle();
  SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(w.button->MouseOver());
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(w.button->Pressed());
  EXPECT_TRUE(w.button->Focused());
  test::PumpFor(450);
  EXPECT_GE(repeats, 2);
  EXPECT_LE(repeats, 6);
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(w.clicks, 1);
  EXPECT_FALSE(w.button->Pressed());
  EXPECT_FALSE(w.button->RepeatTimerRunning());

  // Dragged off before the release: no click, and the face comes back up.
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, 5));
  EXPECT_FALSE(w.button->Pressed());
  // Still held but off the button: the repeat has stopped.
  EXPECT_FALSE(w.button->RepeatTimerRunning());
  repeats = 0;
  test::PumpFor(250);
  EXPECT_EQ(repeats, 0);
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(-20, 5));
  EXPECT_EQ(w.clicks, 1);
  EXPECT_FALSE(w.button->RepeatTimerRunning());
}

TEST(SkinButton, SpaceAndEnterClickWhenFocusedAndEnabled) {
  Window w;
  w.Show();
  w.button->SetFocus();
  HWND h = w.button->Handle();
  for (WPARAM key : {WPARAM{VK_SPACE}, WPARAM{VK_RETURN}}) {
    SendMessageA(h, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(w.button->Pressed());
    SendMessageA(h, WM_KEYUP, key, 0);
    EXPECT_FALSE(w.button->Pressed());
  }
  EXPECT_EQ(w.clicks, 2);
  SendMessageA(h, WM_KEYDOWN, 'A', 0);
  SendMessageA(h, WM_KEYUP, 'A', 0);
  w.button->SetEnabled(false);
  SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(h, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(w.clicks, 2);
}

// A glyph of colour, its top-left pixel magenta: that pixel is its transparent colour.
TBitmap Glyph(std::vector<TColor> images) {
  TBitmap b(12 * static_cast<int>(images.size()), 12);
  for (size_t i = 0; i < images.size(); ++i) {
    b.Canvas().Brush().SetColor(images[i]);
    b.Canvas().FillRect({12 * static_cast<int>(i), 0, 12 * static_cast<int>(i) + 12, 12});
  }
  b.Canvas().SetPixel(0, 0, 0xFF00FF);
  b.Flush();
  return b;
}

TEST(SkinButton, GlyphPlacedByLayout) {
  Window w;
  w.button->SetUIStyle(TSkinUIStyle::WinXP);
  w.button->SetGlyph(Glyph({clRed}));
  TBitmap scratch(1, 1);
  scratch.Canvas().SetFont(w.button->Font());
  const SIZE t = scratch.Canvas().TextExtent("Start");
  const int W = 73, H = 25, S = 4, g = 12;
  const struct {
    TButtonLayout layout;
    POINT at;
  } cases[] = {
      {blGlyphLeft, {(W - g - t.cx - S) / 2, (H - g) / 2}},
      {blGlyphRight, {(W + t.cx + S - g) / 2, (H - g) / 2}},
      {blGlyphTop, {(W - g) / 2, (H - t.cy - g - S) / 2}},
      {blGlyphBottom, {(W - g) / 2, (H + t.cy + S - g) / 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    w.button->SetLayout(c.layout);
    const auto red = ColorBounds(w.Face(), clRed);
    ASSERT_TRUE(red.has_value());
    EXPECT_EQ(red->left, std::max<LONG>(c.at.x, 0));
    EXPECT_EQ(red->bottom, std::min<LONG>(c.at.y + g, H));  // may run off the bottom edge
  }
  w.button->SetLayout(blGlyphLeft);
  w.button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(ColorBounds(w.Face(), clRed)->bottom, cases[0].at.y + g + 1);  // a pressed glyph sinks
  w.button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  // Two images side by side: the second one is the disabled look.
  w.button->SetGlyph(Glyph({clRed, clBlue}));
  EXPECT_TRUE(ColorBounds(w.Face(), clRed).has_value());
  w.button->SetEnabled(false);
  EXPECT_FALSE(ColorBounds(w.Face(), clRed).has_value());
  EXPECT_TRUE(ColorBounds(w.Face(), clBlue).has_value());
}

TEST(SkinButton, AutoSizeTakesOneFrameOfTheStrip) {
  Window w;
  w.button->SetUIStyle(TSkinUIStyle::MacOS);
  w.button->SetAutoSize(true);
  EXPECT_EQ(w.button->Width(), 84);
  EXPECT_EQ(w.button->Height(), 23);
}

TEST(SkinCheckBox, GlyphTakesTheFrameOfItsState) {
  Window w;
  w.box->SetUIStyle(TSkinUIStyle::MacOS);
  const struct {
    bool checked, enabled;
    int frame;
  } cases[] = {{true, true, 1}, {false, true, 2}, {true, false, 3}, {false, false, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frame);
    w.box->SetChecked(c.checked);
    w.box->SetEnabled(c.enabled);
    const TBitmap frame = Frame(TSkinUIStyle::MacOS, keys::CheckBoxImage, 4, c.frame);
    ASSERT_EQ(frame.Width(), 15);
    const TBitmap face = w.Box();
    const int top = (face.Height() - frame.Height()) / 2;
    int wrong = 0;
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x) wrong += PixelAt(face, 1 + x, top + y) != PixelAt(frame, x, y);
    EXPECT_EQ(wrong, 0);
  }
}

TEST(SkinCheckBox, CheckedFromCodeRaisesOnClickOnlyOnAChange) {
  Window w;
  w.box->SetChecked(true);
  w.box->SetChecked(true);
  w.box->SetState(cbGrayed);  // anything but checked unchecks
  EXPECT_EQ(w.box->State(), cbUnchecked);
  w.box->SetState(cbChecked);
  EXPECT_EQ(w.boxClicks, (std::vector<bool>{true, false, true}));
  w.box->BeginLoading();
  w.box->SetChecked(false);  // as a form file sets it up
  w.box->EndLoading();
  EXPECT_EQ(w.boxClicks.size(), 3u);
  EXPECT_FALSE(w.box->Checked());
}

TEST(SkinCheckBox, MouseAndKeysToggleOncePerClick) {
  Window w;
  w.Show();
  HWND h = w.box->Handle();
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(w.box->Focused());
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(w.boxClicks, (std::vector<bool>{true}));
  for (WPARAM key : {WPARAM{VK_SPACE}, WPARAM{VK_RETURN}}) {
    SendMessageA(h, WM_KEYDOWN, key, 0);
    SendMessageA(h, WM_KEYUP, key, 0);
  }
  EXPECT_EQ(w.boxClicks, (std::vector<bool>{true, false, true}));
  w.box->SetEnabled(false);
  SendMessageA(h, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(w.boxClicks.size(), 3u);
}

TEST(SkinCheckBox, AutoSizeFitsGlyphAndCaption) {
  Window w;
  w.box->SetUIStyle(TSkinUIStyle::MacOS);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetSize(10);
  w.box->SetFont(font);
  TBitmap scratch(1, 1);
  scratch.Canvas().SetFont(font);
  const int line = scratch.Canvas().TextExtent("W").cy;
  EXPECT_EQ(w.box->Height(), std::max(line + 2, 17) + 4);
  EXPECT_EQ(w.box->Width(), 15 + scratch.Canvas().TextExtent("Hide Outlook Express").cx + 8);
  w.box->SetAutoSize(false);
  w.box->SetBounds(10, 60, 200, 30);
  w.box->SetCaption("x");
  EXPECT_EQ(w.box->Width(), 200);
}

// A theme whose strips are present but hold fewer pixels than frames.
std::string TinyStripTheme() {
  TBitmap tiny(2, 1);
  tiny.Canvas().Brush().SetColor(clRed);
  tiny.Canvas().FillRect({0, 0, 2, 1});
  tiny.Flush();
  const std::string bmp = tiny.SaveToMemory();
  return WriteThemeFile({ThemeFileItem::Image("ButtonImage", bmp), ThemeFileItem::Image("CheckBoxImage", bmp),
                         ThemeFileItem::Boolean("ButtonTransparentBool", false)});
}

TEST(SkinControlsFallback, StripsMissingOrTooSmallDrawAPlainFace) {
  test::ScratchDir dir{"skinbutton"};
  test::WriteFile(dir.File("tiny.qst"), TinyStripTheme());
  test::WriteFile(dir.File("bare.qst"), WriteThemeFile({ThemeFileItem::Integer("FormRoundCornerInt", 0)}));
  for (const char* file : {"tiny.qst", "bare.qst"}) {
    SCOPED_TRACE(file);
    Window w;
    auto* theme = new TSkinFileTheme(w.form);
    theme->SetThemeFile(dir.File(file));
    ASSERT_TRUE(theme->Valid());
    TBitmap frame;
    EXPECT_FALSE(LoadStateFrame(theme, TSkinUIStyle::FromThemeFile, keys::ButtonImage, 3, 1, frame));
    EXPECT_TRUE(frame.Empty());
    for (TComponent* c : {static_cast<TComponent*>(w.button), static_cast<TComponent*>(w.box)}) {
      SetObjectProp(*c, "FileTheme", TObjectRef(theme));
      SetOrdProp(*c, "UIStyle", static_cast<int>(TSkinUIStyle::FromThemeFile));
    }
    // A raised face with the caption, and a plain check box: no red from the strip, no crash.
    const TBitmap face = w.Face();
    EXPECT_EQ(CountPixels(face, clRed, 0), 0);
    EXPECT_GT(CountPixels(face, clBlack, 80), 10);
    w.box->SetChecked(true);
    const TBitmap box = w.Box();
    EXPECT_EQ(CountPixels(box, clRed, 0), 0);
    const RECT glyph{1, 0, 14, box.Height()};
    EXPECT_GT(CountPixels(box, clBlack, 80, &glyph), 3);
  }
}

}  // namespace
}  // namespace quendrel::skin
