// The form scaler on a real window: start-up scaling, user resizes, maximize, the tracking limits,
// the bitmap and font actions, and what it leaves behind.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <tuple>

#include "sizing/FormScaler.h"
#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/Properties.h"

namespace quendrel::sizing {
namespace {

using namespace toolkit;

// A windowed control that publishes a bitmap, as glyph-carrying controls do.
class TGlyphPanel : public TPanel {
public:
  using TPanel::TPanel;
  std::string ClassName() const override { return "TGlyphPanel"; }
  const TPropertyList& PublishedProperties() const override { return ClassProperties(); }
  static const TPropertyList& ClassProperties() {
    static const TPropertyList list = [] {
      TPropertyList l = TPanel::ClassProperties();
      l.Object<TGlyphPanel, TBitmap>("Glyph", "TBitmap", [](TGlyphPanel& c) { return &c.Glyph; }, nullptr);
      return l;
    }();
    return list;
  }
  TBitmap Glyph{16, 16};
};

constexpr SizeI kDesignScreen{800, 600};

// A sizeable form with client 400 × 300 designed for an 800 × 600 screen, holding a label (20, 10,
// 100 × 20, 8 points) and a panel with a 16 × 16 glyph (100, 100, 100 × 20).
struct Fixture {
  TComponent root{nullptr};
  TForm* form = new TForm(&root);  // owned by root
  TLabel* label = nullptr;
  TGlyphPanel* panel = nullptr;
  TFormScaler* scaler = nullptr;

  explicit Fixture(SizeI screen) {
    form->SetName("SizedForm");
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(40, 30, 300, 200);
    form->SetClientSize(400, 300);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetSize(8);
    form->SetFont(font);
    label = new TLabel(form);
    label->SetName("Label1");
    label->SetAutoSize(false);
    label->SetParent(form);
    label->SetBounds(20, 10, 100, 20);
    label->SetCaption("Hi");
    panel = new TGlyphPanel(form);
    panel->SetName("Panel1");
    panel->SetBevelOuter(bvNone);
    panel->SetParent(form);
    panel->SetBounds(100, 100, 100, 20);
    panel->SetCaption("");
    scaler = new TFormScaler(form);
    scaler->SetName("FormScaler1");
    scaler->SetDesignScreenWidth(kDesignScreen.Width);
    scaler->SetDesignScreenHeight(kDesignScreen.Height);
    scaler->SetScreenSource([screen] { return screen; });
    form->Show();
    scaler->FormLoaded();
  }

  HWND Window() const { return form->Handle(); }
  // What a user's drag of the frame does to the window.
  void UserResize(int width, int height) const {
    SendMessageA(Window(), WM_ENTERSIZEMOVE, 0, 0);
    SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(Window(), WM_EXITSIZEMOVE, 0, 0);
  }
  MINMAXINFO Tracking() const {
    MINMAXINFO info{};
    SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }
  // The minimum tracking size is the form's outer size now; the maximum the screen.
  void ExpectTrackingFromFormTo(SizeI screen) const {
    const MINMAXINFO info = Tracking();
    EXPECT_EQ(info.ptMinTrackSize.x, form->Width());
    EXPECT_EQ(info.ptMinTrackSize.y, form->Height());
    EXPECT_EQ(info.ptMaxTrackSize.x, screen.Width);
    EXPECT_EQ(info.ptMaxTrackSize.y, screen.Height);
  }
};

// Left, top, right, bottom.
using BoxT = std::tuple<long, long, long, long>;
BoxT Box(long l, long t, long r, long b) { return {l, t, r, b}; }
BoxT Bounds(const TControl& c) {
  const RECT r = c.BoundsRect();
  return Box(r.left, r.top, r.right, r.bottom);
}

TEST(FormScalerTest, OwnerMustBeAForm) {
  TComponent notAForm(nullptr);
  for (TComponent* owner : {static_cast<TComponent*>(nullptr), &notAForm}) {
    try {
      TFormScaler scaler(owner);
      ADD_FAILURE() << "constructed";
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), "Owner must be TForm or descendant!");
    }
  }
  EXPECT_EQ(notAForm.ComponentCount(), 0);
}

TEST(FormScalerTest, NewScalerStartsWithThePublishedDefaults) {
  TComponent root(nullptr);
  auto* scaler = new TFormScaler(new TForm(&root));
  EXPECT_EQ(scaler->DesignScreenWidth(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(scaler->DesignScreenHeight(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(scaler->AnchorMode(), amIgnoreAnchors);
  EXPECT_EQ(scaler->ProcessFonts(), pfOnControlSize);
  EXPECT_EQ(scaler->GridColumnSizing(), gcSizeAllColumns);
  EXPECT_EQ(scaler->GridRowSizing(), grSizeByDefaults);
  EXPECT_TRUE(scaler->Enabled() && scaler->FormToScreenRatio() && scaler->MinimumSize() &&
              scaler->StretchFonts() && scaler->StretchImages() && scaler->StretchOnResize());
  EXPECT_NE(GetPropInfo(*scaler, "DesignScreenWidth"), nullptr);
  EXPECT_NE(GetPropInfo(*scaler, "ProcessFonts"), nullptr);
}

TEST(FormScalerTest, OnTheDesignScreenNothingIsScaledAndTheStoredSizeIsTheMinimum) {
  Fixture f(kDesignScreen);
  EXPECT_EQ(f.form->ClientWidth(), 400);
  EXPECT_EQ(f.form->ClientHeight(), 300);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
  EXPECT_EQ(f.scaler->SizingState(), ssIdle);
  f.ExpectTrackingFromFormTo({800, 600});
}

TEST(FormScalerTest, StartUpOnADoubleScreenDoublesClientControlsFontsAndBitmaps) {
  Fixture f({1600, 1200});
  EXPECT_EQ(f.form->ClientWidth(), 800);
  EXPECT_EQ(f.form->ClientHeight(), 600);
  EXPECT_EQ(f.form->Left(), 80);  // 1600 × 40 / 800
  EXPECT_EQ(f.form->Top(), 60);
  EXPECT_EQ(Bounds(*f.label), Box(40, 20, 240, 60));
  EXPECT_EQ(Bounds(*f.panel), Box(200, 200, 400, 240));
  // 8 points → target 16; "Hi" at 16 points covers far less than 200 × 40.
  EXPECT_EQ(f.label->Font().Size(), 16);
  EXPECT_EQ(f.panel->Glyph.Width(), 32);
  EXPECT_EQ(f.panel->Glyph.Height(), 32);
  EXPECT_EQ(f.scaler->SizingState(), ssIdle);
  // The minimum is the scaled outer size now.
  f.ExpectTrackingFromFormTo({1600, 1200});
}

TEST(FormScalerTest, UserResizeRescalesControlsFontsAndBitmapsFromTheRecords) {
  Fixture f(kDesignScreen);
  const int frameW = f.form->Width() - f.form->ClientWidth();
  const int frameH = f.form->Height() - f.form->ClientHeight();
  int passes = 0;
  f.scaler->AfterSize = [&](TComponent*) { ++passes; };
  f.UserResize(600 + frameW, 450 + frameH);
  ASSERT_EQ(f.form->ClientWidth(), 600);
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(Bounds(*f.label), Box(30, 15, 180, 45));
  // 8 × 30√2 / 20√2 in extended precision: 12 or just below it.
  EXPECT_GE(f.label->Font().Size(), 11);
  EXPECT_LE(f.label->Font().Size(), 12);
  EXPECT_EQ(f.panel->Glyph.Width(), 24);  // 150 × 16 / 100
  EXPECT_EQ(f.panel->Glyph.Height(), 24);
  // Back to the start: the records, not the last pass, decide.
  f.UserResize(400 + frameW, 300 + frameH);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
  EXPECT_EQ(f.label->Font().Size(), 8);
  EXPECT_EQ(f.panel->Glyph.Width(), 16);
  // A drag that ends at the size it began with starts no pass.
  f.UserResize(400 + frameW, 300 + frameH);
  EXPECT_EQ(passes, 2);
}

TEST(FormScalerTest, MaximizeAndRestoreEachRunOnePass) {
  Fixture f(kDesignScreen);
  int maximized = 0, restored = 0, passes = 0;
  f.scaler->OnFormMaximize = [&](TComponent*) { ++maximized; };
  f.scaler->OnFormRestore = [&](TComponent*) { ++restored; };
  f.scaler->AfterSize = [&](TComponent*) { ++passes; };
  SendMessageA(f.Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(maximized, 1);
  EXPECT_GE(passes, 1);
  EXPECT_GT(f.label->Width(), 100);
  const int afterMaximize = passes;
  SendMessageA(f.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(restored, 1);
  EXPECT_EQ(passes, afterMaximize + 1);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
  // Minimizing starts none.
  ShowWindow(f.Window(), SW_MINIMIZE);
  ShowWindow(f.Window(), SW_RESTORE);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
}

// A move takes a snapshot of the size; the maximize after it must still see the new size. A double
// click on the title bar maximizes through the default window procedure.
TEST(FormScalerTest, MaximizeAfterAMoveRescales) {
  Fixture f(kDesignScreen);
  SendMessageA(f.Window(), WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(f.Window(), nullptr, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(f.Window(), WM_EXITSIZEMOVE, 0, 0);
  ASSERT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
  SendMessageA(f.Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ASSERT_TRUE(IsZoomed(f.Window()));
  // Horizontal placement follows the client width.
  const double ratio = f.form->ClientWidth() / 400.0;
  EXPECT_NEAR(f.label->Left(), 20 * ratio, 1);
  EXPECT_NEAR(f.label->Width(), 100 * ratio, 1);
  SendMessageA(f.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
}

TEST(FormScalerTest, BeforeSizeRefusingKeepsBoundsAndStillRaisesAfterSize) {
  Fixture f(kDesignScreen);
  int after = 0;
  f.scaler->BeforeSize = [](TComponent*, bool& allow) { allow = false; };
  f.scaler->AfterSize = [&](TComponent*) { ++after; };
  f.UserResize(f.form->Width() + 200, f.form->Height() + 150);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
  EXPECT_EQ(after, 1);
}

TEST(FormScalerTest, DisabledScalerStillScalesTheFormAtStartUpButNoControl) {
  TComponent root(nullptr);
  auto* form = new TForm(&root);
  form->SetBorderStyle(bsSizeable);
  form->SetClientSize(400, 300);
  auto* label = new TLabel(form);
  label->SetAutoSize(false);
  label->SetParent(form);
  label->SetBounds(20, 10, 100, 20);
  auto* scaler = new TFormScaler(form);
  scaler->SetDesignScreenWidth(800);
  scaler->SetDesignScreenHeight(600);
  scaler->SetEnabled(false);
  scaler->SetScreenSource([] { return SizeI{1600, 1200}; });
  scaler->FormLoaded();
  EXPECT_EQ(form->ClientWidth(), 800);
  EXPECT_EQ(Bounds(*label), Box(20, 10, 120, 30));
  // Turning it on with the size changed since the last snapshot runs the pass at once.
  scaler->SetEnabled(true);
  EXPECT_EQ(Bounds(*label), Box(40, 20, 240, 60));
}

TEST(FormScalerTest, WindowMovedToNegativeCoordinatesStopsAtZero) {
  Fixture f(kDesignScreen);
  f.scaler->SetEnabled(false);
  SetWindowPos(f.Window(), nullptr, -50, -30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(f.Window(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
}

TEST(FormScalerTest, ControlsInsertedLaterAreRegisteredAndNamedAndFreedOnesForgotten) {
  Fixture f(kDesignScreen);
  auto* late = new TLabel(f.form);
  late->SetAutoSize(false);
  late->SetParent(f.form);
  late->SetBounds(5, 6, 70, 20);
  Application.ProcessMessages();
  ASSERT_FALSE(late->Name().empty());
  EXPECT_EQ(late->Name().rfind("SizedFormTLabel", 0), 0u) << late->Name();
  const TControlExtents* record = f.scaler->Core().Controls().Find(late->Name());
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Left, 5);
  EXPECT_EQ(record->ClientWidth, 70);
  const std::string name = late->Name();
  delete late;
  EXPECT_FALSE(f.scaler->Core().Controls().Contains(name));
}

TEST(FormScalerTest, FreedScalerLeavesTheFormsOtherHooksAndLimits) {
  Fixture f(kDesignScreen);
  int seen = 0;
  TWndHookOwner other = f.form->HookWindowProc([&](TMessage& m, const TWndNext& next) {
    if (m.Msg == WM_GETMINMAXINFO) ++seen;
    next(m);
  });
  delete f.scaler;
  const MINMAXINFO info = f.Tracking();
  EXPECT_EQ(seen, 1);
  EXPECT_NE(info.ptMaxTrackSize.x, 800);  // the system's default, no longer the scaler's
  f.UserResize(f.form->Width() + 100, f.form->Height() + 100);
  EXPECT_EQ(Bounds(*f.label), Box(20, 10, 120, 30));
}

TEST(FormScalerTest, ThousandResizesLeakNoGdiObjects) {
  Fixture f(kDesignScreen);
  const int w = f.form->Width(), h = f.form->Height();
  f.UserResize(w + 37, h + 23);  // fonts and bitmaps of both sizes exist once
  f.UserResize(w, h);
  const DWORD before = GdiObjectCount();
  using Clock = std::chrono::steady_clock;
  Clock::time_point passStart;
  double passMs = 0;
  f.scaler->BeforeSize = [&](TComponent*, bool&) { passStart = Clock::now(); };
  f.scaler->AfterSize = [&](TComponent*) {
    passMs += std::chrono::duration<double, std::milli>(Clock::now() - passStart).count();
  };
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 1000; ++i) f.UserResize(w + 1 + (i % 7) * 40, h + 1 + (i % 5) * 30);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  f.UserResize(w, h);
  const DWORD after = GdiObjectCount();
  std::printf("[figure] 1000 user resizes: %.1f ms (%.3f ms each, of which the pass %.3f ms); GDI objects %lu "
              "before, %lu after\n",
              ms, ms / 1000, passMs / 1000, static_cast<unsigned long>(before), static_cast<unsigned long>(after));
  EXPECT_LE(after, before + 2);
}

}  // namespace
}  // namespace quendrel::sizing
