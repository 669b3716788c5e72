// Fonts, canvas, bitmaps: checked on the pixels they produce.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"
#include "toolkit/RenderToBitmap.h"
#include "tests/toolkit/GdiObjectCount.h"

namespace quendrel::toolkit {
namespace {

TBitmap WhiteBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit) {
  TBitmap bitmap(width, height, format);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect({0, 0, width, height});
  return bitmap;
}

std::string FaceOf(TCanvas& canvas) {
  canvas.TextWidth("x");  // selects the font
  char face[LF_FACESIZE] = {};
  GetTextFaceA(canvas.Handle(), sizeof(face), face);
  return face;
}

TEST(Font, SizeAndHeightFollowPixelsPerInch) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Height(), -11);
  int changes = 0;
  font.OnChange = [&](TFont&) { ++changes; };
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  font.SetPixelsPerInch(120);  // keeps the size in points
  EXPECT_EQ(font.Size(), 10);
  EXPECT_EQ(font.Height(), -17);
  font.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(font.ToLogFont().lfWeight, FW_BOLD);
  EXPECT_EQ(font.ToLogFont().lfItalic, 1);
  EXPECT_EQ(changes, 3);

  TFont copy(font);  // description only, no OnChange
  EXPECT_TRUE(copy.SameAs(font));
  EXPECT_FALSE(copy.OnChange);
  EXPECT_NE(copy.Handle(), font.Handle());

  // A handle given to the font: owned, and its description read back.
  HFONT given = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 1, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  copy.SetHandle(given);
  EXPECT_EQ(copy.Handle(), given);
  EXPECT_EQ(copy.Name(), "Tahoma");
  EXPECT_EQ(copy.Height(), -20);
  EXPECT_EQ(copy.Style(), fsBold | fsUnderline);
}

TEST(Font, MetricsOfTheWineFonts) {
  struct Case {
    const char* face;
    int size;
    TFontStyles style;
    int tmHeight, wWidth, wHeight;
  };
  const Case cases[] = {
      {"MS Sans Serif", 8, 0, 13, 11, 13},
      {"MS Sans Serif", 10, 0, 16, 13, 16},
      {"Tahoma", 8, fsBold, 13, 11, 13},
  };
  TBitmap bitmap(8, 8);
  int checked = 0;
  std::string faces;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.size) + " pt");
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName(c.face);
    canvas.Font().SetSize(c.size);
    canvas.Font().SetStyle(c.style);
    const std::string face = FaceOf(canvas);
    if (face != c.face) {  // fonts-wine missing: nothing to compare with
      faces += " " + face;
      continue;
    }
    ++checked;
    TEXTMETRICA metrics{};
    GetTextMetricsA(canvas.Handle(), &metrics);
    EXPECT_EQ(metrics.tmHeight, c.tmHeight);
    const SIZE w = canvas.TextExtent("W");
    EXPECT_EQ(w.cx, c.wWidth);
    EXPECT_EQ(w.cy, c.wHeight);
    EXPECT_EQ(canvas.TextHeight("W"), c.wHeight);
  }
  if (checked == 0) GTEST_SKIP() << "MS Sans Serif and Tahoma are missing: install fonts-wine (got" << faces << ")";
}

TEST(Canvas, FillFrameAndLinesLandOnTheirPixels) {
  TBitmap bitmap = WhiteBitmap(20, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.FrameRect({2, 2, 12, 12});
  canvas.Pen().SetColor(clBlue);
  canvas.MoveTo(0, 15);
  canvas.LineTo(10, 15);  // the end point is not drawn
  canvas.Brush().SetColor(clLime);
  canvas.FillRect({14, 0, 20, 4});
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Rectangle(14, 6, 18, 10);  // outline only
  canvas.SetPixel(19, 19, clFuchsia);
  bitmap.Flush();

  EXPECT_EQ(CountPixels(bitmap, clRed), 36);
  EXPECT_EQ(ColorBounds(bitmap, clRed).value_or(RECT{}).right, 12);
  EXPECT_EQ(PixelAt(bitmap, 3, 3), clWhite);
  EXPECT_EQ(CountPixels(bitmap, clBlue), 10);
  EXPECT_EQ(PixelAt(bitmap, 10, 15), clWhite);
  EXPECT_EQ(CountPixels(bitmap, clLime), 24);
  EXPECT_EQ(CountPixels(bitmap, clBlack), 12);
  EXPECT_EQ(PixelAt(bitmap, 15, 7), clWhite);
  EXPECT_EQ(canvas.Pixel(19, 19), clFuchsia);
  EXPECT_EQ(PixelAt(bitmap, 19, 19), clFuchsia);
}

TEST(Canvas, TextIsDrawnInTheFontColourOnAClearBrush) {
  TBitmap bitmap = WhiteBitmap(60, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetColor(clRed);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextOut(2, 2, "Hello");
  RECT rect{0, 0, 60, 20};
  canvas.Font().SetColor(clBlue);
  canvas.DrawText("Hi", rect, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  const auto red = ColorBounds(bitmap, clRed);
  const auto blue = ColorBounds(bitmap, clBlue);
  ASSERT_TRUE(red && blue);
  EXPECT_GE(red->left, 2);
  EXPECT_LT(red->right, blue->left);
  EXPECT_GT(blue->right, 50);
  EXPECT_GT(CountPixels(bitmap, clWhite), 60 * 20 / 2);  // clear brush: no background boxes
}

// A font change while the font is selected: the old HFONT must be put back out of the DC before it
// is deleted, or it leaks (DeleteObject fails on a selected object).
TEST(Canvas, ChangingAToolSelectedInTheDCFreesTheOldHandle) {
  TBitmap bitmap = WhiteBitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.TextWidth("x");
  canvas.LineTo(5, 5);
  canvas.FillRect({0, 0, 2, 2});
  const HGDIOBJ oldFont = canvas.Font().Handle();
  const HGDIOBJ oldPen = canvas.Pen().Handle();
  const HGDIOBJ oldBrush = canvas.Brush().Handle();
  ASSERT_EQ(GetCurrentObject(canvas.Handle(), OBJ_FONT), oldFont);
  canvas.Font().SetSize(12);
  canvas.Pen().SetWidth(3);
  canvas.Brush().SetColor(clRed);
  EXPECT_EQ(GetObjectType(oldFont), 0u);
  EXPECT_EQ(GetObjectType(oldPen), 0u);
  EXPECT_EQ(GetObjectType(oldBrush), 0u);
  canvas.TextWidth("x");
  EXPECT_EQ(GetCurrentObject(canvas.Handle(), OBJ_FONT), canvas.Font().Handle());
}

TEST(Canvas, LeavesABorrowedDCAsItFoundIt) {
  MemoryDC dc;
  const HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
  const HGDIOBJ pen = GetCurrentObject(dc.Get(), OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
  {
    TCanvas canvas(dc.Get());
    canvas.TextWidth("abc");
    canvas.Rectangle(0, 0, 4, 4);
    EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_FONT), font);
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
}

TEST(Canvas, ViewportOriginAndSavedStates) {
  TBitmap bitmap = WhiteBitmap(12, 12);
  TCanvas& canvas = bitmap.Canvas();
  const int state = canvas.SaveState();
  ASSERT_NE(state, 0);
  canvas.SetViewportOrg({5, 6});
  EXPECT_EQ(canvas.ViewportOrg().x, 5);
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({0, 0, 2, 2});
  canvas.RestoreState(state);
  EXPECT_EQ(canvas.ViewportOrg().x, 0);
  canvas.Brush().SetColor(clBlue);
  canvas.FillRect({0, 0, 1, 1});  // the brush is selected anew after the restore
  const auto red = ColorBounds(bitmap, clRed);
  ASSERT_TRUE(red);
  EXPECT_EQ(red->left, 5);
  EXPECT_EQ(red->top, 6);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), clBlue);
}

TEST(Canvas, CopyRectStretchesWithTheCopyMode) {
  TBitmap source = WhiteBitmap(2, 2);
  source.Canvas().SetPixel(0, 0, clRed);
  TBitmap target = WhiteBitmap(8, 8);
  target.Canvas().CopyRect({0, 0, 8, 8}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(CountPixels(target, clRed), 16);
  target.Canvas().SetCopyMode(NOTSRCCOPY);
  target.Canvas().CopyRect({0, 0, 2, 2}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(PixelAt(target, 0, 0), clAqua);  // not red
  EXPECT_EQ(PixelAt(target, 1, 1), clBlack);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessFixed) {
  TBitmap bitmap = WhiteBitmap(4, 4);
  bitmap.Canvas().SetPixel(0, 3, clFuchsia);
  EXPECT_EQ(bitmap.TransparentMode(), TTransparentMode::tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
  bitmap.SetTransparentColor(clWhite);
  EXPECT_EQ(bitmap.TransparentMode(), TTransparentMode::tmFixed);
  EXPECT_EQ(bitmap.TransparentColor(), clWhite);
  bitmap.SetTransparentMode(TTransparentMode::tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourOut) {
  TBitmap sprite = WhiteBitmap(4, 4);
  sprite.Canvas().Brush().SetColor(clFuchsia);
  sprite.Canvas().FillRect({0, 2, 4, 4});  // bottom half, bottom-left included
  sprite.Canvas().SetPixel(1, 1, clRed);
  sprite.SetTransparent(true);
  TBitmap target(6, 6);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().FillRect({0, 0, 6, 6});
  target.Canvas().Draw(1, 1, sprite);
  EXPECT_EQ(CountPixels(target, clFuchsia), 0);
  EXPECT_EQ(PixelAt(target, 2, 2), clRed);
  EXPECT_EQ(PixelAt(target, 1, 1), clWhite);
  EXPECT_EQ(PixelAt(target, 1, 4), clBlue);

  target.Canvas().StretchDraw({0, 0, 6, 6}, sprite);  // stretched, still keyed
  EXPECT_EQ(CountPixels(target, clFuchsia), 0);
}

TEST(Bitmap, ResizeConvertAndCopyKeepPixels) {
  TBitmap bitmap = WhiteBitmap(3, 3);
  bitmap.Canvas().SetPixel(2, 2, clRed);
  bitmap.SetSize(5, 4);
  EXPECT_EQ(PixelAt(bitmap, 2, 2), clRed);
  EXPECT_EQ(PixelAt(bitmap, 4, 3), clBlack);  // new pixels
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap.Stride(), 20);
  EXPECT_EQ(PixelAt(bitmap, 2, 2), clRed);
  bitmap.Canvas().SetPixel(0, 0, clLime);  // the canvas follows the new DIB
  EXPECT_EQ(bitmap.ScanLine(0)[1], 0xFF);

  TBitmap copy;
  copy.Assign(bitmap);
  copy.Canvas().SetPixel(2, 2, clBlue);
  EXPECT_EQ(PixelAt(bitmap, 2, 2), clRed);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(PixelAt(copy, 0, 0), clLime);
  EXPECT_EQ(bitmap.ScanLine(4), nullptr);
  EXPECT_EQ(PixelAt(bitmap, -1, 0), -1);

  // The canvas of an empty bitmap measures text; once sized, it draws on the new pixels.
  TBitmap empty;
  EXPECT_GT(empty.Canvas().TextWidth("W"), 0);
  empty.SetSize(2, 2);
  empty.Canvas().SetPixel(1, 1, clRed);
  EXPECT_EQ(PixelAt(empty, 1, 1), clRed);
}

TEST(Bitmap, BmpDataRoundTripsAndBadDataLeavesItEmpty) {
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    SCOPED_TRACE(format == TPixelFormat::pf24bit ? "24-bit" : "32-bit");
    TBitmap bitmap = WhiteBitmap(5, 3, format);
    bitmap.Canvas().SetPixel(4, 0, clRed);
    bitmap.Canvas().SetPixel(0, 2, clBlue);
    const std::string data = bitmap.SaveToMemory();
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromMemory(std::as_bytes(std::span(data))));
    EXPECT_EQ(loaded.Width(), 5);
    EXPECT_EQ(loaded.Height(), 3);
    EXPECT_EQ(PixelAt(loaded, 4, 0), clRed);
    EXPECT_EQ(PixelAt(loaded, 0, 2), clBlue);
    EXPECT_EQ(PixelAt(loaded, 2, 1), clWhite);
    EXPECT_FALSE(loaded.LoadFromMemory(std::as_bytes(std::span(data.data(), 40))));
    EXPECT_TRUE(loaded.Empty());
  }
  TBitmap missing;
  EXPECT_FALSE(missing.LoadFromFile("Z:\\no\\such\\file.bmp"));
}

// Figures for the report come from the benchmark program; this only guards against leaks.
TEST(Bitmap, ThousandCanvasCyclesLeaveNoGdiObjectBehind) {
  std::vector<HGDIOBJ> lastHandles;
  DWORD before = 0;
  for (int i = 0; i < 1000; ++i) {
    if (i == 1) before = GdiObjectCount();  // after the first text output, which makes Wine's own objects
    TBitmap bitmap(32, 32);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetStyle(i % 2 ? fsBold : 0u);
    canvas.TextOut(1, 1, "x");
    canvas.Pen().SetColor(i);
    canvas.LineTo(10, 10);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect({0, 0, 5, 5});
    TBitmap copy;
    copy.Assign(bitmap);
    if (i == 999)
      lastHandles = {bitmap.Handle(), copy.Handle(), canvas.Font().Handle(), canvas.Pen().Handle(),
                     canvas.Brush().Handle()};
  }
  for (HGDIOBJ handle : lastHandles) EXPECT_EQ(GetObjectType(handle), 0u);
  EXPECT_EQ(GdiObjectCount(), before);
}

// A plain window that paints its client red with a blue 4 x 4 square at (2, 2), into the DC of
// WM_PAINT's wParam when there is one, and answers WM_PRINTCLIENT the same way.
LRESULT CALLBACK SquareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [window](HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    TCanvas canvas(dc);
    canvas.Brush().SetColor(GetParent(window) ? clLime : clRed);
    canvas.FillRect(client);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect({2, 2, 6, 6});
  };
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT:
      if (wParam) {
        paint(reinterpret_cast<HDC>(wParam));
      } else {
        PAINTSTRUCT ps;
        paint(BeginPaint(window, &ps));
        EndPaint(window, &ps);
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

TEST(RenderToBitmap, WindowsWithTheirChildrenByEitherMethod) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = SquareWindowProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "QuendrelRenderTestSquare";
  RegisterClassA(&cls);
  HWND top = CreateWindowExA(0, cls.lpszClassName, "", WS_POPUP, 10, 10, 30, 20, nullptr, nullptr, cls.hInstance,
                             nullptr);
  ASSERT_NE(top, nullptr);
  // A green child at (20, 10) of 8 x 8, with its own blue square at (22, 12) in the parent.
  HWND child = CreateWindowExA(0, cls.lpszClassName, "", WS_CHILD | WS_VISIBLE, 20, 10, 8, 8, top, nullptr,
                               cls.hInstance, nullptr);
  ASSERT_NE(child, nullptr);
  for (TRenderMethod method : {TRenderMethod::kPrint, TRenderMethod::kPaintWithDC}) {
    SCOPED_TRACE(method == TRenderMethod::kPrint ? "WM_PRINT" : "WM_PAINT with a DC");
    TBitmap bitmap;
    ASSERT_TRUE(RenderWindow(top, bitmap, method));
    EXPECT_EQ(bitmap.Width(), 30);
    EXPECT_EQ(bitmap.Height(), 20);
    EXPECT_EQ(CountPixels(bitmap, clBlue), 32);
    const RECT greenArea{20, 10, 28, 18};
    EXPECT_EQ(CountPixels(bitmap, clLime, 0, &greenArea), 48);
    EXPECT_EQ(PixelAt(bitmap, 22, 12), clBlue);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), clRed);
  }
  TBitmap none;
  EXPECT_FALSE(RenderWindow(nullptr, none));
  DestroyWindow(top);
}

TEST(RenderToBitmap, ControlsOfAFormThatWasNeverShown) {
  TComponent owner(nullptr);
  auto* form = new TForm(&owner);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 60, 40);
  form->SetColor(clLime);
  auto* panel = new TPanel(&owner);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clRed);
  panel->SetBounds(0, 0, 40, 30);
  panel->SetParent(form);
  auto* image = new TImage(&owner);
  image->SetBounds(5, 6, 4, 4);
  TBitmap square = WhiteBitmap(2, 2);
  square.Canvas().Brush().SetColor(clBlue);
  square.Canvas().FillRect({0, 0, 2, 2});
  image->Picture().Bitmap().Assign(square);
  image->SetStretch(true);
  image->SetParent(panel);

  TBitmap bitmap;
  ASSERT_TRUE(RenderControl(*form, bitmap));
  EXPECT_EQ(bitmap.Width(), 60);
  EXPECT_EQ(ColorBounds(bitmap, clBlue).value_or(RECT{}).left, 5);
  EXPECT_EQ(CountPixels(bitmap, clBlue), 16);
  EXPECT_EQ(CountPixels(bitmap, clRed), 40 * 30 - 16);
  EXPECT_EQ(PixelAt(bitmap, 50, 35), clLime);

  ASSERT_TRUE(RenderControl(*image, bitmap));
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(CountPixels(bitmap, clBlue), 16);

  image->SetParent(nullptr);
  EXPECT_FALSE(RenderControl(*image, bitmap));
}

}  // namespace
}  // namespace quendrel::toolkit
