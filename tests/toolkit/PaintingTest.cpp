// What skinned and transparent windows paint with: window DCs and regions, double buffering,
// the parent's background under a windowed control.
#include <gtest/gtest.h>

#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
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
