// The skin's drawing primitives, checked on the pixels they produce; the bitmaps come from the
// program's own resources (linked into this test).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "skin/SkinDraw.h"
#include "skin/ThemeFileWriter.h"
#include "toolkit/Resources.h"
#include "tests/toolkit/GdiObjectCount.h"

namespace quendrel::skin {
namespace {

using toolkit::TBitmap;
using toolkit::TColor;

TColor Coded(int x, int y) { return static_cast<TColor>(x | y << 8 | 0x40 << 16); }  // $00BBGGRR

// Every pixel tells where it came from: red = x, green = y.
TBitmap CodedBitmap(int width, int height) {
  TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = b.ScanLine(y) + x * 3;
      p[0] = 0x40;
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(x);
    }
  return b;
}

TBitmap Filled(int width, int height, TColor color) {
  TBitmap b(width, height);
  b.Canvas().Brush().SetColor(color);
  b.Canvas().FillRect({0, 0, width, height});
  b.Flush();
  return b;
}

TEST(SkinDraw, CutFrame) {
  struct Case {
    int width, count, index;
    int frameWidth, firstColumn;
  };
  const Case cases[] = {
      {54, 3, 2, 18, 18},    // the WinXP button strip
      {231, 3, 3, 77, 154},  // BlueGlass
      {10, 3, 3, 3, 6},      // the rightmost remainder column is never used
      {30, 0, 1, 30, 0},     // a count of 0 takes the whole strip
      {30, 3, 7, 10, 20},    // an index past the strip takes the last frame
      {30, 3, 0, 10, 0},     // and one before it the first
      {2, 3, 1, 0, 0},       // frames narrower than a pixel: an empty frame
  };
  for (const Case& c : cases) {
    TBitmap strip = CodedBitmap(c.width, 5);
    TBitmap frame;
    CutFrame(strip, frame, c.count, c.index);
    const std::string what = std::to_string(c.width) + "/" + std::to_string(c.count) + "#" + std::to_string(c.index);
    EXPECT_EQ(frame.Width(), c.frameWidth) << what;
    EXPECT_EQ(frame.Height(), c.frameWidth ? 5 : frame.Height()) << what;
    if (c.frameWidth) {
      EXPECT_EQ(frame.PixelColor(0, 0), Coded(c.firstColumn, 0)) << what;
      EXPECT_EQ(frame.PixelColor(c.frameWidth - 1, 4), Coded(c.firstColumn + c.frameWidth - 1, 4)) << what;
    }
  }
}

TEST(SkinDraw, ThemeImagesFromTheResources) {
  TBitmap frame;
  EXPECT_TRUE(GetThemeImage(TSkinUIStyle::WinXP, keys::ButtonImage, &frame, 3, 2));
  EXPECT_EQ(frame.Width(), 18);
  EXPECT_EQ(frame.Height(), 21);
  TBitmap whole;
  GetThemeImage(TSkinUIStyle::MacOS, keys::TitleBarButtonImage, &whole);
  EXPECT_EQ(whole.Width(), 306);
  EXPECT_EQ(whole.Height(), 17);

  // No built-in style, or no image key: the graphic stays as it is.
  TBitmap kept = Filled(4, 4, toolkit::clRed);
  EXPECT_FALSE(GetThemeImage(TSkinUIStyle::FromThemeFile, keys::ButtonImage, &kept, 3, 1));
  EXPECT_FALSE(GetThemeImage(TSkinUIStyle::MacOS, keys::FormBorderColor, &kept));
  EXPECT_EQ(kept.Width(), 4);
  EXPECT_EQ(kept.PixelColor(0, 0), toolkit::clRed);
  EXPECT_FALSE(GetThemeImage(TSkinUIStyle::MacOS, keys::ButtonImage, nullptr));
  // A resolved built-in style reads the resources, whatever theme is at hand.
  TBitmap resolved;
  EXPECT_TRUE(
      GetThemeImage(ResolveUIStyle(nullptr, TSkinUIStyle::FromThemeFile), nullptr, keys::ButtonImage, &resolved));
  EXPECT_EQ(resolved.Width(), 222);  // DeepBlue's button strip

  // Every image of the table loads; the fixed pieces are there too.
  for (int s = 1; s <= 5; ++s)
    for (int k = 1; k <= kThemeKeyCount; ++k)
      if (ThemeKeyKind(k) == TThemeKeyKind::Image) {
        TBitmap b;
        EXPECT_NO_THROW(GetThemeImage(static_cast<TSkinUIStyle>(s), k, &b)) << s << " " << k;
        EXPECT_FALSE(b.Empty()) << s << " " << k;
      }
  for (const char* name : {"MACOS_MENU_BAR", "MACOS_MENU_SELECT", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND",
                           "MENU_CHECKED"}) {
    TBitmap b;
    EXPECT_TRUE(b.LoadFromResourceName(GetModuleHandleA(nullptr), name)) << name;
  }
}

TEST(SkinDraw, ThemeImagesFromAThemeFile) {
  TBitmap source = CodedBitmap(30, 4);
  TSkinFileThemeMgr theme;
  theme.LoadFromBytes(std::as_bytes(std::span(std::string_view(WriteThemeFile(
      {ThemeFileItem::Image("CheckBoxImage", source.SaveToMemory()), ThemeFileItem::Image("ButtonImage", "BM bad")})))));
  TBitmap frame = Filled(2, 2, toolkit::clRed);
  EXPECT_TRUE(GetThemeImage(theme, keys::CheckBoxImage, &frame, 3, 3));
  EXPECT_EQ(frame.Width(), 10);
  EXPECT_EQ(frame.PixelColor(0, 1), Coded(20, 1));
  TBitmap kept = Filled(2, 2, toolkit::clRed);
  EXPECT_FALSE(GetThemeImage(theme, keys::ButtonImage, &kept));       // not a bitmap
  EXPECT_FALSE(GetThemeImage(theme, keys::RadioButtonImage, &kept));  // absent
  EXPECT_EQ(kept.Width(), 2);
}

// A MacOS button frame (84 x 23) drawn at 73 x 25: corners of 36 x 11, 36 x 10, 35 x 11 and 35 x 10,
// each keeping its own part of the source, and the middle stretched from the source's middle.
TEST(SkinDraw, NineSliceKeepsItsCorners) {
  TBitmap source = CodedBitmap(84, 23);
  TBitmap target = Filled(73, 25, toolkit::clWhite);
  DrawNineSlice(source, target.Canvas(), {0, 0, 73, 25}, false);
  target.Flush();
  struct Probe {
    int x, y;
    int sx, sy;
  };
  const Probe probes[] = {
      {0, 0, 0, 0},     {35, 10, 35, 10},  // top-left 36 x 11
      {0, 15, 0, 13},   {34, 24, 34, 22},  // bottom-left 36 x 10 (its last column is under the bottom edge)
      {38, 0, 49, 0},   {72, 10, 83, 10},  // top-right 35 x 11
      {38, 15, 49, 13}, {72, 24, 83, 22},  // bottom-right 35 x 10
      {37, 12, 42, 11},                    // centre from the source's middle
      {10, 12, 10, 11}, {60, 12, 71, 12},  // left edge; right edge keeps the source's right part
      {37, 3, 42, 3},   {37, 20, 42, 18},  // top and bottom edges
  };
  for (const Probe& p : probes)
    EXPECT_EQ(target.PixelColor(p.x, p.y), Coded(p.sx, p.sy)) << p.x << "," << p.y;
}

TEST(SkinDraw, NineSliceMasksMagenta) {
  // Magenta corners show what lies under them only when masked; magenta in the middle never covers.
  // The source is 20 x 20: its middle slices have no height and take the row next to them.
  for (bool masked : {false, true}) {
    TBitmap source = Filled(20, 20, kSkinMaskColor);
    source.Canvas().Brush().SetColor(toolkit::clBlue);
    source.Canvas().FillRect({2, 2, 18, 18});
    source.Flush();
    TBitmap target = Filled(40, 30, toolkit::clLime);
    DrawNineSlice(source, target.Canvas(), {0, 0, 40, 30}, masked);
    target.Flush();
    EXPECT_EQ(target.PixelColor(0, 0), masked ? toolkit::clLime : kSkinMaskColor) << masked;
    EXPECT_EQ(target.PixelColor(20, 15), toolkit::clBlue) << masked;
    EXPECT_EQ(target.PixelColor(20, 0), toolkit::clLime) << masked;  // top edge: magenta source row
  }
}

TEST(SkinDraw, NineSliceOfTinyOrEmptyInput) {
  // Nothing here may fail or draw outside the target.
  TBitmap target = Filled(3, 3, toolkit::clWhite);
  for (auto [w, h] : {std::pair{1, 1}, {2, 1}, {1, 40}, {0, 0}}) {
    TBitmap source = CodedBitmap(w, h);
    DrawNineSlice(source, target.Canvas(), {0, 0, 3, 3}, true);
    DrawNineSlice(source, target.Canvas(), {0, 0, 0, 3}, true);
    DrawNineSlice(source, target.Canvas(), {0, 0, 1, 1}, false);
  }
}

// A button taller than its art repeats the frame's middle rows: the left half and the centre row
// h / 2, the right half the row below. Where those differ, the face shows a step down its middle.
TEST(SkinDraw, StretchedButtonArtHasNoStep) {
  for (int s = 1; s <= 5; ++s)
    for (int state = 1; state <= 3; ++state) {
      TBitmap frame;
      ASSERT_TRUE(GetThemeImage(static_cast<TSkinUIStyle>(s), keys::ButtonImage, &frame, 3, state));
      const int h = frame.Height();
      int differing = 0;
      for (int x = 0; x < frame.Width(); ++x) differing += frame.PixelColor(x, h / 2) != frame.PixelColor(x, h / 2 + 1);
      EXPECT_EQ(differing, 0) << "style " << s << " state " << state;

      // The main window's Start button at 1600 x 1200: one colour across the face's middle row.
      TBitmap target = Filled(145, 48, toolkit::clWhite);
      DrawNineSlice(frame, target.Canvas(), {0, 0, 145, 48}, false);
      target.Flush();
      const int inside = frame.Width() / 3;  // clear of the rounded ends and the XP hover ring
      const TColor middle = target.PixelColor(72, 24);
      int steps = 0;
      for (int x = inside; x < 145 - inside; ++x) steps += target.PixelColor(x, 24) != middle;
      EXPECT_EQ(steps, 0) << "style " << s << " state " << state;
    }
}

TEST(SkinDraw, ThreeSlice) {
  // Left third red with a magenta corner pixel, middle green, right third blue.
  TBitmap strip = Filled(30, 10, toolkit::clRed);
  strip.Canvas().Brush().SetColor(toolkit::clLime);
  strip.Canvas().FillRect({10, 0, 20, 10});
  strip.Canvas().Brush().SetColor(toolkit::clBlue);
  strip.Canvas().FillRect({20, 0, 30, 10});
  strip.Canvas().SetPixel(0, 0, kSkinMaskColor);
  strip.Canvas().SetPixel(29, 0, toolkit::clRed);
  strip.Flush();
  for (bool cornerPixel : {false, true}) {
    TBitmap target = Filled(100, 10, toolkit::clWhite);
    DrawThreeSlice(strip, target.Canvas(), {0, 0, 100, 10}, cornerPixel);
    target.Flush();
    EXPECT_EQ(target.PixelColor(0, 0), toolkit::clWhite) << cornerPixel;  // magenta either way here
    EXPECT_EQ(target.PixelColor(9, 5), toolkit::clRed);
    EXPECT_EQ(target.PixelColor(10, 5), toolkit::clLime);
    EXPECT_EQ(target.PixelColor(89, 5), toolkit::clLime);
    EXPECT_EQ(target.PixelColor(90, 5), toolkit::clBlue);
    EXPECT_EQ(target.PixelColor(99, 0), toolkit::clRed);
  }
  // A strip narrower than three pixels draws nothing.
  TBitmap narrow = Filled(2, 10, toolkit::clRed);
  TBitmap target = Filled(20, 10, toolkit::clWhite);
  DrawThreeSlice(narrow, target.Canvas(), {0, 0, 20, 10}, false);
  target.Flush();
  EXPECT_EQ(target.PixelColor(0, 0), toolkit::clWhite);
}

TEST(SkinDraw, PtInRectInclusive) {
  EXPECT_TRUE(PtInRectInclusive({10, 5}, {0, 0, 10, 5}));
  EXPECT_TRUE(PtInRectInclusive({0, 0}, {0, 0, 10, 5}));
  EXPECT_FALSE(PtInRectInclusive({11, 5}, {0, 0, 10, 5}));
  EXPECT_FALSE(PtInRectInclusive({-1, 2}, {0, 0, 10, 5}));
}

TEST(SkinDraw, NoGdiObjectsLeftBehind) {
  TBitmap source = CodedBitmap(84, 23);
  TBitmap target = Filled(73, 25, toolkit::clWhite);
  DrawNineSlice(source, target.Canvas(), {0, 0, 73, 25}, true);
  const auto before = toolkit::GdiObjectCount();
  for (int i = 0; i < 200; ++i) {
    DrawNineSlice(source, target.Canvas(), {0, 0, 73, 25}, true);
    DrawThreeSlice(source, target.Canvas(), {0, 0, 73, 25}, true);
    TBitmap frame;
    GetThemeImage(TSkinUIStyle::MacOS, keys::ButtonImage, &frame, 3, 1 + i % 3);
  }
  EXPECT_LE(toolkit::GdiObjectCount(), before + 2);
}

}  // namespace
}  // namespace quendrel::skin
