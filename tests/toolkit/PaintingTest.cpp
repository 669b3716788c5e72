// What skinned and transparent windows paint with: window DCs and regions, double buffering,
// the parent's background under a windowed control.
#include <gtest/gtest.h>

#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/BufferedPaint.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/RenderToBitmap.h"

namespace quendrel::toolkit {
namespace {

TForm* NewForm(TComponent* owner, TFormBorderStyle style = bsNone) {
  auto* form = new TForm(owner);
  form->SetBorderStyle(style);
  form->SetBounds(80, 80, 120, 90);
  return form;
}

TColor ScreenPixel(HWND window, int x, int y) {
  WindowDC dc(window);
  const COLORREF pixel = GetPixel(dc.Get(), x, y);
  return static_cast<TColor>(pixel);
}

TEST(Painting, RegionsHandedToTheWindowAndWindowDCsLeaveNoObjectBehind) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner, bsDialog);
  form->Show();
  HWND hwnd = form->Handle();
  const auto round = [hwnd] {
    RegionHandle region(CreateRoundRectRgn(0, 0, 121, 91, 11, 11));
    ASSERT_TRUE(SetWindowRegion(hwnd, region, true));
    EXPECT_FALSE(region);  // the window owns it now, and frees it with the next one
    // Non-client painting as WM_NCPAINT does it: the window's DC, clipped to a region of ours.
    WindowDCEx frame(hwnd, DCX_WINDOW | DCX_CACHE | DCX_INTERSECTRGN, RegionHandle(CreateRectRgn(0, 0, 500, 500)));
    EXPECT_NE(frame.Get(), nullptr);
    WholeWindowDC whole(hwnd);
    EXPECT_NE(whole.Get(), nullptr);
    RegionHandle none;
    ASSERT_TRUE(SetWindowRegion(hwnd, none, true));
  };
  round();  // the system's DC cache fills on first use
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 20; ++i) round();
  EXPECT_EQ(GdiObjectCount(), before);
  RegionHandle kept(CreateRectRgn(0, 0, 5, 5));
  EXPECT_FALSE(SetWindowRegion(nullptr, kept, false));
  EXPECT_TRUE(kept);  // refused: still ours to free
}

TEST(Painting, ADoubleBufferedFormPaintsBackgroundAndContentInOnePass) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  form->SetColor(clRed);
  form->SetDoubleBuffered(true);
  form->OnPaint = [form](TComponent*) {
    form->Canvas().Brush().SetColor(clBlue);
    form->Canvas().FillRect(RECT{10, 10, 30, 30});
  };
  form->Show();
  UpdateWindow(form->Handle());
  EXPECT_TRUE(NearColor(ScreenPixel(form->Handle(), 20, 20), clBlue, 8));
  EXPECT_TRUE(NearColor(ScreenPixel(form->Handle(), 60, 60), clRed, 8));
  // Erasing leaves the screen alone: the buffer brings the background along with the content.
  TBitmap untouched;
  untouched.SetSize(20, 20);
  untouched.Canvas().Brush().SetColor(clWhite);
  untouched.Canvas().FillRect(RECT{0, 0, 20, 20});
  EXPECT_NE(SendMessageA(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(untouched.Canvas().Handle()), 0), 0);
  EXPECT_EQ(CountPixels(untouched, clWhite), 400);
}

TEST(Painting, BufferedPaintingDrawsOnlyItsAreaAtTheTargetsCoordinates) {
  // Each paint fills the whole 40 x 40 target blue and marks (12, 12) red; the buffer keeps what
  // falls in the area.
  const auto paint = [](HDC dc) {
    TCanvas canvas(dc);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect({0, 0, 40, 40});
    canvas.Brush().SetColor(clRed);
    canvas.FillRect({12, 12, 13, 13});
  };
  struct Case {
    const char* name;
    RECT clip;    // the target's clip box: the update rectangle
    RECT bounds;  // the control's client area
    RECT painted;
  };
  const Case cases[] = {
      {"area inside", {0, 0, 40, 40}, {10, 10, 30, 25}, {10, 10, 30, 25}},
      {"clip cuts bounds", {0, 0, 20, 20}, {10, 10, 40, 40}, {10, 10, 20, 20}},
      {"nothing to update", {30, 30, 40, 40}, {0, 0, 20, 20}, {0, 0, 0, 0}},
  };
  const DWORD before = GdiObjectCount();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap target(40, 40);
    TBitmapCanvas& canvas = target.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect({0, 0, 40, 40});
    const int state = canvas.SaveState();
    IntersectClipRect(canvas.Handle(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    canvas.Brush().SetColor(clGreen);  // the target's own brush: the painter's canvas starts afresh
    PaintBuffered(canvas, c.bounds, [&paint](TCanvas& buffer) { paint(buffer.Handle()); });
    canvas.RestoreState(state);
    target.Flush();
    const int area = (c.painted.right - c.painted.left) * (c.painted.bottom - c.painted.top);
    const bool marked = PtInRect(&c.painted, POINT{12, 12}) != FALSE;
    EXPECT_EQ(CountPixels(target, clBlue), area - (marked ? 1 : 0));
    EXPECT_EQ(CountPixels(target, clRed), marked ? 1 : 0);
    EXPECT_EQ(CountPixels(target, clWhite), 40 * 40 - area);
    if (area > 0) {  // in place, not shifted
      EXPECT_EQ(target.PixelColor(c.painted.left, c.painted.top), clBlue);
      EXPECT_EQ(target.PixelColor(c.painted.right - 1, c.painted.bottom - 1), clBlue);
    }
  }
  EXPECT_EQ(GdiObjectCount(), before);  // buffer, its bitmap and the painter's selections all gone
  // The plain form, on a DC whose origin is moved (a parent drawing us at our place).
  TBitmap target(40, 40);
  HDC dc = target.Canvas().Handle();
  SetViewportOrgEx(dc, 5, 5, nullptr);
  PaintBuffered(dc, RECT{5, 5, 15, 15}, paint);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  target.Flush();
  EXPECT_EQ(target.PixelColor(17, 17), clRed);
  EXPECT_EQ(CountPixels(target, clBlue) + CountPixels(target, clRed), 100);
}

TEST(Painting, AWindowedControlPaintsItsParentsBackgroundAtItsPlace) {
  TComponent owner(nullptr);
  TForm* form = NewForm(&owner);
  form->SetColor(clRed);
  auto* label = new TLabel(&owner);  // a graphic control of the parent, under the panel
  label->SetAutoSize(false);
  label->SetColor(clBlue);
  label->SetBounds(30, 20, 20, 10);
  label->SetParent(form);
  auto* panel = new TPanel(&owner);
  panel->SetBounds(20, 10, 60, 40);
  panel->SetParent(form);
  form->Show();
  TBitmap backdrop;
  backdrop.SetPixelFormat(TPixelFormat::pf24bit);
  backdrop.SetSize(60, 40);
  panel->PaintParentBackground(backdrop.Canvas().Handle());
  backdrop.Flush();
  // The label at (30, 20) of the form is at (10, 10) of the panel.
  const auto blue = ColorBounds(backdrop, clBlue);
  ASSERT_TRUE(blue.has_value());
  EXPECT_EQ(blue->left, 10);
  EXPECT_EQ(blue->top, 10);
  EXPECT_EQ(blue->right, 30);
  EXPECT_EQ(blue->bottom, 20);
  EXPECT_EQ(CountPixels(backdrop, clRed), 60 * 40 - 20 * 10);
}

}  // namespace
}  // namespace quendrel::toolkit
